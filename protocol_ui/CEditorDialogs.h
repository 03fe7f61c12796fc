#pragma once
// The editor's settings_dialogs: runs the real dialogs modally over the active window.

#include "model/settings_dialogs.h"

#include <memory>

class CSettingsDialog;
class QWidget;

class CEditorDialogs : public settings_dialogs {
  public:
    int run_host_selection(host_selection_values& values) override;
    int run_protocol_settings(settings_dialog_kind kind, protocol_dialog_values& values) override;
    // The runner installed with set_register_properties_runner(); Cancel (0) without one.
    int run_register_properties(register_dialog_values& values, int mode_flags) override;

    // The window a dialog opens over: the active modal dialog, else the active window.
    static QWidget* dialog_parent();

    // The settings dialog for a protocol, preset with values (not shown).
    static std::unique_ptr<CSettingsDialog>
    create_settings_dialog(settings_dialog_kind kind, const protocol_dialog_values& values,
                           QWidget* parent);
};
