#include "app/CTessalyApp.h"

#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CHelpWindow.h"
#include "app/CMainFrame.h"
#include "app/CPortDialog.h"
#include "app/CPreferenceDialog.h"
#include "app/CTessalyDoc.h"
#include "app/CZRPErrorDlg.h"
#include "app/QtFilePrompter.h"
#include "app/reserved_names.h"
#include "catalogue/parameter_list.h"
#include "core/user_interface.h"
#include "link/UsbHidDevice.h"
#include "link/extract.h"
#include "link/link_state.h"
#include "link/platform/hid_device_watcher.h"
#include "link/platform/hidapi_library.h"
#include "link/platform/qt_settings_store.h"
#include "link/platform/termios_serial_port.h"
#include "link/send_request.h"
#include "link/send_text.h"
#include "model/zrp_file.h"
#include "protocol_ui/help_topics.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QPrinter>
#include <QRegularExpression>
#include <QSettings>

namespace {
CTessalyApp* the_app = nullptr;

const char* settings_section_name = "Settings";
const char* param_file_key = "ParamFile";
const char* param_file_default = "params.lst";
const char* show_dialog_key = "ShowProtocolDialog";
const char* recent_section = "Recent File List";
constexpr int recent_file_count = 4;
const char* zrp_filter = "Zrp Files (*.zrp)";
const char* msg_help_missing = "Help file not found:\r\n";

std::string native_path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Where the shipped files (help pages, the default catalogue) may be: installed, beside an
// installed program, or in the source tree of a build that was not installed.
QStringList data_folders() {
    const QString exe_dir = QCoreApplication::applicationDirPath();
    return {QStringLiteral(TESSALY_DATADIR), exe_dir + "/../share/tessaly",
            QStringLiteral(TESSALY_SOURCE_RESOURCES)};
}

// The file-system identity of a document path, for finding a window that has it open.
QString document_key(const QString& path) {
    if (reserved_extract_code(path) != not_reserved)
        return path;
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
} // namespace

CTessalyApp::CTessalyApp() : CTessalyApp(options{}) {}

CTessalyApp::CTessalyApp(const options& opts)
    : options_(opts), param_file_(settings_section_name, param_file_key, param_file_default),
      show_protocol_dialog_(settings_section_name, show_dialog_key, "1"),
      catalogue_(std::make_unique<parameter_list>()),
      link_settings_(std::make_unique<qt_settings_store>()),
      qt_prompter_(std::make_unique<QtFilePrompter>()) {
    the_app = this;
    prompter_ = qt_prompter_.get();
    hid_library* library = opts.usb_library;
    if (!library) {
        own_usb_library_ = std::make_unique<hidapi_library>();
        library = own_usb_library_.get();
    }
    usb_ = std::make_unique<UsbHidDevice>(*library);
    link_ = std::make_unique<link_state>(*link_settings_, *usb_, &termios_serial_port::create);
    link_->set_status_sink([this](const std::string& text) {
        const QString t = QString::fromStdString(text);
        if (main_frame_)
            main_frame_->set_link_status(t);
        emit link_status_changed(t);
    });
    set_help_topic_handler([this](QWidget*, int context) { help_context(context); });
}

CTessalyApp::~CTessalyApp() {
    set_help_topic_handler({});
    delete main_frame_;
    exit_instance();
    if (the_app == this)
        the_app = nullptr;
}

CTessalyApp* CTessalyApp::instance() {
    return the_app;
}

CZRPErrorDlg* CTessalyApp::error_window() const {
    return error_dlg_;
}

CHelpWindow* CTessalyApp::help_window() const {
    return help_window_;
}

bool CTessalyApp::init_instance(const QString& file_to_open) {
    // The main window with its menus, toolbar and status bar, and the device-change
    // notifications of the USB link.
    main_frame_ = new CMainFrame;
    if (options_.watch_devices) {
        watcher_ = new hid_device_watcher(main_frame_);
        connect(watcher_, &hid_device_watcher::arrived, this, [this] { link_->check_usb(); });
        connect(watcher_, &hid_device_watcher::removed, this, [this] { link_->device_removed(); });
    }

    // Only a file to open comes from the command line.
    if (!file_to_open.isEmpty() && !open_document_file(file_to_open))
        return false;

    if (started_by_user_)
        main_frame_->show();

    check_help_file();
    read_settings();
    link_->check_usb();
    link_->update_link_status();
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
        ui().message(msg_help_missing + QDir::toNativeSeparators(contents).toStdString());
}

void CTessalyApp::read_settings() {
    param_file_ = AppSetup(settings_section_name, param_file_key, param_file_default);
    // A catalogue in the current directory wins and is remembered by its full path.
    QFile local(param_file_default);
    if (local.open(QIODevice::ReadOnly))
        param_file_.store(QFileInfo(local).absoluteFilePath());
    show_protocol_dialog_ = AppSetup(settings_section_name, show_dialog_key, "1");
    load_catalogue();
    link_->load_settings();
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
    catalogue_->load(native_path(resolve_param_file(param_file_.value())));
}

void CTessalyApp::set_param_file(const QString& path) {
    param_file_.store(path);
}

void CTessalyApp::set_show_protocol_dialog(bool show) {
    show_protocol_dialog_.store(show ? "1" : "0");
}

QPrinter& CTessalyApp::printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void CTessalyApp::set_prompter(file_prompter* prompter) {
    prompter_ = prompter ? prompter : qt_prompter_.get();
}

// ---- documents ----

QList<CChildFrame*> CTessalyApp::frames() const {
    QList<CChildFrame*> list;
    if (main_frame_)
        for (QMdiSubWindow* w : main_frame_->mdi_area()->subWindowList())
            if (auto* f = qobject_cast<CChildFrame*>(w))
                list << f;
    return list;
}

CChildFrame* CTessalyApp::active_frame() const {
    return main_frame_ ? main_frame_->active_child() : nullptr;
}

CTessalyDoc* CTessalyApp::active_document() const {
    CChildFrame* f = active_frame();
    return f ? f->document() : nullptr;
}

CChildFrame* CTessalyApp::find_frame(const QString& path) const {
    const QString key = document_key(path);
    for (CChildFrame* f : frames())
        if (!f->document()->path().isEmpty() && document_key(f->document()->path()) == key)
            return f;
    return nullptr;
}

CTessalyDoc* CTessalyApp::open_in_new_window(CTessalyDoc* doc) {
    auto* frame = new CChildFrame(doc);
    main_frame_->add_child(frame);
    main_frame_->update_title();
    return doc;
}

CTessalyDoc* CTessalyApp::file_new() {
    auto* doc = new CTessalyDoc;
    // Only the text "0" turns the protocol selection off.
    if (!doc->on_new_document(show_protocol_dialog_.value() != QLatin1String("0"))) {
        delete doc;
        return nullptr;
    }
    return open_in_new_window(doc);
}

void CTessalyApp::file_open() {
    const QString path =
        prompter_->open_path(main_frame_, QStringLiteral("Open"), zrp_filter, QString());
    if (!path.isEmpty())
        open_document_file(path);
}

CTessalyDoc* CTessalyApp::open_document_file(const QString& path, bool add_to_recent) {
    if (path.isEmpty())
        return nullptr;
    const QString full = reserved_extract_code(path) != not_reserved
                             ? path
                             : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (CChildFrame* open = find_frame(full)) {
        main_frame_->mdi_area()->setActiveSubWindow(open);
        return open->document();
    }
    auto* doc = new CTessalyDoc;
    if (!doc->on_open_document(full)) {
        delete doc;
        return nullptr;
    }
    doc->set_path(full);
    if (add_to_recent)
        add_to_recent_files(full);
    return open_in_new_window(doc);
}

bool CTessalyApp::save_document(CTessalyDoc* doc) {
    if (!doc)
        return false;
    // A new document, or one made by an extraction, has no file yet.
    if (doc->path().isEmpty() || reserved_extract_code(doc->path()) != not_reserved)
        return save_document_as(doc);
    return doc->on_save_document(doc->path());
}

bool CTessalyApp::save_document_as(CTessalyDoc* doc) {
    if (!doc)
        return false;
    QString start;
    if (!doc->path().isEmpty() && reserved_extract_code(doc->path()) == not_reserved) {
        start = doc->path();
    } else {
        // The title of a new document is made to serve as a file name.
        QString name = reserved_extract_code(doc->path()) != not_reserved
                           ? QFileInfo(doc->path()).fileName()
                           : doc->title();
        name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QString());
        start = QDir::current().filePath(name.trimmed() + ".zrp");
    }
    QString path = prompter_->save_path(main_frame_, QStringLiteral("Save As"), zrp_filter, start);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".zrp";
    path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!doc->on_save_document(path))
        return false;
    doc->set_path(path);
    add_to_recent_files(path);
    return true;
}

