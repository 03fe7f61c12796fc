#include "protocol_ui/CComm2Dialog.h"

#include "model/model_tables.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/protocol_ui_texts.h"

CComm2Dialog::CComm2Dialog(const protocol_dialog_values& preset, QWidget* parent)
    : CSerialDialog(tr("Allen-Bradley Comm Setup"), preset, labels_baud3, labels_check_mode,
                    parent) {
    preset_controls();
    if (preset.device_code == device_rdx || preset.device_code == device_hqp) {
        withdraw(data_bits(), 0);
        data_bits()->set_checked(1);
    }
}
