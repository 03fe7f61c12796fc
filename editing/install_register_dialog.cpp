#include "editing/install_register_dialog.h"

#include "editing/CRegisterDialog.h"
#include "model/map_editor.h"
#include "model/zrp_file.h"
#include "protocol_ui/CEditorDialogs.h"
#include "protocol_ui/editor_dialogs.h"

void install_register_dialog(parameter_list& catalogue) {
    set_register_properties_runner([&catalogue](register_dialog_values& values, int mode_flags) {
        CRegisterDialog dialog(values, mode_flags == map_editor::edit_existing_register, &catalogue,
                               network_protocol_flag, CEditorDialogs::dialog_parent());
        if (dialog.exec() != QDialog::Accepted)
            return 0;
        values = dialog.values();
        return 1;
    });
}
