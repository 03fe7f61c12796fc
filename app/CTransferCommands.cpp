#include "app/CTransferCommands.h"

#include "app/CPortDialog.h"
#include "app/CTessalyDoc.h"
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
#include "link/send_text.h"
#include "model/zrp_file.h"

#include <QFile>
#include <QFileInfo>

#include <sstream>

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
}

CTransferCommands::~CTransferCommands() {
    shutdown();
}

void CTransferCommands::watch_devices() {
    if (watcher_)
        return;
    watcher_ = new hid_device_watcher(this);
    connect(watcher_, &hid_device_watcher::arrived, this, [this] { link_->check_usb(); });
    connect(watcher_, &hid_device_watcher::removed, this, [this] { link_->device_removed(); });
}

bool CTransferCommands::send_text(const std::string& text) {
    std::istringstream in(text);
    return ::send_text(*link_, in);
}

bool CTransferCommands::send_file(const QString& path) {
    return ::send_file(*link_, CTessalyDoc::native_path(path));
}

void CTransferCommands::send_without_document() {
    const QString path = prompter_->open_path(window_, QStringLiteral("Select a zrp file to send:"),
                                              QStringLiteral("Vantor Ombra Files (*.zrp)"),
                                              QString(), QStringLiteral("zrp"));
    if (!path.isEmpty())
        send_file(path);
}

std::unique_ptr<zrp_file> CTransferCommands::extract_configuration(int device_code) {
    return ::extract_configuration(*link_, device_code);
}

void CTransferCommands::extract_error_list_to_window() {
    const std::optional<std::string> text = ::extract_error_list(*link_);
    if (text) {
        const QString t = QString::fromLatin1(text->c_str());
        show_error_list(&t);
    } else {
        show_error_list(nullptr);
    }
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
    if (link_)
        link_->shutdown();
}
