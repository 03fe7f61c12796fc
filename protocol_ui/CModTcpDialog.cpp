#include "protocol_ui/CModTcpDialog.h"

#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

CModTcpDialog::CModTcpDialog(const protocol_dialog_values& preset, QWidget* parent)
    : CSettingsDialog(tr("Modbus/TCP settings:"), preset, parent),
      ip_address_(new CIpAddressEdit(this)), network_mask_(new CIpAddressEdit(this)),
      default_gateway_(new CIpAddressEdit(this)),
      byte_order_(new CChoiceGroup(tr("Byte order"), labels_byte_order, this)) {
    auto* fields = new QFormLayout;
    fields->addRow(control_label(tr("Ip address:"), ip_address_), ip_address_);
    fields->addRow(control_label(tr("Network mask:"), network_mask_), network_mask_);
    fields->addRow(control_label(tr("Default gateway:"), default_gateway_), default_gateway_);
    body_->addLayout(fields);
    body_->addWidget(byte_order_);
    add_buttons();

    ip_address_->set_value(preset.ip_address);
    network_mask_->set_value(preset.network_mask);
    default_gateway_->set_value(preset.default_gateway);
    byte_order_->set_checked(preset.byte_order);
}

bool CModTcpDialog::read_into(protocol_dialog_values& out) {
    out.ip_address = ip_address_->value();
    out.network_mask = network_mask_->value();
    out.default_gateway = default_gateway_->value();
    out.byte_order = checked_or(byte_order_, out.byte_order);
    return true;
}
