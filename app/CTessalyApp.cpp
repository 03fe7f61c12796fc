#include "app/CTessalyApp.h"

#include "app/CAboutDlg.h"
#include "app/CCommandSet.h"
#include "app/CContextHelp.h"
#include "app/CDocumentManager.h"
#include "app/CHelpWindow.h"
#include "app/CMainFrame.h"
#include "app/CMapCommands.h"
#include "app/CPreferenceDialog.h"
#include "app/CRecentFiles.h"
#include "app/CTransferCommands.h"
#include "app/QtFilePrompter.h"
#include "app/command_bindings.h"
#include "app/reserved_names.h"
#include "catalogue/parameter_list.h"
#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "editing/CRegisterClipboard.h"
#include "editing/CRegisterDialogs.h"
#include "link/link_state.h"
#include "link/send_request.h"
#include "protocol_ui/CProtocolDialogs.h"
#include "protocol_ui/CProtocolForm.h"
#include "protocol_ui/help_topics.h"
#include "protocol_ui/visual_tab_order.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>

namespace {
const char* settings_section_name = "Settings";
const char* param_file_key = "ParamFile";
const char* msg_param_file_unreadable =
    "The parameter file could not be read: parameters cannot be picked from a catalogue.";
const char* msg_param_file_empty = "The parameter file holds no parameter.";
const char* param_file_default = "params.lst";
const char* show_dialog_key = "ShowProtocolDialog";
const char* msg_help_missing = "Help file not found:\r\n";

// Where the shipped files (help pages, the default catalogue) may be: beside the program
// that runs (wherever its package or install put it), in the configured install folder, or
// in the source tree of a build that was not installed.
QStringList data_folders() {
    const QString exe_dir = QCoreApplication::applicationDirPath();
    return {exe_dir + "/../share/tessaly", QStringLiteral(TESSALY_DATADIR),
            QStringLiteral(TESSALY_SOURCE_RESOURCES)};
}
} // namespace

CTessalyApp::CTessalyApp() : CTessalyApp(options{}) {}

CTessalyApp::CTessalyApp(const options& opts)
    : options_(opts), param_file_(settings_section_name, param_file_key, param_file_default),
      show_protocol_dialog_(settings_section_name, show_dialog_key, "1"),
      catalogue_(std::make_unique<parameter_list>()),
      own_protocol_dialogs_(std::make_unique<CProtocolDialogs>()),
      own_register_dialogs_(std::make_unique<CRegisterDialogs>(catalogue_.get())),
      protocol_dialogs_(opts.protocol_dialogs ? opts.protocol_dialogs
                                              : own_protocol_dialogs_.get()),
      register_dialogs_(opts.register_dialogs ? opts.register_dialogs
                                              : own_register_dialogs_.get()),
      qt_prompter_(std::make_unique<QtFilePrompter>()), prompter_(qt_prompter_.get()),
      recent_(std::make_unique<CRecentFiles>()),
      transfers_(std::make_unique<CTransferCommands>(opts.usb_library, *prompter_)),
      documents_(std::make_unique<CDocumentManager>(
          *recent_, *transfers_, *prompter_, *protocol_dialogs_, *register_dialogs_,
          [this] {
              // Only the text "0" turns the protocol
              // selection off.
              return show_protocol_dialog_.value() != QLatin1String("0");
          })),
      map_commands_(std::make_unique<CMapCommands>(*transfers_, *catalogue_, *prompter_)) {
    set_help_topic_handler([this](QWidget*, int context) { help_context(context); });
    qApp->installEventFilter(this);
}

bool CTessalyApp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        // The editor's own dialogs (Qt's file and print dialogs keep their order) and the
        // forms above the register lists.
        const bool own_dialog = qobject_cast<QDialog*>(widget) &&
                                !QLatin1String(widget->metaObject()->className()).startsWith('Q');
        if (own_dialog)
            apply_visual_tab_order(widget);
        else if (auto* form = qobject_cast<CProtocolForm*>(widget))
            apply_visual_tab_order(form->widget());
    }
    return QObject::eventFilter(watched, event);
}

CTessalyApp::~CTessalyApp() {
    qApp->removeEventFilter(this);
    set_help_topic_handler({});
    context_help_.reset();
    // The document windows go with the main window, before the objects they were bound to.
    delete main_frame_;
    main_frame_ = nullptr;
    exit_instance();
}

