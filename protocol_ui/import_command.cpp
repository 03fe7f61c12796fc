#include "protocol_ui/import_command.h"

#include "convert/convert_messages.h"
#include "convert/import_command.h"
#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "protocol_ui/CProtocolDialogs.h"
#include "protocol_ui/accessible_labels.h"

#include <QFileDialog>

namespace {
// The file dialogs' filter: old and new maps both carry the .zrp extension.
const QString zrp_filter = QStringLiteral("Vantor Ombra Files (*.zrp)");
constexpr const char* preset_device = "RDX";

// The Qt file dialogs.
class qt_import_file_chooser : public import_file_chooser {
  public:
    QString open_path(QWidget* parent, const QString& title) override {
        return run(import_file_dialog(parent, title, false));
    }
    QString save_path(QWidget* parent, const QString& title) override {
        return run(import_file_dialog(parent, title, true));
    }

  private:
    static QString run(const std::unique_ptr<QFileDialog>& dialog) {
        return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
    }
};

void say(std::string_view text) {
    editor_ui().message(std::string(text));
}

} // namespace

std::unique_ptr<QFileDialog> import_file_dialog(QWidget* parent, const QString& title, bool save) {
    auto dialog = std::make_unique<QFileDialog>(parent, title, QString(), zrp_filter);
    if (save) {
        // No overwrite question of the dialog's own: the command asks it itself, in its own
        // words.
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    dialog->setDefaultSuffix(QStringLiteral("zrp"));
    label_file_dialog_fields(dialog.get());
    return dialog;
}

void run_import_command(QWidget* parent, CProtocolDialogs& dialogs) {
    qt_import_file_chooser chooser;
    run_import_command(parent, dialogs, chooser);
}

void run_import_command(QWidget* parent, CProtocolDialogs& dialogs, import_file_chooser& chooser) {
    using namespace convert_text;
    const QString old_path =
        chooser.open_path(parent, QString::fromUtf8(open_title.data(), open_title.size()));
    if (old_path.isEmpty())
        return say(conversion_cancelled);
    say(input_selected);
    const QString new_path =
        chooser.save_path(parent, QString::fromUtf8(save_title.data(), save_title.size()));
    if (new_path.isEmpty())
        return say(conversion_cancelled);

    import_command command(CTessalyDoc::native_path(old_path), CTessalyDoc::native_path(new_path),
                           editor_ui());
    if (!command.check_files(overwrite_policy::ask))
        return;

    // The selection starts at device RDX with no protocol checked; a cancelled selection
    // still converts, with an empty description line.
    host_selection_values selection{-1, preset_device};
    std::optional<import_selection> chosen;
    if (dialogs.select_protocol(selection))
        chosen = import_selection{selection.device_word, selection.protocol_position};
    command.convert(chosen);
}
