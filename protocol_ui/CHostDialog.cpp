#include "protocol_ui/CHostDialog.h"

#include "model/host_selection.h"
#include "protocol_ui/CChoiceGroup.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
// Device list entries in their fixed order (not sorted).
constexpr const char* device_entries[] = {"RDX", "HQP", "BLF", "WNT"};
constexpr const char* protocol_labels[] = {"Allen-Bradley", "Modbus",      "Siemens",
                                           "Profibus",      "Modbus/TCP",  "Modbus Plus",
                                           "Device Net",    "Ethernet/IP", "Profinet IO"};
constexpr int siemens_position = 2;
} // namespace

CHostDialog::CHostDialog(const host_selection_values& preset, QWidget* parent)
    : QDialog(parent), devices_(new QComboBox(this)),
      protocols_(new CChoiceGroup(tr("Host Protocol"), protocol_labels, this)) {
    setWindowTitle(tr("Host Protocol Selection"));
    for (const char* word : device_entries)
        devices_->addItem(QString::fromUtf8(word));
    devices_->setCurrentIndex(devices_->findText(QString::fromStdString(preset.device_word)));
    protocols_->set_checked(preset.protocol_position);
    // As laid out: Siemens disabled, whatever the device; the device rule does not run yet.
    protocols_->button(siemens_position)->setEnabled(false);

    auto* platform = new QFormLayout;
    platform->addRow(tr("Platform"), devices_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CHostDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CHostDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(platform);
    layout->addWidget(protocols_);
    layout->addWidget(buttons);

    connect(devices_, &QComboBox::currentIndexChanged, this, &CHostDialog::apply_device_rule);
}

host_selection_values CHostDialog::values() const {
    return {protocols_->checked(), devices_->currentText().toStdString()};
}

void CHostDialog::apply_device_rule() {
    host_selection_values state = values();
    const auto enabled = apply_host_device_rule(state.protocol_position, state.device_word);
    protocols_->set_checked(state.protocol_position);
    for (int i = 0; i < host_protocol_choices; ++i)
        protocols_->button(i)->setEnabled(enabled[static_cast<std::size_t>(i)]);
}

void CHostDialog::accept() {
    apply_device_rule();
    QDialog::accept();
}