CHelpWindow* CTessalyApp::help_window() const {
    return help_window_;
}

bool CTessalyApp::init_instance(const QString& file_to_open) {
    // The main window with its menus, toolbar and status bar, its commands bound to what
    // carries them out, and the device-change notifications of the USB link.
    main_frame_ = new CMainFrame;
    main_frame_->set_recent_files(recent_.get());
    main_frame_->set_close_guard([this] {
        return transfers_->end_transfer_before_close(nullptr) && documents_->close_all_documents();
    });
    documents_->set_main_frame(main_frame_);
    transfers_->set_window(main_frame_);
    map_commands_->set_window(main_frame_);
    bind_commands(main_frame_->commands(),
                  {*main_frame_, *documents_, *transfers_, *recent_, *map_commands_,
                   *protocol_dialogs_, [this]() -> QPrinter& { return printer(); },
                   [this] { preferences(); }, [this] { about(); }, [this] { help_contents(); },
                   [this] { context_help_->start(); }});
    context_help_ =
        std::make_unique<CContextHelp>([this](const QString& page) { show_help_page(page); });
    main_frame_->commands().set_interceptor(
        [this](int id) { return context_help_->take_command(id); });
    connect(main_frame_, &CMainFrame::open_requested, documents_.get(),
            [this](const QString& path) { documents_->open_document_file(path); });
    connect(transfers_.get(), &CTransferCommands::link_status_changed, main_frame_,
            [this](const QString& text) {
                main_frame_->set_link_status(text);
                main_frame_->update_command_ui();
            });
    connect(recent_.get(), &CRecentFiles::changed, main_frame_, &CMainFrame::update_command_ui);
    // The transfer and link commands wait while a transfer runs.
    connect(transfers_.get(), &CTransferCommands::transfer_running, main_frame_,
            &CMainFrame::update_command_ui);
    connect(this, &CTessalyApp::catalogue_changed, main_frame_, &CMainFrame::update_command_ui);
    // Paste follows what the clipboard holds, whichever program put it there.
    connect(&CRegisterClipboard::shared(), &CRegisterClipboard::changed, main_frame_,
            &CMainFrame::update_command_ui);
    if (options_.watch_devices)
        transfers_->watch_devices();

    // Only a file to open comes from the command line. A reserved extract name starts its
    // extraction, whose document opens when it ends.
    if (!file_to_open.isEmpty() && !documents_->open_document_file(file_to_open) &&
        reserved_extract_code(file_to_open) == not_reserved)
        return false;

    if (started_by_user_)
        main_frame_->show_placed();

    check_help_file();
    read_settings();
    transfers_->link().check_usb();
    transfers_->link().update_link_status();
    return true;
}

void CTessalyApp::check_help_file() {
    if (!options_.help_folder.isEmpty()) {
        help_folder_ = options_.help_folder;
    } else {
        for (const QString& folder : data_folders()) {
            if (QFileInfo::exists(folder + "/help/" + CHelpWindow::contents_page)) {
                help_folder_ = QDir::cleanPath(folder + "/help");
                break;
            }
        }
        if (help_folder_.isEmpty())
            help_folder_ = QDir::cleanPath(data_folders().front() + "/help");
    }
    const QString contents = QDir(help_folder_).filePath(CHelpWindow::contents_page);
    if (!QFileInfo::exists(contents))
        editor_ui().message(msg_help_missing + QDir::toNativeSeparators(contents).toStdString());
}

void CTessalyApp::read_settings() {
    param_file_ = AppSetup(settings_section_name, param_file_key, param_file_default);
    // A catalogue in the current directory wins and is remembered by its full path.
    QFile local(param_file_default);
    if (local.open(QIODevice::ReadOnly))
        param_file_.store(QFileInfo(local).absoluteFilePath());
    show_protocol_dialog_ = AppSetup(settings_section_name, show_dialog_key, "1");
    load_catalogue();
    transfers_->link().load_settings();
}

QString CTessalyApp::resolve_param_file(const QString& value) const {
    const QFileInfo info(value);
    if (info.exists() || value.isEmpty() || info.isAbsolute())
        return value;
    // A bare name not found here: the catalogue shipped with the program.
    for (const QString& folder : data_folders()) {
        const QString candidate = QDir(folder).filePath(value);
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    }
    return value;
}

