#include "protocol_ui/CProfibusForm.h"

#include "model/profibus_header.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QGridLayout>
#include <QLabel>

CProfibusForm::CProfibusForm(CTessalyDoc* doc, QWidget* parent)
    : CProtocolForm(doc, parent), input_size_(add_integer(false)), output_size_(add_integer(false)),
      node_(add_integer(false)), byte_order_(add_choice(tr("Byte order"), labels_byte_order)) {
    auto* grid = new QGridLayout(content());
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(2);
    grid->addWidget(control_label(tr("Input block size:"), input_size_), 0, 0);
    grid->addWidget(input_size_, 0, 1);
    grid->addWidget(control_label(tr("Output block size:"), output_size_), 1, 0);
    grid->addWidget(output_size_, 1, 1);
    grid->addWidget(control_label(tr("Node address:"), node_), 2, 0);
    grid->addWidget(node_, 2, 1);
    grid->addWidget(byte_order_, 0, 2, 3, 1, Qt::AlignTop);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);
}

protocol_form_values CProfibusForm::header_values(const protocol_header& header) const {
    protocol_form_values v = CProtocolForm::header_values(header);
    if (const auto* h = dynamic_cast<const profibus_header*>(&header)) {
        v.input_size = h->input_size;
        v.output_size = h->output_size;
    }
    return v;
}

void CProfibusForm::fill_controls(protocol_header& header) {
    const protocol_form_values v = header_values(header);
    input_size_->set_value(v.input_size);
    output_size_->set_value(v.output_size);
    node_->set_value(v.node);
    byte_order_->set_checked(v.byte_order);
}

void CProfibusForm::read_controls(bool complain) {
    read_integer(input_size_, values_.input_size, complain);
    read_integer(output_size_, values_.output_size, complain);
    read_integer(node_, values_.node, complain);
    read_choice(byte_order_, values_.byte_order);
}
