#pragma once
// The editor's implementation of the model's dialog interface (model/settings_dialogs.h): the
// host protocol selection runs CHostDialog, the protocol settings run the nine settings
// dialogs. Register properties are answered with Cancel (0) here.

// Installs the editor's dialogs with set_dialogs(); safe to call more than once.
void install_editor_dialogs();
