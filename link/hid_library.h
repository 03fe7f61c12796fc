#pragma once
// The USB HID library the link drives: exactly six calls that count, open, write, read and
// close the card's HID device and name the HID interface class. The real implementation sits
// on hidapi (link/platform/hidapi_library.h); the card emulator offers the same calls
// in-process so that the USB path is tested without a device.
//
// One object stands for one device handle: open() binds it to a device, close() releases it.

#include <cstddef>
#include <cstdint>

// The identifier of a device interface class, laid out as the platform's GUID.
struct hid_guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::uint8_t data4[8] = {};
    bool operator==(const hid_guid&) const = default;
};

// Result codes of the calls: 0 is success, every other value a failure.
enum hid_result : int {
    hid_success = 0,
    hid_device_not_found = 1,
    hid_device_not_opened = 2,
    hid_device_already_opened = 3,
    hid_read_timed_out = 4,
    hid_transfer_failed = 5,
    hid_invalid_parameter = 6,
    hid_access_denied = 7, // open: the device exists but the user may not open it
};

class hid_library {
  public:
    virtual ~hid_library() = default;

    // The number of attached devices with this vendor and product id.
    virtual unsigned get_num_hid_devices(std::uint16_t vendor_id, std::uint16_t product_id) = 0;
    // Opens the index-th matching device; input_buffers 0 keeps the library's default.
    // hid_success when the device is open.
    virtual int open(unsigned index, std::uint16_t vendor_id, std::uint16_t product_id,
                     unsigned input_buffers) = 0;
    // Sends one output report: buffer[0] is the report id, length the whole buffer.
    virtual int set_output_report_interrupt(const std::uint8_t* buffer, std::size_t length) = 0;
    // Blocks until up to `reports` input reports arrived or the library's own read time-out
    // passed. hid_success when the buffer holds the report(s); `returned` gets the byte count.
    virtual int get_input_report_interrupt(std::uint8_t* buffer, std::size_t size, unsigned reports,
                                           std::size_t& returned) = 0;
    // hid_success when the device is closed.
    virtual int close() = 0;
    // The interface class identifier of HID devices (for device-change registration).
    virtual hid_guid get_hid_guid() = 0;
};
