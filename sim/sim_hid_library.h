#pragma once
// The card on the USB HID library's six calls, in-process: output reports carry frames to
// an ombra_card, its answers come back as input reports of id 3. Tests drive the real
// UsbHidDevice (report packing, reader thread, rings, time-outs) through it, and can plug in
// a second card, pull the card out, or slip in reports of other ids.

#include "link/hid_library.h"
#include "sim/ombra_card.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

class sim_hid_library : public hid_library {
  public:
    static constexpr std::uint16_t vendor_id = 0x10C4;
    static constexpr std::uint16_t product_id = 0x8468;
    // Data bytes per input report (a 64-byte report: id, count, data).
    static constexpr std::size_t input_payload = 62;

    // The card must outlive the library. read_wait_ms is how long an input-report read waits
    // before it reports a time-out (the library's own read time-out).
    explicit sim_hid_library(ombra_card& card, int read_wait_ms = 20);

    unsigned get_num_hid_devices(std::uint16_t vendor_id, std::uint16_t product_id) override;
    int open(unsigned index, std::uint16_t vendor_id, std::uint16_t product_id,
             unsigned input_buffers) override;
    int set_output_report_interrupt(const std::uint8_t* buffer, std::size_t length) override;
    int get_input_report_interrupt(std::uint8_t* buffer, std::size_t size, unsigned reports,
                                   std::size_t& returned) override;
    int close() override;
    hid_guid get_hid_guid() override;

    // How many matching devices are plugged in (1 by default). 0 pulls the card out: reads
    // and writes fail from then on.
    void set_attached(unsigned count);
    // Queues a raw input report (byte 0 the report id), as if the device had sent it.
    void inject_report(std::vector<std::uint8_t> report);
    // Makes the next close() calls return this result (0: success).
    void set_close_result(int result);

    bool is_open() const;
    int open_calls() const;
    // Every output report handed to the library, as given.
    std::vector<std::vector<std::uint8_t>> output_reports() const;

  private:
    ombra_card& card_;
    int read_wait_ms_;
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::vector<std::uint8_t>> input_;
    std::vector<std::vector<std::uint8_t>> outputs_;
    unsigned attached_ = 1;
    bool open_ = false;
    int open_calls_ = 0;
    int close_result_ = hid_success;
};
