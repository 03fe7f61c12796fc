#include "protocol_ui/CEditorDialogs.h"

#include "protocol_ui/CHostDialog.h"
#include "protocol_ui/CSettingsDialog.h"
#include "protocol_ui/editor_dialogs.h"

#include <QApplication>

namespace {
register_properties_runner& register_runner() {
    static register_properties_runner runner;
    return runner;
}

} // namespace

QWidget* CEditorDialogs::dialog_parent() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

int CEditorDialogs::run_host_selection(host_selection_values& values) {
    CHostDialog dialog(values, dialog_parent());
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    values = dialog.values();
    return 1;
}

int CEditorDialogs::run_protocol_settings(const protocol_description& protocol, int device_code,
                                          header_values& values) {
    CSettingsDialog dialog(protocol, device_code, values, dialog_parent());
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    values = dialog.values();
    return 1;
}

int CEditorDialogs::run_register_properties(register_dialog_values& values, int mode_flags) {
    const register_properties_runner& runner = register_runner();
    return runner ? runner(values, mode_flags) : 0;
}

void set_register_properties_runner(register_properties_runner runner) {
    register_runner() = std::move(runner);
}

void install_editor_dialogs() {
    static CEditorDialogs instance;
    set_dialogs(&instance);
}
