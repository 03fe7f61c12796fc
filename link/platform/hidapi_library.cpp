#include "link/platform/hidapi_library.h"

#include <cerrno>
#include <fcntl.h>
#include <hidapi/hidapi.h>
#include <string>
#include <unistd.h>

namespace {

// Walks the attached devices with the vendor and product id; returns how many there are and
// the path of the index-th one (empty when there is none).
unsigned enumerate(std::uint16_t vendor_id, std::uint16_t product_id, unsigned index,
                   std::string* path) {
    hid_device_info* list = hid_enumerate(vendor_id, product_id);
    unsigned count = 0;
    for (hid_device_info* info = list; info; info = info->next, ++count)
        if (path && count == index && info->path)
            *path = info->path;
    hid_free_enumeration(list);
    return count;
}

} // namespace

hidapi_library::hidapi_library(int read_timeout_ms) : read_timeout_ms_(read_timeout_ms) {
    initialised_ = hid_init() == 0;
}

// hid_exit() is left to process exit: it is global to hidapi and other handles may exist.
hidapi_library::~hidapi_library() {
    close();
}

unsigned hidapi_library::get_num_hid_devices(std::uint16_t vendor_id, std::uint16_t product_id) {
    if (!initialised_)
        return 0;
    return enumerate(vendor_id, product_id, 0, nullptr);
}

int hidapi_library::open(unsigned index, std::uint16_t vendor_id, std::uint16_t product_id,
                         unsigned /*input_buffers: hidraw keeps its own queue*/) {
    if (!initialised_)
        return hid_device_not_found;
    if (device_)
        return hid_device_already_opened;
    std::string path;
    enumerate(vendor_id, product_id, index, &path);
    if (path.empty())
        return hid_device_not_found;
    // hidapi does not say why an open failed; a node the user may not read and write is the
    // usual reason (no udev rule granting it), and worth telling apart.
    if (faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) != 0)
        return errno == EACCES || errno == EPERM ? hid_access_denied : hid_device_not_found;
    device_ = hid_open_path(path.c_str());
    return device_ ? hid_success : hid_device_not_opened;
}

int hidapi_library::set_output_report_interrupt(const std::uint8_t* buffer, std::size_t length) {
    if (!device_)
        return hid_device_not_opened;
    if (!buffer || length == 0)
        return hid_invalid_parameter;
    return hid_write(device_, buffer, length) == static_cast<int>(length) ? hid_success
                                                                          : hid_transfer_failed;
}

int hidapi_library::get_input_report_interrupt(std::uint8_t* buffer, std::size_t size,
                                               unsigned reports, std::size_t& returned) {
    returned = 0;
    if (!device_)
        return hid_device_not_opened;
    if (!buffer || size == 0 || reports == 0)
        return hid_invalid_parameter;
    // The card numbers its reports, so hidraw hands the report id over as byte 0.
    int r = hid_read_timeout(device_, buffer, size, read_timeout_ms_);
    if (r < 0)
        return hid_transfer_failed;
    if (r == 0)
        return hid_read_timed_out;
    returned = static_cast<std::size_t>(r);
    return hid_success;
}

int hidapi_library::close() {
    if (!device_)
        return hid_device_not_opened;
    hid_close(device_);
    device_ = nullptr;
    return hid_success;
}

hid_guid hidapi_library::get_hid_guid() {
    // The HID device interface class {4D1E55B2-F16F-11CF-88CB-001111000030}.
    return {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
}
