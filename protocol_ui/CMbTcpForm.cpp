#include "protocol_ui/CMbTcpForm.h"

#include "model/mbtcp_header.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QGridLayout>
#include <QLabel>

CMbTcpForm::CMbTcpForm(CTessalyDoc* doc, QWidget* parent)
    : CProtocolForm(doc, parent), ip_address_(add_address()), network_mask_(add_address()),
      default_gateway_(add_address()),
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
    grid->addWidget(byte_order_, 0, 2, 3, 1, Qt::AlignTop);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);
}

protocol_form_values CMbTcpForm::header_values(const protocol_header& header) const {
    protocol_form_values v = CProtocolForm::header_values(header);
    if (const auto* h = dynamic_cast<const mbtcp_header*>(&header)) {
        v.ip_address = h->ip_address;
        v.network_mask = h->network_mask;
        v.default_gateway = h->default_gateway;
    }
    return v;
}

void CMbTcpForm::fill_controls(protocol_header& header) {
    const protocol_form_values v = header_values(header);
    ip_address_->set_value(v.ip_address);
    network_mask_->set_value(v.network_mask);
    default_gateway_->set_value(v.default_gateway);
    byte_order_->set_checked(v.byte_order);
}

void CMbTcpForm::read_controls(bool) {
    values_.ip_address = ip_address_->value();
    values_.network_mask = network_mask_->value();
    values_.default_gateway = default_gateway_->value();
    read_choice(byte_order_, values_.byte_order);
}
