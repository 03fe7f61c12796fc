#pragma once
// Puts the register dialog into the editor's dialogs: from then on the model's register
// properties dialog is a CRegisterDialog over catalogue. Whoever starts the editor calls this
// once; the catalogue must outlive every dialog (it is the application's, reloaded in place).

class parameter_list;

void install_register_dialog(parameter_list& catalogue);