bool CTessalyApp::save_modified(CTessalyDoc* doc) {
    if (!doc || !doc->is_modified())
        return true;
    const QString name = doc->path().isEmpty() ? doc->title() : QFileInfo(doc->path()).fileName();
    switch (
        prompter_->ask_save_changes(main_frame_, QStringLiteral("Save changes to %1?").arg(name))) {
    case file_prompter::save_answer::yes:
        return save_document(doc);
    case file_prompter::save_answer::no:
        return true;
    case file_prompter::save_answer::cancel:
        break;
    }
    return false;
}

bool CTessalyApp::close_all_documents() {
    for (CChildFrame* f : frames()) {
        main_frame_->mdi_area()->setActiveSubWindow(f);
        if (!f->close())
            return false;
    }
    return true;
}

void CTessalyApp::document_title_changed(CChildFrame*) {
    if (main_frame_)
        main_frame_->update_title();
}

QStringList CTessalyApp::recent_files() const {
    QSettings& s = AppSetup::settings();
    QStringList files;
    for (int i = 1; i <= recent_file_count; ++i) {
        const QString f =
            s.value(QStringLiteral("%1/File%2").arg(recent_section).arg(i)).toString();
        if (!f.isEmpty())
            files << f;
    }
    return files;
}

void CTessalyApp::add_to_recent_files(const QString& path) {
    QStringList files = recent_files();
    files.removeAll(path);
    files.prepend(path);
    QSettings& s = AppSetup::settings();
    for (int i = 1; i <= recent_file_count; ++i) {
        const QString key = QStringLiteral("%1/File%2").arg(recent_section).arg(i);
        if (i <= files.size())
            s.setValue(key, files[i - 1]);
        else
            s.remove(key);
    }
    s.sync();
    emit recent_files_changed();
}

