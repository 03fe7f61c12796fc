#include "link/platform/hid_device_watcher.h"

#include <QSocketNotifier>
#include <cstring>
#include <libudev.h>

hid_device_watcher::hid_device_watcher(QObject* parent) : QObject(parent) {
    udev_ = udev_new();
    if (!udev_)
        return;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_ ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0)
        return;
    int fd = udev_monitor_get_fd(monitor_);
    if (fd < 0)
        return;
    notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &hid_device_watcher::read_events);
}

hid_device_watcher::~hid_device_watcher() {
    delete notifier_;
    if (monitor_)
        udev_monitor_unref(monitor_);
    if (udev_)
        udev_unref(udev_);
}

void hid_device_watcher::read_events() {
    // The monitor's socket does not block: drain every queued event.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        bool added = action && std::strcmp(action, "add") == 0;
        bool gone = action && std::strcmp(action, "remove") == 0;
        udev_device_unref(device);
        if (added)
            emit arrived();
        else if (gone)
            emit removed();
    }
}
