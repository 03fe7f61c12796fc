#include "app/CPortDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

CPortDialog::CPortDialog(const QStringList& ports, const QString& current_port, bool use_usb,
                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select a com port:"));

    port_box_ = new QComboBox;
    port_box_->setEditable(true);
    port_box_->setInsertPolicy(QComboBox::NoInsert);
    port_box_->setMinimumWidth(220);
    QStringList sorted = ports;
    sorted.removeDuplicates();
    sorted.sort();
    port_box_->addItems(sorted);
    // The first entry that begins with the stored name is selected (an empty name begins
    // every entry); without one the field shows the stored name itself.
    int match = -1;
    for (int i = 0; i < sorted.size() && match < 0; ++i)
        if (sorted[i].startsWith(current_port))
            match = i;
    if (match >= 0)
        port_box_->setCurrentIndex(match);
    else
        port_box_->setEditText(current_port);

    com_ = new QRadioButton(QStringLiteral("COM"));
    usb_ = new QRadioButton(QStringLiteral("USB"));
    (use_usb ? usb_ : com_)->setChecked(true);
    auto* use = new QGroupBox(QStringLiteral("Use:"));
    auto* use_layout = new QHBoxLayout(use);
    use_layout->addWidget(com_);
    use_layout->addWidget(usb_);
    use_layout->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select a COM Port for Tessaly to Use")));
    layout->addWidget(port_box_);
    layout->addWidget(use);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CPortDialog::port_name() const {
    return port_box_->currentText();
}

bool CPortDialog::usb_chosen() const {
    return usb_->isChecked();
}

QStringList CPortDialog::system_ports() {
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names << info.systemLocation();
    return names;
}
