#include "editing/CRegisterDialogs.h"

#include "editing/CRegisterDialog.h"
#include "model/zrp_file.h"

#include <QApplication>

bool CRegisterDialogs::edit_register(register_dialog_values& values, bool existing) {
    QWidget* parent = QApplication::activeModalWidget();
    CRegisterDialog dialog(values, existing, catalogue_, network_protocol_flag,
                           parent ? parent : QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.values();
    return true;
}
