#include "protocol_ui/CCommFORM.h"

#include "core/user_interface.h"
#include "model/model_tables.h"
#include "model/protocol_header.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QRadioButton>

namespace {
const char* msg_no_ascii =
    "The RDX/HQP does not support ASCII or 7-bit mode.\nThese settings have been changed.";
constexpr int baud_57600 = 3;
constexpr int mode_rtu = 0;
constexpr int mode_ascii = 1;
} // namespace

CCommFORM::CCommFORM(CTessalyDoc* doc, QWidget* parent)
    : CSerialForm(doc, parent, labels_baud4, labels_transmission_mode) {}

void CCommFORM::apply_device_rule(protocol_header& h) {
    enable_all_buttons();
    if (h.device_code == device_rdx || h.device_code == device_hqp) {
        data_bits()->button(0)->setEnabled(false);
        data_bits()->set_checked(1);
        if (h.data_bits == 7 || h.mode == mode_ascii) {
            ui().message(msg_no_ascii);
            adjust_header(h, 8, mode_rtu, true);
        }
        bit_mode()->button(mode_ascii)->setEnabled(false);
        bit_mode()->set_checked(mode_rtu);
    }
    if (h.device_code != device_hqp) {
        if (baud()->checked() == baud_57600)
            baud()->set_checked(-1);
        baud()->button(baud_57600)->setEnabled(false);
    }
}
