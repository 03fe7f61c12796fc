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
    : QWidget(parent), bits_(bits) {
    auto* layout = new QVBoxLayout(CPageScrollArea::content_of(this));
    const QString labels[] = {QStringLiteral("Feeder #:"), QStringLiteral("Mnemonic:"),
                              QStringLiteral("Trigger mode:")};
    add_bit_groups(this, layout, labels, [this](int bit, QWidget* group) {
        const auto i = static_cast<std::size_t>(bit);
        feeders_[i] = bit_number_field(group);
        mnemonics_[i] = bit_mnemonic_box(group);
        triggers_[i] = new CTriggerButton(group);
        connect(feeders_[i], &QLineEdit::textEdited, this, [this, bit](const QString& text) {
            bits_.command(bit).feeder_text = std_text(text);
        });
        connect(mnemonics_[i], &QComboBox::editTextChanged, this, [this, bit](const QString& text) {
            if (opened_)
                bits_.command(bit).mnemonic = std_text(text);
        });
        connect(triggers_[i], &CTriggerButton::index_changed, this,
                [this, bit](int index) { bits_.command(bit).trigger = index; });
        return bit_fields{feeders_[i], mnemonics_[i], triggers_[i]};
    });
    // The buttons are named by their label ("Trigger mode:") and the mode they show.
    for (CTriggerButton* trigger : triggers_)
        trigger->set_accessible_label(trigger->accessibleName());
    add_legend(this, layout, register_bits_state::command_legend(), legend_rows);
    layout->addStretch(1);
}

void CRegisterProperty_2::showEvent(QShowEvent* event) {
    if (!opened_)
        open_page();
    QWidget::showEvent(event);
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
