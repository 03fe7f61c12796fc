#include "protocol_ui/CProfinetForm.h"

#include "model/profinet_header.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QGridLayout>
#include <QLabel>

CProfinetForm::CProfinetForm(CTessalyDoc* doc, QWidget* parent)
    : CProtocolForm(doc, parent), ip_address_(add_address()), network_mask_(add_address()),
      default_gateway_(add_address()), input_size_(add_integer(true)),
      output_size_(add_integer(true)),
      byte_order_(add_choice(tr("Byte order"), labels_byte_order)) {
    auto* grid = new QGridLayout(content());
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(2);
    grid->addWidget(control_label(tr("Ip address:"), ip_address_), 0, 0);
    grid->addWidget(ip_address_, 0, 1);
    grid->addWidget(control_label(tr("Network mask:"), network_mask_), 1, 0);
    grid->addWidget(network_mask_, 1, 1);
    grid->addWidget(control_label(tr("Default gateway:"), default_gateway_), 2, 0);
    grid->addWidget(default_gateway_, 2, 1);
    grid->addWidget(control_label(tr("Input block size (bytes):"), input_size_), 0, 2);
    grid->addWidget(input_size_, 0, 3);
    grid->addWidget(control_label(tr("Output block size (bytes):"), output_size_), 1, 2);
    grid->addWidget(output_size_, 1, 3);
    grid->addWidget(byte_order_, 0, 4, 3, 1, Qt::AlignTop);
    grid->setColumnMinimumWidth(2, 0);
    grid->setHorizontalSpacing(10);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(3, 1);
}

protocol_form_values CProfinetForm::header_values(const protocol_header& header) const {
    protocol_form_values v = CProtocolForm::header_values(header);
    if (const auto* h = dynamic_cast<const profinet_header*>(&header)) {
        v.ip_address = h->ip_address;
        v.network_mask = h->network_mask;
        v.default_gateway = h->default_gateway;
        v.input_size = h->input_size;
        v.output_size = h->output_size;
    }
    return v;
}

void CProfinetForm::fill_controls(protocol_header& header) {
    const protocol_form_values v = header_values(header);
    ip_address_->set_value(v.ip_address);
    network_mask_->set_value(v.network_mask);
    default_gateway_->set_value(v.default_gateway);
    input_size_->set_value(v.input_size);
    output_size_->set_value(v.output_size);
    byte_order_->set_checked(v.byte_order);
}

void CProfinetForm::read_controls(bool complain) {
    values_.ip_address = ip_address_->value();
    values_.network_mask = network_mask_->value();
    values_.default_gateway = default_gateway_->value();
    read_integer(input_size_, values_.input_size, complain);
    read_integer(output_size_, values_.output_size, complain);
    read_choice(byte_order_, values_.byte_order);
}
