#include "protocol_ui/accessible_labels.h"

#include "protocol_ui/CIpAddressEdit.h"

#include <QFileDialog>
#include <QLabel>

QLabel* control_label(const QString& text, QWidget* control) {
    auto* label = new QLabel(text, control->parentWidget());
    label->setBuddy(control);
    if (auto* address = qobject_cast<CIpAddressEdit*>(control))
        address->set_accessible_label(text);
    else
        control->setAccessibleName(text);
    return label;
}

void label_file_dialog_fields(QFileDialog* dialog) {
    // The names Qt gives the widget-based dialog's parts; a dialog without them (a platform
    // dialog, another Qt version) is left as it is.
    constexpr const char* pairs[][2] = {{"lookInLabel", "lookInCombo"},
                                        {"fileTypeLabel", "fileTypeCombo"}};
    for (const auto& [label_name, field_name] : pairs) {
        auto* label = dialog->findChild<QLabel*>(QLatin1String(label_name));
        auto* field = dialog->findChild<QWidget*>(QLatin1String(field_name));
        if (label && field && !label->buddy())
            label->setBuddy(field);
    }
}
