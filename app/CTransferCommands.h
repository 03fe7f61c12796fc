#pragma once
// The editor's link to the card and the transfers over it: the link state with its USB
// device and device-change watcher, sending a document or a chosen file, extracting a
// configuration or the error list (shown in the error-list window), and the port setup.

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <string>

class CZRPErrorDlg;
class QWidget;
class UsbHidDevice;
class file_prompter;
class hid_device_watcher;
class hid_library;
class link_settings;
class link_state;
class zrp_file;

class CTransferCommands : public QObject {
    Q_OBJECT
  public:
    // usb_library: the USB HID library to use (nullptr: hidapi). prompter asks for the file
    // of a send without a document; it must outlive this object.
    CTransferCommands(hid_library* usb_library, file_prompter& prompter, QObject* parent = nullptr);
    ~CTransferCommands() override;

    link_state& link() const { return *link_; }
    // The window dialogs and the error list open over.
    void set_window(QWidget* window) { window_ = window; }
    // Starts following USB device arrivals and removals.
    void watch_devices();
    void set_prompter(file_prompter& prompter) { prompter_ = &prompter; }

    // Sends a map's text over the link.
    bool send_text(const std::string& text);
    // Sends the file named by path ("The file could not be opened." when it cannot be).
    bool send_file(const QString& path);
    // Asks for a file and sends it.
    void send_without_document();

    // A configuration extraction; nullptr after a failure (its message was shown).
    std::unique_ptr<zrp_file> extract_configuration(int device_code);
    // Extracts the error list into the error window.
    void extract_error_list_to_window();
    // Shows text in the error window (creating it the first time), or empties an existing
    // window when text is nullptr.
    void show_error_list(const QString* text);
    CZRPErrorDlg* error_window() const;

    // Options > Port Setup.
    void port_setup();
    // At exit: stops the USB reader and closes the device.
    void shutdown();

  signals:
    // The link pane's text after every change of the link.
    void link_status_changed(const QString& text);

  private:
    std::unique_ptr<link_settings> settings_;
    std::unique_ptr<hid_library> own_usb_library_;
    std::unique_ptr<UsbHidDevice> usb_;
    std::unique_ptr<link_state> link_;
    hid_device_watcher* watcher_ = nullptr;
    file_prompter* prompter_;
    QPointer<QWidget> window_;
    QPointer<CZRPErrorDlg> error_dlg_;
};
