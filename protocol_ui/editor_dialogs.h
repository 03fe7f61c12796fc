#pragma once
// The editor's implementation of the model's dialog interface (model/settings_dialogs.h): the
// host protocol selection runs CHostDialog, the protocol settings run the nine settings
// dialogs. Register properties run whatever the register dialog installs (Cancel, 0, until
// one is installed).

#include "model/settings_dialogs.h"

#include <functional>

// Installs the editor's dialogs with set_dialogs(); safe to call more than once.
void install_editor_dialogs();

// Runs the register properties dialog on values; returns 1 for OK.
using register_properties_runner = std::function<int(register_dialog_values&, int mode_flags)>;
// Installs the register properties dialog the editor runs.
void set_register_properties_runner(register_properties_runner runner);
