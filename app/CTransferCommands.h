#pragma once
// The editor's link to the card and the transfers over it: the link state with its USB
// device and device-change watcher, sending a document or a chosen file, extracting a
// configuration or the error list (shown in the error-list window), and the port setup.
// Transfers run one at a time on a worker thread (CTransferRunner): the calls below start
// one and return; the outcome arrives later on this thread. While one runs, the link does
// not change: device arrivals and removals are handled when it has ended.

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class CTessalyDoc;
class CTransferRunner;
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

    // True while a transfer runs.
    bool busy() const;
    CTransferRunner& runner() const { return *runner_; }
    // Before doc closes (nullptr: before the editor quits) while a transfer for it (or any
    // transfer) runs: asks "A transfer is running. Cancel it?"; Yes cancels it and waits for
    // its end. False when the user keeps it running.
    bool end_transfer_before_close(const CTessalyDoc* doc);

    // Before a send: when the card would not get map as it stands (file_text is its text as
    // the check reads it), asks "The card would not get this map as it stands: ... Send
    // anyway?" with No the default. True to send.
    bool confirm_send(const zrp_file& map, const std::string& file_text);
    // Starts sending a map's text over the link; doc is the document it comes from (closing
    // it asks first). done, if given, runs with the outcome. False when nothing was started.
    bool send_text(const std::string& text, const CTessalyDoc* doc = nullptr,
                   std::function<void(bool sent)> done = {});
    // Starts sending the file named by path as stored, once it loads as a map and, when the
    // card would not get it as it stands, the user confirmed; when it does not come to a send
    // done runs at once with false.
    bool send_file(const QString& path, std::function<void(bool sent)> done = {});
    // Asks for a file and sends it.
    void send_without_document();

    // Starts a configuration extraction; done receives the map, or nullptr after a failure
    // (its message was shown) or a cancel. doc is the document that asked, if any.
    bool extract_configuration(int device_code, std::function<void(std::unique_ptr<zrp_file>)> done,
                               const CTessalyDoc* doc = nullptr);
    // Starts extracting the error list into the error window.
    bool extract_error_list_to_window();
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
    // A transfer started (true) or ended (false).
    void transfer_running(bool running);

  private:
    // Refuses a new transfer while one runs, saying so.
    bool refuse_while_busy();
    void transfer_ended();

    std::unique_ptr<link_settings> settings_;
    std::unique_ptr<hid_library> own_usb_library_;
    std::unique_ptr<UsbHidDevice> usb_;
    std::unique_ptr<link_state> link_;
    std::unique_ptr<CTransferRunner> runner_;
    hid_device_watcher* watcher_ = nullptr;
    file_prompter* prompter_;
    QPointer<QWidget> window_;
    QPointer<CZRPErrorDlg> error_dlg_;
    const CTessalyDoc* transfer_doc_ = nullptr;
    // Device changes that came while a transfer ran.
    bool arrival_pending_ = false;
    bool removal_pending_ = false;
};
