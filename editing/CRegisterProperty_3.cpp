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
    : CBitPage(bits, parent) {
    QVBoxLayout* layout = lay_out_bits(QStringLiteral("Bit position:"));
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

CBitPage::bit_texts CRegisterProperty_3::texts_of(int bit) {
    auto& page = bits_.status(bit);
    return {page.feeder_text, page.mnemonic};
}

QWidget* CRegisterProperty_3::third_field(int bit, QWidget* group) {
    QLineEdit* position = bit_number_field(group);
    positions_[static_cast<std::size_t>(bit)] = position;
    connect(position, &QLineEdit::textEdited, this, [this, bit](const QString& text) {
        bits_.status(bit).bit_position_text = std_text(text);
    });
    return position;
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
