#include "protocol_ui/CEthernetIPDialog.h"

#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/CUsageDisplay.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CEthernetIPDialog::CEthernetIPDialog(const protocol_dialog_values& preset, QWidget* parent)
    : CBlockSettingsDialog(tr("Ethernet/IP Settings"), preset, parent),
      byte_order_(new CChoiceGroup(tr("Byte Order"), labels_byte_order_caps, this)),
      ip_address_(new CIpAddressEdit(this)), network_mask_(new CIpAddressEdit(this)),
      default_gateway_(new CIpAddressEdit(this)) {
    auto* tcpip = new QGroupBox(tr("TCP/IP Settings"), this);
    auto* rows = new QFormLayout(tcpip);
    rows->addRow(control_label(tr("IP Address:"), ip_address_), ip_address_);
    rows->addRow(control_label(tr("Network Mask:"), network_mask_), network_mask_);
    rows->addRow(control_label(tr("Default Gateway:"), default_gateway_), default_gateway_);

    auto* grid = new QGridLayout;
    grid->addWidget(usage(), 0, 0, 2, 1);
    grid->addWidget(byte_order_, 0, 1, Qt::AlignTop);
    grid->addWidget(tcpip, 1, 1, Qt::AlignTop);
    grid->addWidget(control_label(tr("Defined Blocks"), block_list()), 2, 0, 1, 2);
    grid->addWidget(block_list(), 3, 0, 1, 2);
    grid->addWidget(change_button(), 4, 0, Qt::AlignLeft);
    body_->addLayout(grid);
    add_buttons();

    byte_order_->set_checked(preset.byte_order);
    ip_address_->set_value(preset.ip_address);
    network_mask_->set_value(preset.network_mask);
    default_gateway_->set_value(preset.default_gateway);
    show_blocks();
}

bool CEthernetIPDialog::read_into(protocol_dialog_values& out) {
    out.ip_address = ip_address_->value();
    out.network_mask = network_mask_->value();
    out.default_gateway = default_gateway_->value();
    out.byte_order = checked_or(byte_order_, out.byte_order);
    read_blocks(out);
    return true;
}
