#include "protocol_ui/accessible_labels.h"

#include "protocol_ui/CIpAddressEdit.h"

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