// ---- transfers ----

void CTessalyApp::send_without_document() {
    const QString path =
        prompter_->open_path(main_frame_, QStringLiteral("Select a zrp file to send:"),
                             QStringLiteral("Vantor Ombra Files (*.zrp)"), QString());
    if (!path.isEmpty())
        send_file(path);
}

bool CTessalyApp::send_stream(std::istream& text) {
    return send_text(*link_, text);
}

bool CTessalyApp::send_file(const QString& path) {
    return ::send_file(*link_, native_path(path));
}

void CTessalyApp::extract(const QString& reserved_name) {
    open_document_file(reserved_extract_path(reserved_name));
}

std::unique_ptr<zrp_file> CTessalyApp::extract_configuration(int device_code) {
    return ::extract_configuration(*link_, device_code);
}

void CTessalyApp::extract_error_list_to_window() {
    const std::optional<std::string> text = ::extract_error_list(*link_);
    if (text) {
        const QString t = QString::fromLatin1(text->c_str());
        show_error_list(&t);
    } else {
        show_error_list(nullptr);
    }
}

void CTessalyApp::show_error_list(const QString* text) {
    if (!text) {
        // After a failure an open window is emptied; none is created.
        if (error_dlg_) {
            error_dlg_->set_text(QString());
            error_dlg_->show();
        }
        return;
    }
    if (!error_dlg_) {
        error_dlg_ = new CZRPErrorDlg(main_frame_);
        error_dlg_->set_text(*text);
        error_dlg_->show();
        // From where the window system put it: 20 to the right, 50 down.
        error_dlg_->move(error_dlg_->pos() + QPoint(20, 50));
    } else {
        error_dlg_->set_text(*text);
        error_dlg_->show();
    }
    error_dlg_->raise();
}

// ---- options and help ----

void CTessalyApp::port_setup() {
    CPortDialog dialog(CPortDialog::system_ports(), QString::fromStdString(link_->com_port()),
                       link_->link_type() == link_usb, main_frame_);
    if (dialog.exec() == QDialog::Accepted) {
        if (dialog.usb_chosen())
            link_->select_usb_link();
        else
            link_->select_com_link();
        link_->set_com_port(dialog.port_name().toStdString());
    }
    link_->update_link_status();
}

void CTessalyApp::preferences() {
    CPreferenceDialog dialog(show_protocol_dialog_.value(), param_file_.value(), main_frame_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    set_param_file(dialog.param_file());
    load_catalogue();
    set_show_protocol_dialog(dialog.show_protocol_dialog());
}

void CTessalyApp::about() {
    CAboutDlg dialog(main_frame_);
    dialog.exec();
}

void CTessalyApp::help_contents() {
    help_context(-1);
}

void CTessalyApp::help_context(int context) {
    const QString contents = QDir(help_folder_).filePath(CHelpWindow::contents_page);
    if (!QFileInfo::exists(contents)) {
        ui().message(msg_help_missing + QDir::toNativeSeparators(contents).toStdString());
        return;
    }
    if (!help_window_)
        help_window_ = new CHelpWindow(help_folder_, main_frame_);
    if (context < 0)
        help_window_->show_contents();
    else
        help_window_->show_context(context);
}

// ---- shell commands ----

bool CTessalyApp::on_command_text(const QString& text) {
    const std::string command = text.toStdString();
    if (looks_like_send_request(command)) {
        const std::optional<std::string> path = parse_send_request(command);
        if (!path)
            return false;
        send_file(QString::fromStdString(*path));
        // Started by the shell only for this: done.
        if (!started_by_user_ && main_frame_) {
            main_frame_->close();
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return true;
    }
    // The standard open request: [open("path")].
    static const QRegularExpression open_request(QStringLiteral("^\\[open\\(\"([^\"]+)\"\\)\\]$"),
                                                 QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = open_request.match(text);
    if (!m.hasMatch())
        return false;
    if (main_frame_ && !main_frame_->isVisible()) {
        started_by_user_ = true;
        main_frame_->show();
    }
    if (main_frame_) {
        main_frame_->raise();
        main_frame_->activateWindow();
    }
    open_document_file(m.captured(1));
    return true;
}

void CTessalyApp::exit_instance() {
    if (link_)
        link_->shutdown();
}
