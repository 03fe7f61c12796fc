#include "protocol_ui/GenericDialog.h"

#include "protocol_ui/protocol_ui_texts.h"

GenericDialog::GenericDialog(const protocol_dialog_values& preset, QWidget* parent)
    : CSerialDialog(tr("Generic protocol"), preset, labels_baud3, {}, parent) {
    preset_controls();
}
