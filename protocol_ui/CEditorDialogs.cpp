#include "protocol_ui/CEditorDialogs.h"

#include "protocol_ui/CComm2Dialog.h"
#include "protocol_ui/CCommDialog.h"
#include "protocol_ui/CDeviceNetDialog.h"
#include "protocol_ui/CEthernetIPDialog.h"
#include "protocol_ui/CHostDialog.h"
#include "protocol_ui/CMbplusDialog.h"
#include "protocol_ui/CModTcpDialog.h"
#include "protocol_ui/CProfibusDialog.h"
#include "protocol_ui/CProfinetDialog.h"
#include "protocol_ui/GenericDialog.h"
#include "protocol_ui/editor_dialogs.h"

#include <QApplication>

namespace {
register_properties_runner& register_runner() {
    static register_properties_runner runner;
    return runner;
}

template <class Dialog>
std::unique_ptr<CSettingsDialog> make(const protocol_dialog_values& values, QWidget* parent) {
    return std::make_unique<Dialog>(values, parent);
}

struct dialog_maker {
    settings_dialog_kind kind;
    std::unique_ptr<CSettingsDialog> (*create)(const protocol_dialog_values&, QWidget*);
};
constexpr dialog_maker dialog_makers[] = {
    {settings_dialog_kind::generic, make<GenericDialog>},
    {settings_dialog_kind::allen_bradley, make<CComm2Dialog>},
    {settings_dialog_kind::modbus_siemens, make<CCommDialog>},
    {settings_dialog_kind::modbus_plus, make<CMbplusDialog>},
    {settings_dialog_kind::modbus_tcp, make<CModTcpDialog>},
    {settings_dialog_kind::profibus, make<CProfibusDialog>},
    {settings_dialog_kind::profinet, make<CProfinetDialog>},
    {settings_dialog_kind::devicenet, make<CDeviceNetDialog>},
    {settings_dialog_kind::ethernetip, make<CEthernetIPDialog>},
};
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

std::unique_ptr<CSettingsDialog>
CEditorDialogs::create_settings_dialog(settings_dialog_kind kind,
                                       const protocol_dialog_values& values, QWidget* parent) {
    for (const dialog_maker& m : dialog_makers)
        if (m.kind == kind)
            return m.create(values, parent);
    return nullptr;
}

int CEditorDialogs::run_protocol_settings(settings_dialog_kind kind,
                                          protocol_dialog_values& values) {
    const auto dialog = create_settings_dialog(kind, values, dialog_parent());
    if (!dialog || dialog->exec() != QDialog::Accepted)
        return 0;
    values = dialog->values();
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
