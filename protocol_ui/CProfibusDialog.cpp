#include "protocol_ui/CProfibusDialog.h"

#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QFormLayout>
#include <QVBoxLayout>

CProfibusDialog::CProfibusDialog(const protocol_dialog_values& preset, QWidget* parent)
    : CSettingsDialog(tr("Profibus params:"), preset, parent),
      input_size_(new CIntegerEdit(CIntegerEdit::unsigned_range, this, 0, 244)),
      output_size_(new CIntegerEdit(CIntegerEdit::unsigned_range, this, 0, 244)),
      node_(new CIntegerEdit(CIntegerEdit::unsigned_range, this, 0, 99)),
      byte_order_(new CChoiceGroup(tr("Byte order"), labels_byte_order, this)) {
    auto* fields = new QFormLayout;
    fields->addRow(tr("Input block size:"), input_size_);
    fields->addRow(tr("Output block size:"), output_size_);
    fields->addRow(tr("Node address:"), node_);
    body_->addLayout(fields);
    body_->addWidget(byte_order_);
    add_buttons();

    input_size_->set_value(preset.input_size);
    output_size_->set_value(preset.output_size);
    node_->set_value(preset.node);
    byte_order_->set_checked(preset.byte_order);
}

bool CProfibusDialog::read_into(protocol_dialog_values& out) {
    if (!input_size_->read(out.input_size) || !output_size_->read(out.output_size) ||
        !node_->read(out.node))
        return false;
    out.byte_order = checked_or(byte_order_, out.byte_order);
    return true;
}
