#include "editing/dialog_fields.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

QString without_mnemonic(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i; // "&&" stands for one ampersand
        plain += text[i];
    }
    return plain;
}

QLabel* field_label(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    field->setAccessibleName(without_mnemonic(text));
    return label;
}

void add_clear_button(QLineEdit* edit, const QString& name) {
    edit->setClearButtonEnabled(true);
    for (QToolButton* clear : edit->findChildren<QToolButton*>())
        clear->setAccessibleName(name);
}

void show_text(QLineEdit* edit, const std::string& text) {
    const QString shown = qt_text(text);
    if (edit->text() != shown)
        edit->setText(shown);
}
