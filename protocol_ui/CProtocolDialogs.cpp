#include "protocol_ui/CProtocolDialogs.h"

#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "model/zrp_file.h"
#include "protocol_ui/CHostDialog.h"
#include "protocol_ui/CSettingsDialog.h"

#include <QApplication>

QWidget* CProtocolDialogs::dialog_parent() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

bool CProtocolDialogs::select_protocol(host_selection_values& values) {
    CHostDialog dialog(values, dialog_parent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.values();
    return true;
}

bool CProtocolDialogs::edit_settings(const protocol_description& protocol, int device_code,
                                     header_values& values) {
    CSettingsDialog dialog(protocol, device_code, values, dialog_parent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.values();
    return true;
}

bool CProtocolDialogs::choose_protocol(CTessalyDoc& doc) {
    if (!doc.map())
        return false;
    map_editor& editor = doc.editor();
    host_selection_values selection = editor.protocol_selection();
    if (!select_protocol(selection))
        return false;
    map_editor::header_change change = editor.set_protocol(selection);
    if (change.replaced) {
        // The new header's settings: its device rules first, then its dialog.
        std::optional<header_values> values = editor.header_dialog_values(editor_ui());
        const protocol_header& header = *doc.map()->header;
        change.accepted =
            values && edit_settings(header.description(), header.device_code, *values);
        if (change.accepted)
            editor.set_new_header_settings(*values);
    }
    doc.protocol_changed(change);
    return true;
}

bool CProtocolDialogs::choose_protocol(zrp_file& map) {
    host_selection_values selection = protocol_selection(map);
    if (!select_protocol(selection))
        return false;
    if (!apply_protocol_selection(map, selection))
        return true;
    protocol_header& header = *map.header;
    header_values values = header.dialog_values(editor_ui());
    if (!edit_settings(header.description(), header.device_code, values))
        return false;
    header.take_dialog(values);
    return true;
}
