#pragma once
// The editor's settings_dialogs: runs the real dialogs modally over the active window.

#include "model/settings_dialogs.h"

class QWidget;

class CEditorDialogs : public settings_dialogs {
  public:
    int run_host_selection(host_selection_values& values) override;
    int run_protocol_settings(const protocol_description& protocol, int device_code,
                              header_values& values) override;
    // The runner installed with set_register_properties_runner(); Cancel (0) without one.
    int run_register_properties(register_dialog_values& values, int mode_flags) override;

    // The window a dialog opens over: the active modal dialog, else the active window.
    static QWidget* dialog_parent();
};
