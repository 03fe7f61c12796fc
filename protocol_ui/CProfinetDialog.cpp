#include "protocol_ui/CProfinetDialog.h"

#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/help_topics.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CProfinetDialog::CProfinetDialog(const protocol_dialog_values& preset, QWidget* parent)
    : CSettingsDialog(tr("Profinet I/O settings:"), preset, parent),
      ip_address_(new CIpAddressEdit(this)), network_mask_(new CIpAddressEdit(this)),
      default_gateway_(new CIpAddressEdit(this)),
      input_size_(new CIntegerEdit(CIntegerEdit::unsigned_range, this, 0, 1536)),
      output_size_(new CIntegerEdit(CIntegerEdit::unsigned_range, this, 0, 1536)),
      byte_order_(new CChoiceGroup(tr("Byte order"), labels_byte_order, this)) {
    auto* fields = new QFormLayout;
    fields->addRow(control_label(tr("IP address:"), ip_address_), ip_address_);
    fields->addRow(control_label(tr("Network mask:"), network_mask_), network_mask_);
    fields->addRow(control_label(tr("Default gateway:"), default_gateway_), default_gateway_);
    fields->addRow(tr("Input block size:"), input_size_);
    fields->addRow(tr("Output block size:"), output_size_);
    body_->addLayout(fields);
    body_->addWidget(byte_order_);
    help_ = add_buttons()->addButton(tr("Help"), QDialogButtonBox::HelpRole);
    connect(help_, &QPushButton::clicked, this,
            [this] { show_help_topic(this, help_context_profinet); });

    // The addresses first, then the other fields.
    ip_address_->set_value(preset.ip_address);
    network_mask_->set_value(preset.network_mask);
    default_gateway_->set_value(preset.default_gateway);
    input_size_->set_value(preset.input_size);
    output_size_->set_value(preset.output_size);
    byte_order_->set_checked(preset.byte_order);
}

bool CProfinetDialog::read_into(protocol_dialog_values& out) {
    out.ip_address = ip_address_->value();
    out.network_mask = network_mask_->value();
    out.default_gateway = default_gateway_->value();
    if (!input_size_->read(out.input_size) || !output_size_->read(out.output_size))
        return false;
    out.byte_order = checked_or(byte_order_, out.byte_order);
    return true;
}
