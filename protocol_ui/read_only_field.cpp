#include "protocol_ui/read_only_field.h"

#include <QLineEdit>
#include <QPalette>
#include <QVariant>

void set_read_only(QLineEdit* edit, bool read_only) {
    if (edit->isReadOnly() == read_only && edit->property("read_only_look").isValid())
        return;
    edit->setReadOnly(read_only);
    edit->setProperty("read_only_look", read_only);
    QPalette palette = edit->parentWidget() ? edit->parentWidget()->palette() : edit->palette();
    if (read_only)
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
}
