#include "protocol_ui/protocol_form_factory.h"

#include "app/CTessalyDoc.h"
#include "model/zrp_file.h"
#include "protocol_ui/CComm2Form.h"
#include "protocol_ui/CCommFORM.h"
#include "protocol_ui/CDeviceNetForm.h"
#include "protocol_ui/CEthernetIPForm.h"
#include "protocol_ui/CGenericForm.h"
#include "protocol_ui/CMbTcpForm.h"
#include "protocol_ui/CMbplusForm.h"
#include "protocol_ui/CProfibusForm.h"
#include "protocol_ui/CProfinetForm.h"

namespace {
template <class Form> CProtocolForm* make(CTessalyDoc* doc, QWidget* parent) {
    return new Form(doc, parent);
}

struct form_maker {
    form_class_t form_class;
    CProtocolForm* (*create)(CTessalyDoc*, QWidget*);
};
constexpr form_maker form_makers[] = {
    {form_class_t::CGenericForm, make<CGenericForm>},
    {form_class_t::CComm2Form, make<CComm2Form>},
    {form_class_t::CCommFORM, make<CCommFORM>},
    {form_class_t::CProfibusForm, make<CProfibusForm>},
    {form_class_t::CMbplusForm, make<CMbplusForm>},
    {form_class_t::CMbTcpForm, make<CMbTcpForm>},
    {form_class_t::CProfinetForm, make<CProfinetForm>},
    {form_class_t::CDeviceNetForm, make<CDeviceNetForm>},
    {form_class_t::CEthernetIPForm, make<CEthernetIPForm>},
};
} // namespace

QWidget* create_protocol_form(CTessalyDoc* doc, QWidget* parent) {
    const protocol_header* header = doc && doc->map() ? doc->map()->header.get() : nullptr;
    const form_class_t wanted = header ? header->form_class() : form_class_t::CGenericForm;
    CProtocolForm* form = nullptr;
    for (const form_maker& m : form_makers)
        if (m.form_class == wanted)
            form = m.create(doc, parent);
    if (!form)
        form = new CGenericForm(doc, parent);
    form->initial_update();
    return form;
}
