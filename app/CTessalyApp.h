#pragma once
// The editor's application object: the persistent settings and the parameter catalogue,
// help, the printer and the shell's command texts. It builds the main window and the objects
// that carry the commands: the documents (CDocumentManager), the recent-file list
// (CRecentFiles), the link with its transfers (CTransferCommands) and the register table,
// comparison and check commands (CMapCommands).

#include "app/AppSetup.h"
#include "app/file_prompter.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class CContextHelp;
class CDocumentManager;
class CHelpWindow;
class CMainFrame;
class CMapCommands;
class CRecentFiles;
class CTransferCommands;
class QPrinter;
class CProtocolDialogs;
class CRegisterDialogs;
class hid_library;
class parameter_list;

class CTessalyApp : public QObject {
    Q_OBJECT
  public:
    // What start-up leaves to the tests: the USB library (nullptr: hidapi) and whether the
    // device watcher and the help check run.
    struct options {
        hid_library* usb_library = nullptr;
        bool watch_devices = true;
        // The folder of the help pages (empty: the installed or bundled pages).
        QString help_folder;
        // The dialogs the windows run (nullptr: the real ones); not owned.
        CProtocolDialogs* protocol_dialogs = nullptr;
        CRegisterDialogs* register_dialogs = nullptr;
    };

    CTessalyApp();
    explicit CTessalyApp(const options& opts);
    ~CTessalyApp() override;

    // Start-up after the command line was parsed: main window, the file to open (when
    // given), help check, settings, catalogue, link. False when start-up fails (the file
    // named on the command line could not be opened).
    bool init_instance(const QString& file_to_open);

    CMainFrame* main_frame() const { return main_frame_; }
    CDocumentManager& documents() const { return *documents_; }
    CRecentFiles& recent_files() const { return *recent_; }
    CTransferCommands& transfers() const { return *transfers_; }
    CMapCommands& map_commands() const { return *map_commands_; }

    parameter_list& catalogue() const { return *catalogue_; }
    CProtocolDialogs& protocol_dialogs() const { return *protocol_dialogs_; }
    const AppSetup& param_file() const { return param_file_; }
    const AppSetup& show_protocol_dialog() const { return show_protocol_dialog_; }
    // Loads the catalogue from the "ParamFile" setting (a relative name that is not in the
    // current directory falls back to the installed catalogue).
    void load_catalogue();
    // Stores a new "ParamFile" / "ShowProtocolDialog" value (the preferences dialog).
    void set_param_file(const QString& path);
    void set_show_protocol_dialog(bool show);
    void preferences();

    const QString& help_folder() const { return help_folder_; }
    CHelpWindow* help_window() const;
    void help_contents();
    // Shows the help page of a context number.
    void help_context(int context);
    // Shows a page of the help folder. Asked for while a modal dialog is open, the page opens
    // in a help window of that dialog, so that it can be read and closed while the dialog
    // stays.
    void show_help_page(const QString& page);
    CContextHelp& context_help() const { return *context_help_; }
    void about();

    // The printer every print job uses, so that Print Setup's choices apply.
    QPrinter& printer();

    // The prompter in force (not owned); nullptr restores the Qt dialogs.
    void set_prompter(file_prompter* prompter);
    file_prompter& prompter() const { return *prompter_; }

    // A command text from the shell or the single-instance channel: a send request or a
    // file to open. True when it was handled.
    bool on_command_text(const QString& text);
    // Set when the program was started by the shell only to carry out a command text; the
    // main window closes after it.
    void set_started_by_user(bool by_user) { started_by_user_ = by_user; }
    bool started_by_user() const { return started_by_user_; }

    // At exit: documents are gone; stops the USB reader and closes the device.
    void exit_instance();

  signals:
    void catalogue_changed();

  protected:
    // Every window of the editor, and every protocol form, tabs in reading order once shown.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void read_settings();
    void check_help_file();
    QString resolve_param_file(const QString& value) const;

    options options_;
    AppSetup param_file_;
    AppSetup show_protocol_dialog_;
    std::unique_ptr<parameter_list> catalogue_;
    std::unique_ptr<CProtocolDialogs> own_protocol_dialogs_;
    std::unique_ptr<CRegisterDialogs> own_register_dialogs_;
    CProtocolDialogs* protocol_dialogs_;
    CRegisterDialogs* register_dialogs_;
    std::unique_ptr<file_prompter> qt_prompter_;
    file_prompter* prompter_ = nullptr;
    std::unique_ptr<CRecentFiles> recent_;
    std::unique_ptr<CTransferCommands> transfers_;
    std::unique_ptr<CDocumentManager> documents_;
    std::unique_ptr<CMapCommands> map_commands_;
    std::unique_ptr<QPrinter> printer_;
    CMainFrame* main_frame_ = nullptr;
    QPointer<CHelpWindow> help_window_;
    QPointer<CHelpWindow> dialog_help_window_;
    std::unique_ptr<CContextHelp> context_help_;
    QString help_folder_;
    bool started_by_user_ = true;
};
