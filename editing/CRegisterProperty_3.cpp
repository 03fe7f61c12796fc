#include "editing/CRegisterProperty_3.h"

#include "editing/CPageScrollArea.h"
#include "editing/bit_page_layout.h"
#include "editing/dialog_fields.h"
#include "register_rules/register_bits_state.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <vector>

namespace {
constexpr int legend_rows = 7;
}

CRegisterProperty_3::CRegisterProperty_3(register_bits_state& bits, int device_code,
                                         QWidget* parent)
    : QWidget(parent), bits_(bits) {
    auto* layout = new QVBoxLayout(CPageScrollArea::content_of(this));
    const QString labels[] = {QStringLiteral("Feeder #:"), QStringLiteral("Mnemonic:"),
                              QStringLiteral("Bit position:")};
    add_bit_groups(this, layout, labels, [this](int bit, QWidget* group) {
        const auto i = static_cast<std::size_t>(bit);
        feeders_[i] = bit_number_field(group);
        mnemonics_[i] = bit_mnemonic_box(group);
        positions_[i] = bit_number_field(group);
        connect(feeders_[i], &QLineEdit::textEdited, this, [this, bit](const QString& text) {
            bits_.status(bit).feeder_text = std_text(text);
        });
        connect(mnemonics_[i], &QComboBox::editTextChanged, this, [this, bit](const QString& text) {
            if (opened_)
                bits_.status(bit).mnemonic = std_text(text);
        });
        connect(positions_[i], &QLineEdit::textEdited, this, [this, bit](const QString& text) {
            bits_.status(bit).bit_position_text = std_text(text);
        });
        return bit_fields{feeders_[i], mnemonics_[i], positions_[i]};
    });
    const std::vector<legend_line> lines = register_bits_state::status_legend(device_code);
    std::vector<std::string_view> texts;
    for (const legend_line& line : lines)
        texts.push_back(line.text);
    legend_ = add_legend(this, layout, texts, legend_rows);
    for (std::size_t i = 0; i < lines.size(); ++i)
        legend_[static_cast<qsizetype>(i)]->setEnabled(lines[i].normal);
    QStringList mnemonics;
    for (std::string_view m : register_bits_state::status_mnemonics(device_code))
        mnemonics << qt_text(m);
    for (QComboBox* box : mnemonics_)
        box->addItems(mnemonics);
    layout->addStretch(1);
}

void CRegisterProperty_3::showEvent(QShowEvent* event) {
    if (!opened_)
        open_page();
    QWidget::showEvent(event);
}

void CRegisterProperty_3::open_page() {
    bits_.open_status();
    for (int bit = 0; bit < register_bit_count; ++bit) {
        const auto i = static_cast<std::size_t>(bit);
        const status_bit_page& page = bits_.status(bit);
        feeders_[i]->setText(qt_text(page.feeder_text));
        feeders_[i]->setEnabled(bits_.feeders_enabled());
        mnemonics_[i]->setEditText(qt_text(page.mnemonic));
        positions_[i]->setText(qt_text(page.bit_position_text));
    }
    opened_ = true;
}
