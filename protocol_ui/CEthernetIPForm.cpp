#include "protocol_ui/CEthernetIPForm.h"

#include "model/ethernetip_header.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

CEthernetIPForm::CEthernetIPForm(CTessalyDoc* doc, QWidget* parent)
    : CBlockMappedForm(doc, parent),
      byte_order_(add_choice(tr("Byte Order"), labels_byte_order_caps)), ip_address_(add_address()),
      network_mask_(add_address()), default_gateway_(add_address()) {
    auto* tcpip = new QGroupBox(tr("TCP/IP Settings"), content());
    auto* rows = new QFormLayout(tcpip);
    rows->addRow(control_label(tr("IP Address:"), ip_address_), ip_address_);
    rows->addRow(control_label(tr("Network Mask:"), network_mask_), network_mask_);
    rows->addRow(control_label(tr("Default Gateway:"), default_gateway_), default_gateway_);

    auto* grid = new QGridLayout(content());
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(2);
    grid->addWidget(control_label(tr("Defined Blocks"), block_list()), 0, 0);
    grid->addWidget(block_list(), 1, 0, 3, 1);
    grid->addWidget(tcpip, 1, 1, 1, 2, Qt::AlignTop);
    grid->addWidget(byte_order_, 1, 3, Qt::AlignTop);
    grid->addWidget(io_area(), 2, 1, Qt::AlignTop);
    grid->addWidget(param_area(), 2, 2, Qt::AlignTop);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(3, 1);
}

protocol_form_values CEthernetIPForm::header_values(const protocol_header& header) const {
    protocol_form_values v = CProtocolForm::header_values(header);
    if (const auto* h = dynamic_cast<const ethernetip_header*>(&header)) {
        v.ip_address = h->ip_address;
        v.network_mask = h->network_mask;
        v.default_gateway = h->default_gateway;
    }
    return v;
}

void CEthernetIPForm::fill_controls(protocol_header& header) {
    const protocol_form_values v = header_values(header);
    byte_order_->set_checked(v.byte_order);
    ip_address_->set_value(v.ip_address);
    network_mask_->set_value(v.network_mask);
    default_gateway_->set_value(v.default_gateway);
    fill_blocks(header);
}

void CEthernetIPForm::read_controls(bool) {
    read_choice(byte_order_, values_.byte_order);
    values_.ip_address = ip_address_->value();
    values_.network_mask = network_mask_->value();
    values_.default_gateway = default_gateway_->value();
}
