#include "protocol_ui/CCommDialog.h"

#include "model/model_tables.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/protocol_ui_texts.h"

namespace {
constexpr int baud_57600 = 3;
constexpr int mode_ascii = 1;
} // namespace

CCommDialog::CCommDialog(const protocol_dialog_values& preset, QWidget* parent)
    : CSerialDialog(tr("Modbus/Siemens protocol setup"), preset, labels_baud4,
                    labels_transmission_mode, parent) {
    preset_controls();
    if (preset.device_code == device_rdx || preset.device_code == device_hqp) {
        withdraw(data_bits(), 0);
        data_bits()->set_checked(1);
        withdraw(bit_mode(), mode_ascii);
        bit_mode()->set_checked(0);
    }
    if (preset.device_code != device_hqp)
        withdraw(baud(), baud_57600);
}