void CTessalyApp::load_catalogue() {
    const QString path = resolve_param_file(param_file_.value());
    const std::string where = QDir::toNativeSeparators(path).toStdString();
    // A missing file leaves the editor without a catalogue, silently as ever; a damaged or
    // empty one is said, with where it went wrong, and is not taken for a smaller catalogue.
    switch (catalogue_->load_file(CTessalyDoc::native_path(path))) {
    case parameter_list::load_result::cannot_open:
        break;
    case parameter_list::load_result::no_root:
        editor_ui().detailed_message(msg_param_file_unreadable,
                                     where + ": " + catalogue_->read_error().text());
        break;
    case parameter_list::load_result::loaded:
        if (!catalogue_->has_parameters())
            editor_ui().detailed_message(msg_param_file_empty, where);
        break;
    }
    emit catalogue_changed();
}

void CTessalyApp::set_param_file(const QString& path) {
    param_file_.store(path);
}

void CTessalyApp::set_show_protocol_dialog(bool show) {
    show_protocol_dialog_.store(show ? "1" : "0");
}

void CTessalyApp::preferences() {
    CPreferenceDialog dialog(show_protocol_dialog_.value(), param_file_.value(), *prompter_,
                             main_frame_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    set_param_file(dialog.param_file());
    load_catalogue();
    set_show_protocol_dialog(dialog.show_protocol_dialog());
}

QPrinter& CTessalyApp::printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void CTessalyApp::set_prompter(file_prompter* prompter) {
    prompter_ = prompter ? prompter : qt_prompter_.get();
    documents_->set_prompter(*prompter_);
    transfers_->set_prompter(*prompter_);
    map_commands_->set_prompter(*prompter_);
}

void CTessalyApp::about() {
    CAboutDlg dialog(main_frame_);
    dialog.exec();
}

void CTessalyApp::help_contents() {
    help_context(-1);
}

void CTessalyApp::help_context(int context) {
    show_help_page(context < 0 ? QString::fromLatin1(CHelpWindow::contents_page)
                               : CHelpWindow::page_of_context(context));
}

void CTessalyApp::show_help_page(const QString& page) {
    const QString contents = QDir(help_folder_).filePath(CHelpWindow::contents_page);
    if (!QFileInfo::exists(contents)) {
        editor_ui().message(msg_help_missing + QDir::toNativeSeparators(contents).toStdString());
        return;
    }
    // A modal dialog blocks every window but its own: the page then opens in a window that
    // belongs to the dialog and goes with it.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != help_window_ && modal != dialog_help_window_) {
        if (!dialog_help_window_ || dialog_help_window_->parentWidget() != modal) {
            delete dialog_help_window_;
            dialog_help_window_ = new CHelpWindow(help_folder_, modal);
        }
        dialog_help_window_->show_page(page);
        return;
    }
    if (!help_window_)
        help_window_ = new CHelpWindow(help_folder_, main_frame_);
    help_window_->show_page(page);
}

bool CTessalyApp::on_command_text(const QString& text) {
    const std::string command = text.toStdString();
    if (looks_like_send_request(command)) {
        const std::optional<std::string> path = parse_send_request(command);
        if (!path)
            return false;
        transfers_->send_file(QString::fromStdString(*path), [this](bool) {
            // Started by the shell only for this: done once the send has ended.
            if (!started_by_user_ && main_frame_) {
                main_frame_->close();
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            }
        });
        return true;
    }
    // The standard open request: [open("path")]. The path runs to the closing quote at the
    // end, so a path may hold double quotes itself.
    static const QRegularExpression open_request(
        QStringLiteral("^\\[open\\(\"(.+)\"\\)\\]$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = open_request.match(text);
    if (!m.hasMatch())
        return false;
    if (main_frame_ && !main_frame_->isVisible()) {
        started_by_user_ = true;
        main_frame_->show_placed();
    }
    if (main_frame_) {
        main_frame_->raise();
        main_frame_->activateWindow();
    }
    documents_->open_document_file(m.captured(1));
    return true;
}

void CTessalyApp::exit_instance() {
    if (transfers_)
        transfers_->shutdown();
}
