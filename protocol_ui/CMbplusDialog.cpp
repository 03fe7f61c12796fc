#include "protocol_ui/CMbplusDialog.h"

#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

CMbplusDialog::CMbplusDialog(const protocol_dialog_values& preset, QWidget* parent)
    : CSettingsDialog(tr("ModbusPlus params:"), preset, parent),
      source_id_(new CIntegerEdit(CIntegerEdit::signed_any, this)),
      number_of_words_(new CIntegerEdit(CIntegerEdit::signed_any, this)),
      offset_in_gdb_(new CIntegerEdit(CIntegerEdit::signed_any, this)),
      node_(new CIntegerEdit(CIntegerEdit::signed_any, this)),
      byte_order_(new CChoiceGroup(tr("Byte order"), labels_byte_order, this)) {
    auto* gdb = new QGroupBox(tr("GDB Setting"), this);
    auto* gdb_fields = new QFormLayout(gdb);
    gdb_fields->addRow(tr("Source id:"), source_id_);
    gdb_fields->addRow(tr("Number of words:"), number_of_words_);
    gdb_fields->addRow(tr("Offset within GDB:"), offset_in_gdb_);
    body_->addWidget(gdb);
    auto* node_row = new QFormLayout;
    node_row->addRow(tr("Node num:"), node_);
    body_->addLayout(node_row);
    body_->addWidget(byte_order_);
    add_buttons();

    source_id_->set_value(preset.source_id);
    number_of_words_->set_value(preset.number_of_words);
    offset_in_gdb_->set_value(preset.offset_in_gdb);
    node_->set_value(preset.node);
    byte_order_->set_checked(preset.byte_order);
}

bool CMbplusDialog::read_into(protocol_dialog_values& out) {
    if (!source_id_->read(out.source_id) || !number_of_words_->read(out.number_of_words) ||
        !offset_in_gdb_->read(out.offset_in_gdb) || !node_->read(out.node))
        return false;
    out.byte_order = checked_or(byte_order_, out.byte_order);
    return true;
}
