#include "editing/CRegisterProperty_2.h"

#include "editing/CPageScrollArea.h"
#include "editing/CTriggerButton.h"
#include "editing/bit_page_layout.h"
#include "editing/dialog_fields.h"
#include "register_rules/register_bits_state.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int legend_rows = 10;
}

CRegisterProperty_2::CRegisterProperty_2(register_bits_state& bits, QWidget* parent)
    : CBitPage(bits, parent) {
    QVBoxLayout* layout = lay_out_bits(QStringLiteral("Trigger mode:"));
    // The buttons are named by their label ("Trigger mode:") and the mode they show.
    for (CTriggerButton* trigger : triggers_)
        trigger->set_accessible_label(trigger->accessibleName());
    add_legend(this, layout, register_bits_state::command_legend(), legend_rows);
    layout->addStretch(1);
}

CBitPage::bit_texts CRegisterProperty_2::texts_of(int bit) {
    auto& page = bits_.command(bit);
    return {page.feeder_text, page.mnemonic};
}

QWidget* CRegisterProperty_2::third_field(int bit, QWidget* group) {
    auto* trigger = new CTriggerButton(group);
    triggers_[static_cast<std::size_t>(bit)] = trigger;
    connect(trigger, &CTriggerButton::index_changed, this,
            [this, bit](int index) { bits_.command(bit).trigger = index; });
    return trigger;
}

void CRegisterProperty_2::open_page() {
    bits_.open_commands();
    QStringList mnemonics;
    for (std::string_view m : register_bits_state::command_mnemonics())
        mnemonics << qt_text(m);
    const int widest = fontMetrics().horizontalAdvance(QStringLiteral("Falling edge")) + 16;
    for (int bit = 0; bit < register_bit_count; ++bit) {
        const auto i = static_cast<std::size_t>(bit);
        const command_bit_page& page = bits_.command(bit);
        CTriggerButton* button = triggers_[i];
        button->clear();
        for (std::string_view mode : register_bits_state::trigger_modes())
            button->add_caption(qt_text(mode));
        button->select_index(page.trigger);
        button->setEnabled(bits_.triggers_enabled());
        button->setMinimumWidth(widest);
        mnemonics_[i]->clear();
        mnemonics_[i]->addItems(mnemonics);
        mnemonics_[i]->setEditText(qt_text(page.mnemonic));
        feeders_[i]->setText(qt_text(page.feeder_text));
        feeders_[i]->setEnabled(bits_.feeders_enabled());
    }
    opened_ = true;
}
