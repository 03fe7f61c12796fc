#pragma once
// The HID library's six calls on hidapi (hidraw backend).
//
// The reader thread reads input reports while the user-interface thread writes output
// reports. On hidraw both are plain system calls on the device node; the calls are not
// serialised here, since a lock would hold every write back behind a pending read.

#include "link/hid_library.h"

#include <mutex>

struct hid_device_;

class hidapi_library : public hid_library {
  public:
    // read_timeout_ms is the library's own input-report wait: it bounds how long stopping
    // the reader thread takes.
    explicit hidapi_library(int read_timeout_ms = 200);
    ~hidapi_library() override;
    hidapi_library(const hidapi_library&) = delete;
    hidapi_library& operator=(const hidapi_library&) = delete;

    unsigned get_num_hid_devices(std::uint16_t vendor_id, std::uint16_t product_id) override;
    int open(unsigned index, std::uint16_t vendor_id, std::uint16_t product_id,
             unsigned input_buffers) override;
    int set_output_report_interrupt(const std::uint8_t* buffer, std::size_t length) override;
    int get_input_report_interrupt(std::uint8_t* buffer, std::size_t size, unsigned reports,
                                   std::size_t& returned) override;
    int close() override;
    hid_guid get_hid_guid() override;

  private:
    hid_device_* device_ = nullptr;
    int read_timeout_ms_;
    bool initialised_ = false;
};
