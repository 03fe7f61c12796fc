#include "protocol_ui/CSerialForm.h"

#include "model/protocol_header.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

CSerialForm::CSerialForm(CTessalyDoc* doc, QWidget* parent,
                         std::span<const char* const> baud_labels,
                         std::span<const char* const> mode_labels)
    : CProtocolForm(doc, parent), baud_(add_choice(tr("Baud rate"), baud_labels)),
      data_bits_(add_choice(tr("Data bits"), labels_data_bits)),
      parity_(add_choice(tr("Parity"), labels_parity)),
      stop_bits_(add_choice(tr("Stop bits"), labels_stop_bits)),
      byte_order_(add_choice(tr("Byte order"), labels_byte_order)), node_(add_integer(false)) {
    if (!mode_labels.empty())
        bit_mode_ = add_choice(tr("Bit mode"), mode_labels);
    auto* grid = new QGridLayout(content());
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(2);
    int column = 0;
    for (CChoiceGroup* group : {baud_, data_bits_, parity_, stop_bits_, byte_order_, bit_mode_})
        if (group)
            grid->addWidget(group, 0, column++, 2, 1, Qt::AlignTop);
    grid->addWidget(control_label(tr("Node num:"), node_), 0, column, Qt::AlignBottom);
    grid->addWidget(node_, 1, column, Qt::AlignTop);
    grid->setColumnStretch(column + 1, 1);
    grid->setRowStretch(1, 1);
}

void CSerialForm::fill_controls(protocol_header& h) {
    baud_->set_checked(h.baud);
    data_bits_->set_checked(h.data_bits - 7);
    parity_->set_checked(h.parity);
    stop_bits_->set_checked(h.stop_bits);
    byte_order_->set_checked(h.byte_order);
    if (bit_mode_)
        bit_mode_->set_checked(mode_position(h.mode));
    node_->set_value(h.node);
}

void CSerialForm::read_controls(bool complain) {
    read_choice(baud_, values_.baud);
    read_choice(data_bits_, values_.data_bits, 7);
    read_choice(parity_, values_.parity);
    read_choice(stop_bits_, values_.stop_bits);
    read_choice(byte_order_, values_.byte_order);
    if (bit_mode_ && bit_mode_->checked() >= 0)
        values_.mode = mode_value(bit_mode_->checked());
    read_integer(node_, values_.node, complain);
}

void CSerialForm::enable_all_buttons() {
    for (CChoiceGroup* group : {baud_, data_bits_, parity_, stop_bits_, byte_order_, bit_mode_})
        if (group)
            for (int i = 0; i < group->count(); ++i)
                group->button(i)->setEnabled(true);
}
