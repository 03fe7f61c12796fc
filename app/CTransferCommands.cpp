#include "app/CTransferCommands.h"

#include "app/CPortDialog.h"
#include "app/CTessalyDoc.h"
#include "app/CTransferRunner.h"
#include "app/CZRPErrorDlg.h"
#include "app/file_prompter.h"
#include "core/user_interface.h"
#include "link/UsbHidDevice.h"
#include "link/extract.h"
#include "link/link_state.h"
#include "link/platform/hid_device_watcher.h"
#include "link/platform/hidapi_library.h"
#include "link/platform/qt_settings_store.h"
#include "link/platform/termios_serial_port.h"
#include "link/send_check.h"
#include "link/send_text.h"
#include "model/zrp_file.h"

#include <QFile>
#include <QFileInfo>

#include <sstream>

namespace {
const char* const msg_transfer_running = "A transfer is running. Cancel it?";
const char* const msg_wait_for_transfer =
    "A transfer is running: wait for it to end, or cancel it, before starting another.";
} // namespace

CTransferCommands::CTransferCommands(hid_library* usb_library, file_prompter& prompter,
                                     QObject* parent)
    : QObject(parent), settings_(std::make_unique<qt_settings_store>()), prompter_(&prompter) {
    if (!usb_library) {
        own_usb_library_ = std::make_unique<hidapi_library>();
        usb_library = own_usb_library_.get();
    }
    usb_ = std::make_unique<UsbHidDevice>(*usb_library);
    link_ = std::make_unique<link_state>(*settings_, *usb_, &termios_serial_port::create);
    link_->set_status_sink([this](const std::string& text) {
        emit link_status_changed(QString::fromStdString(text));
    });
    runner_ = std::make_unique<CTransferRunner>();
    connect(runner_.get(), &CTransferRunner::busy_changed, this, [this](bool running) {
        if (!running)
            transfer_ended();
        emit transfer_running(running);
    });
}

CTransferCommands::~CTransferCommands() {
    shutdown();
}

void CTransferCommands::watch_devices() {
    if (watcher_)
        return;
    watcher_ = new hid_device_watcher(this);
    // The transfer on the worker reads the link state and uses the device: a change waits
    // for its end.
    connect(watcher_, &hid_device_watcher::arrived, this, [this] {
        if (busy())
            arrival_pending_ = true;
        else
            link_->check_usb();
    });
    connect(watcher_, &hid_device_watcher::removed, this, [this] {
        if (busy())
            removal_pending_ = true;
        else
            link_->device_removed();
    });
}

bool CTransferCommands::busy() const {
    return runner_->busy();
}

void CTransferCommands::transfer_ended() {
    transfer_doc_ = nullptr;
    if (removal_pending_)
        link_->device_removed();
    if (arrival_pending_)
        link_->check_usb();
    removal_pending_ = arrival_pending_ = false;
}

bool CTransferCommands::refuse_while_busy() {
    if (!busy())
        return false;
    ui().message(msg_wait_for_transfer);
    return true;
}

bool CTransferCommands::end_transfer_before_close(const CTessalyDoc* doc) {
    if (!busy() || (doc && doc != transfer_doc_))
        return true;
    if (!ui().ask_yes_no(msg_transfer_running))
        return false;
    runner_->cancel_and_wait();
    return true;
}

bool CTransferCommands::send_text(const std::string& text, const CTessalyDoc* doc,
                                  std::function<void(bool)> done) {
    if (refuse_while_busy())
        return false;
    auto in = std::make_shared<std::istringstream>(text);
    auto sent = std::make_shared<bool>(false);
    transfer_doc_ = doc;
    return runner_->start(
        [this, in, sent](const transfer_session& session) {
            *sent = ::send_text(*link_, *in, session);
        },
        [sent, done] {
            if (done)
                done(*sent);
        });
}

bool CTransferCommands::confirm_send(const zrp_file& map, const std::string& file_text) {
    const std::vector<map_finding> findings = send_findings(map, file_text);
    return findings.empty() || ui().ask_yes_no_default_no(send_anyway_question(findings));
}

bool CTransferCommands::send_file(const QString& path, std::function<void(bool)> done) {
    if (refuse_while_busy())
        return false;
    std::optional<send_file_contents> file = load_send_file(CTessalyDoc::native_path(path));
    if (!file || !confirm_send(*file->map, file->text)) {
        if (done)
            done(false);
        return false;
    }
    auto in = std::make_shared<std::istringstream>(std::move(file->text));
    auto sent = std::make_shared<bool>(false);
    return runner_->start(
        [this, in, sent](const transfer_session& session) {
            *sent = ::send_text(*link_, *in, session);
        },
        [sent, done] {
            if (done)
                done(*sent);
        });
}

void CTransferCommands::send_without_document() {
    const QString path = prompter_->open_path(window_, QStringLiteral("Select a zrp file to send:"),
                                              QStringLiteral("Vantor Ombra Files (*.zrp)"),
                                              QString(), QStringLiteral("zrp"));
    if (!path.isEmpty())
        send_file(path);
}

bool CTransferCommands::extract_configuration(int device_code,
                                              std::function<void(std::unique_ptr<zrp_file>)> done,
                                              const CTessalyDoc* doc) {
    if (refuse_while_busy())
        return false;
    auto map = std::make_shared<std::unique_ptr<zrp_file>>();
    transfer_doc_ = doc;
    return runner_->start(
        [this, map, device_code](const transfer_session& session) {
            *map = ::extract_configuration(*link_, device_code, session);
        },
        [map, done] { done(std::move(*map)); });
}

bool CTransferCommands::extract_error_list_to_window() {
    if (refuse_while_busy())
        return false;
    auto text = std::make_shared<std::optional<std::string>>();
    auto cancel = std::make_shared<bool>(false);
    return runner_->start(
        [this, text, cancel](const transfer_session& session) {
            *text = ::extract_error_list(*link_, session);
            *cancel = session.cancel.cancelled();
        },
        [this, text, cancel] {
            if (*text) {
                const QString t = QString::fromLatin1((*text)->c_str());
                show_error_list(&t);
            } else if (!*cancel) {
                show_error_list(nullptr);
            }
        });
}

CZRPErrorDlg* CTransferCommands::error_window() const {
    return error_dlg_;
}

void CTransferCommands::show_error_list(const QString* text) {
    if (!text) {
        // After a failure an open window is emptied; none is created.
        if (error_dlg_) {
            error_dlg_->set_text(QString());
            error_dlg_->show();
        }
        return;
    }
    if (!error_dlg_) {
        error_dlg_ = new CZRPErrorDlg(window_);
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

void CTransferCommands::port_setup() {
    CPortDialog dialog(CPortDialog::system_ports(), QString::fromStdString(link_->com_port()),
                       link_->link_type() == link_usb, window_);
    if (dialog.exec() == QDialog::Accepted) {
        if (dialog.usb_chosen())
            link_->select_usb_link();
        else
            link_->select_com_link();
        link_->set_com_port(dialog.port_name().toStdString());
    }
    link_->update_link_status();
}

void CTransferCommands::shutdown() {
    // A transfer still running is stopped first: it uses the device about to close.
    if (runner_)
        runner_->stop();
    if (link_)
        link_->shutdown();
}
