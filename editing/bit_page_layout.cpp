#include "editing/bit_page_layout.h"

#include "editing/dialog_fields.h"
#include "register_rules/register_bits_state.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

void add_bit_groups(QWidget* page, QBoxLayout* layout, std::span<const QString, 3> labels,
                    const std::function<bit_fields(int bit, QWidget* group)>& make) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->addWidget(new QLabel(QStringLiteral("MSB"), page), 0, 0, Qt::AlignLeft);
    for (int bit = register_bit_count - 1; bit >= 0; --bit) {
        const QString title = QStringLiteral("Bit %1").arg(bit);
        auto* group = new QGroupBox(title, page);
        group->setAccessibleName(title);
        auto* column = new QVBoxLayout(group);
        column->setContentsMargins(4, 2, 4, 4);
        column->setSpacing(1);
        const bit_fields fields = make(bit, group);
        QWidget* const made[] = {fields.first, fields.second, fields.third};
        for (std::size_t i = 0; i < 3; ++i) {
            column->addWidget(field_label(labels[i], made[i], group));
            column->addWidget(made[i]);
            made[i]->setAccessibleDescription(title);
        }
        const int upper = bit >= 8;
        grid->addWidget(group, upper ? 1 : 2, upper ? 15 - bit : 7 - bit);
    }
    grid->addWidget(new QLabel(QStringLiteral("LSB"), page), 3, 7, Qt::AlignRight);
    layout->addLayout(grid);
}

QList<QLabel*> add_legend(QWidget* page, QBoxLayout* layout,
                          std::span<const std::string_view> lines, int rows) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(0);
    QList<QLabel*> labels;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto* label = new QLabel(qt_text(lines[i]), page);
        const int n = static_cast<int>(i);
        grid->addWidget(label, n % rows, n / rows);
        labels.append(label);
    }
    layout->addLayout(grid);
    return labels;
}

QLineEdit* bit_number_field(QWidget* group) {
    auto* edit = new QLineEdit(group);
    edit->setMaxLength(12);
    return edit;
}

QComboBox* bit_mnemonic_box(QWidget* group) {
    auto* box = new QComboBox(group);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->completer()->setCaseSensitivity(Qt::CaseSensitive);
    return box;
}
