#pragma once
// Device-change notifications for HID devices: a libudev monitor on the hidraw subsystem,
// read through a QSocketNotifier on the thread that owns the watcher. The editor connects
// arrived() to link_state::check_usb and removed() to link_state::device_removed.

#include <QObject>

class QSocketNotifier;
struct udev;
struct udev_monitor;

class hid_device_watcher : public QObject {
    Q_OBJECT
  public:
    explicit hid_device_watcher(QObject* parent = nullptr);
    ~hid_device_watcher() override;

    // False when the monitor could not be set up (no notifications will come).
    bool is_active() const { return notifier_ != nullptr; }

  signals:
    // A HID device was attached.
    void arrived();
    // A HID device was removed.
    void removed();

  private:
    void read_events();

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    QSocketNotifier* notifier_ = nullptr;
};
