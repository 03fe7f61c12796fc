#pragma once
// Small pieces the register dialog's pages share: labelled fields whose accessible name is the
// label's text, and texts passed between the toolkit-free state and the widgets.

#include "protocol_ui/read_only_field.h"

#include <QString>

#include <string>
#include <string_view>

class QLabel;
class QLineEdit;
class QWidget;

// A label (with its mnemonic) for field: the label is the field's buddy and the field's
// accessible name is the label's text without the mnemonic mark.
QLabel* field_label(const QString& text, QWidget* field, QWidget* parent);
// The text without its mnemonic mark ("&Min:" gives "Min:").
QString without_mnemonic(const QString& text);

inline QString qt_text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string std_text(const QString& text) {
    return text.toStdString();
}
// Gives edit its clear button, named for screen readers (the button shows an icon only).
void add_clear_button(QLineEdit* edit, const QString& name);
// Shows text in edit unless it shows it already (the cursor stays where the user put it).
void show_text(QLineEdit* edit, const std::string& text);
