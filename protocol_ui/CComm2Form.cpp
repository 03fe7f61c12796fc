#include "protocol_ui/CComm2Form.h"

#include "core/user_interface.h"
#include "model/model_tables.h"
#include "model/protocol_header.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QRadioButton>

namespace {
const char* msg_no_7_bits =
    "The RDX does not support 7-bit communications.\nSettings have been adjusted accordingly.";
}

CComm2Form::CComm2Form(CTessalyDoc* doc, QWidget* parent)
    : CSerialForm(doc, parent, labels_baud3, labels_check_mode) {}

void CComm2Form::apply_device_rule(protocol_header& h) {
    enable_all_buttons();
    if (h.device_code != device_rdx && h.device_code != device_hqp)
        return;
    data_bits()->button(0)->setEnabled(false);
    data_bits()->set_checked(1);
    if (h.data_bits == 7) {
        ui().message(msg_no_7_bits);
        adjust_header(h, 8, h.mode, false);
    }
}
