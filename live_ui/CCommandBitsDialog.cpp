#include "live_ui/CCommandBitsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CCommandBitsDialog::CCommandBitsDialog(int register_number, std::uint16_t word,
                                       const bit_names& names, QWidget* parent)
    : QDialog(parent), number_(register_number), word_label_(new QLabel) {
    setWindowTitle(QStringLiteral("Command Bits"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Register %1: tick the bits to write.").arg(register_number)));

    // Bits 15 to 8 on the left, 7 to 0 on the right, in the order the value column shows
    // them; the keyboard goes down the left column first.
    auto* grid = new QGridLayout;
    for (int bit = 15; bit >= 0; --bit) {
        auto* box = new QCheckBox(QStringLiteral("Bit %1: %2")
                                      .arg(bit)
                                      .arg(QString::fromStdString(names[std::size_t(bit)])));
        box->setChecked((word >> bit) & 1u);
        connect(box, &QCheckBox::toggled, this, &CCommandBitsDialog::show_word);
        boxes_[std::size_t(bit)] = box;
        grid->addWidget(box, 15 - bit - (bit < 8 ? 8 : 0), bit < 8 ? 1 : 0);
    }
    layout->addLayout(grid);
    for (int bit = 15; bit > 0; --bit)
        setTabOrder(boxes_[std::size_t(bit)], boxes_[std::size_t(bit - 1)]);
    layout->addWidget(word_label_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    QPushButton* write = buttons->addButton(QStringLiteral("Write"), QDialogButtonBox::AcceptRole);
    write->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    show_word();
}

std::uint16_t CCommandBitsDialog::word() const {
    std::uint16_t w = 0;
    for (int bit = 0; bit < 16; ++bit)
        if (boxes_[std::size_t(bit)]->isChecked())
            w = static_cast<std::uint16_t>(w | (1u << bit));
    return w;
}

void CCommandBitsDialog::show_word() {
    const std::uint16_t w = word();
    word_label_->setText(QStringLiteral("Word to write: %1 (0x%2)")
                             .arg(w, 16, 2, QLatin1Char('0'))
                             .arg(QString::number(w, 16).toUpper().rightJustified(4, '0')));
}
