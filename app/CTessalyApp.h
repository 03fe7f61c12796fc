#pragma once
// The editor's application object: the persistent settings, the parameter catalogue, the
// link state with its USB device and device watcher, the error-list window, and the
// commands that need no document (send without a document, extraction, link and port
// choice, preferences, help, about). It also carries the document commands that the
// framework would (new, open, save, close, recent files) and the shell's command texts.

#include "app/AppSetup.h"
#include "app/file_prompter.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <istream>
#include <memory>

class CChildFrame;
class CHelpWindow;
class CMainFrame;
class CTessalyDoc;
class CZRPErrorDlg;
class QPrinter;
class QWidget;
class UsbHidDevice;
class hid_device_watcher;
class hid_library;
class link_settings;
class link_state;
class parameter_list;
class zrp_file;

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
    };

    CTessalyApp();
    explicit CTessalyApp(const options& opts);
    ~CTessalyApp() override;

    // The running application, or nullptr.
    static CTessalyApp* instance();

    // Start-up after the command line was parsed: main window, the file to open (when
    // given), help check, settings, catalogue, link. False when start-up fails (the file
    // named on the command line could not be opened).
    bool init_instance(const QString& file_to_open);

    CMainFrame* main_frame() const { return main_frame_; }
    link_state& link() const { return *link_; }
    parameter_list& catalogue() const { return *catalogue_; }
    const AppSetup& param_file() const { return param_file_; }
    const AppSetup& show_protocol_dialog() const { return show_protocol_dialog_; }
    CZRPErrorDlg* error_window() const;
    const QString& help_folder() const { return help_folder_; }
    CHelpWindow* help_window() const;
    QPrinter& printer();

    // The prompter in force (not owned); nullptr restores the Qt dialogs.
    void set_prompter(file_prompter* prompter);
    file_prompter& prompter() const { return *prompter_; }

    // Document commands.
    CTessalyDoc* file_new();
    void file_open();
    // Opens path as a document, or activates its window when it is open already.
    CTessalyDoc* open_document_file(const QString& path, bool add_to_recent = true);
    bool save_document(CTessalyDoc* doc);
    bool save_document_as(CTessalyDoc* doc);
    // Before a modified document closes: asks "Save changes to %1?". False to keep it open.
    bool save_modified(CTessalyDoc* doc);
    // Closes every document (asking to save modified ones); false when the user cancelled.
    bool close_all_documents();
    QList<CChildFrame*> frames() const;
    CChildFrame* active_frame() const;
    CTessalyDoc* active_document() const;

    // Recent files (4 entries, most recent first).
    QStringList recent_files() const;
    void add_to_recent_files(const QString& path);

    // Commands without a document.
    void send_without_document();
    // Sends a text stream (a document's map written into memory, or a file) over the link.
    bool send_stream(std::istream& text);
    // Sends the file named by path ("The file could not be opened." when it cannot be).
    bool send_file(const QString& path);
    void extract(const QString& reserved_name);
    // Runs a configuration extraction for the document path; nullptr after a failure.
    std::unique_ptr<zrp_file> extract_configuration(int device_code);
    // Extracts the error list into the error window.
    void extract_error_list_to_window();
    // Shows text in the error window (creating it the first time), or empties an existing
    // window when text is empty.
    void show_error_list(const QString* text);

    void port_setup();
    void preferences();
    void about();
    void help_contents();
    // Shows the help page of a context number.
    void help_context(int context);
    // Loads the catalogue from the "ParamFile" setting (a relative name that is not in the
    // current directory falls back to the installed catalogue).
    void load_catalogue();
    // Stores a new "ParamFile" / "ShowProtocolDialog" value (the preferences dialog).
    void set_param_file(const QString& path);
    void set_show_protocol_dialog(bool show);

    // A command text from the shell or the single-instance channel: a send request or a
    // file to open. True when it was handled.
    bool on_command_text(const QString& text);
    // Set when the program was started by the shell only to carry out a command text; the
    // main window closes after it.
    void set_started_by_user(bool by_user) { started_by_user_ = by_user; }
    bool started_by_user() const { return started_by_user_; }

    void document_title_changed(CChildFrame* frame);
    // At exit: documents are gone; stops the USB reader and closes the device.
    void exit_instance();

  signals:
    void link_status_changed(const QString& text);
    void recent_files_changed();

  private:
    CTessalyDoc* open_in_new_window(CTessalyDoc* doc);
    CChildFrame* find_frame(const QString& path) const;
    void read_settings();
    void check_help_file();
    QString resolve_param_file(const QString& value) const;

    options options_;
    AppSetup param_file_;
    AppSetup show_protocol_dialog_;
    std::unique_ptr<parameter_list> catalogue_;
    std::unique_ptr<link_settings> link_settings_;
    std::unique_ptr<hid_library> own_usb_library_;
    std::unique_ptr<UsbHidDevice> usb_;
    std::unique_ptr<link_state> link_;
    hid_device_watcher* watcher_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<file_prompter> qt_prompter_;
    file_prompter* prompter_ = nullptr;
    CMainFrame* main_frame_ = nullptr;
    QPointer<CZRPErrorDlg> error_dlg_;
    QPointer<CHelpWindow> help_window_;
    QString help_folder_;
    bool started_by_user_ = true;
};
