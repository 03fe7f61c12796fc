#include "protocol_ui/CIpAddressEdit.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

CIpAddressEdit::CIpAddressEdit(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (std::size_t i = 0; i < octets_.size(); ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        auto* edit = new QLineEdit(this);
        edit->setValidator(new QIntValidator(0, 255, edit));
        edit->setMaxLength(3);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);
        connect(edit, &QLineEdit::textChanged, this, &CIpAddressEdit::address_changed);
        octets_[i] = edit;
        layout->addWidget(edit);
    }
    layout->addStretch(1);
    setFocusProxy(octets_[0]);
}

std::uint32_t CIpAddressEdit::value() const {
    std::uint32_t address = 0;
    for (QLineEdit* edit : octets_) {
        const unsigned part = edit->text().toUInt(); // empty or invalid gives 0
        address = (address << 8) | (part > 255 ? 255u : part);
    }
    return address;
}

void CIpAddressEdit::set_value(std::uint32_t address) {
    for (std::size_t i = 0; i < octets_.size(); ++i)
        octets_[i]->setText(QString::number((address >> (24 - 8 * i)) & 0xFFu));
}
