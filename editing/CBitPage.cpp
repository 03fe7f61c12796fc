#include "editing/CBitPage.h"

#include "editing/CPageScrollArea.h"
#include "editing/bit_page_layout.h"
#include "editing/dialog_fields.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

void CBitPage::showEvent(QShowEvent* event) {
    if (!opened_)
        open_page();
    QWidget::showEvent(event);
}

QVBoxLayout* CBitPage::lay_out_bits(const QString& third_label) {
    // The groups scroll when the dialog is held smaller than the page needs.
    auto* layout = new QVBoxLayout(CPageScrollArea::content_of(this));
    const QString labels[] = {QStringLiteral("Feeder #:"), QStringLiteral("Mnemonic:"),
                              third_label};
    add_bit_groups(this, layout, labels, [this](int bit, QWidget* group) {
        const auto i = static_cast<std::size_t>(bit);
        feeders_[i] = bit_number_field(group);
        mnemonics_[i] = bit_mnemonic_box(group);
        QWidget* third = third_field(bit, group);
        connect(feeders_[i], &QLineEdit::textEdited, this,
                [this, bit](const QString& text) { texts_of(bit).feeder_text = std_text(text); });
        connect(mnemonics_[i], &QComboBox::editTextChanged, this, [this, bit](const QString& text) {
            if (opened_)
                texts_of(bit).mnemonic = std_text(text);
        });
        return bit_fields{feeders_[i], mnemonics_[i], third};
    });
    return layout;
}
