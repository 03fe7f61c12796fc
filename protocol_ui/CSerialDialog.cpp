#include "protocol_ui/CSerialDialog.h"

#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QRadioButton>

CSerialDialog::CSerialDialog(const QString& title, const protocol_dialog_values& preset,
                             std::span<const char* const> baud_labels,
                             std::span<const char* const> mode_labels, QWidget* parent)
    : CSettingsDialog(title, preset, parent),
      baud_(new CChoiceGroup(tr("Baud rate"), baud_labels, this)),
      data_bits_(new CChoiceGroup(tr("Data bits"), labels_data_bits, this)),
      parity_(new CChoiceGroup(tr("Parity"), labels_parity, this)),
      stop_bits_(new CChoiceGroup(tr("Stop bits"), labels_stop_bits, this)),
      byte_order_(new CChoiceGroup(tr("Byte order"), labels_byte_order, this)),
      node_(new CIntegerEdit(CIntegerEdit::signed_any, this)) {
    if (!mode_labels.empty())
        bit_mode_ = new CChoiceGroup(tr("Bit mode"), mode_labels, this);
    auto* grid = new QGridLayout;
    grid->addWidget(baud_, 0, 0);
    grid->addWidget(data_bits_, 0, 1);
    grid->addWidget(parity_, 0, 2);
    grid->addWidget(stop_bits_, 1, 0);
    grid->addWidget(byte_order_, 1, 1);
    if (bit_mode_)
        grid->addWidget(bit_mode_, 1, 2);
    for (int c = 0; c < 3; ++c)
        grid->setColumnStretch(c, 1);
    body_->addLayout(grid);
    auto* node_row = new QFormLayout;
    node_->setMaximumWidth(100);
    node_row->addRow(tr("Node num:"), node_);
    body_->addLayout(node_row);
    add_buttons();
}

void CSerialDialog::preset_controls() {
    baud_->set_checked(values_.baud);
    data_bits_->set_checked(values_.data_bits - 7);
    parity_->set_checked(values_.parity);
    stop_bits_->set_checked(values_.stop_bits);
    byte_order_->set_checked(values_.byte_order);
    if (bit_mode_)
        bit_mode_->set_checked(mode_position(values_.mode));
    node_->set_value(values_.node);
}

void CSerialDialog::withdraw(CChoiceGroup* group, int position) {
    if (group->checked() == position)
        group->set_checked(-1);
    group->button(position)->setEnabled(false);
}

bool CSerialDialog::read_into(protocol_dialog_values& out) {
    // A group without a checked button keeps its preset value.
    out.baud = checked_or(baud_, out.baud);
    out.data_bits = data_bits_->checked() < 0 ? out.data_bits : data_bits_->checked() + 7;
    out.parity = checked_or(parity_, out.parity);
    out.stop_bits = checked_or(stop_bits_, out.stop_bits);
    out.byte_order = checked_or(byte_order_, out.byte_order);
    if (bit_mode_ && bit_mode_->checked() >= 0)
        out.mode = mode_value(bit_mode_->checked());
    return node_->read(out.node);
}
