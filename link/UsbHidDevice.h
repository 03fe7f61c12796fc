#pragma once
// The card's USB HID device: the library handle, the reader thread that collects input
// reports, and the two receive rings (report ids 1 and 3). One per application; it lives as
// long as the application. Transfers write through send_reports and read through
// read_channel on the user-interface thread while the reader fills the rings.

#include "link/ReceiveRing.h"
#include "link/hid_library.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>

class UsbHidDevice {
  public:
    static constexpr std::uint16_t vendor_id = 0x10C4;
    static constexpr std::uint16_t product_id = 0x8468;
    static constexpr std::size_t output_report_length = 61;
    static constexpr std::size_t max_report_payload = 58;
    static constexpr std::size_t input_buffer_size = 8192;
    static constexpr std::uint8_t output_report_id = 4;
    static constexpr int data_report_id = 3;

    // The library is not owned and must outlive the device.
    explicit UsbHidDevice(hid_library& library);
    // Stops the reader and closes the device if still open.
    ~UsbHidDevice();
    UsbHidDevice(const UsbHidDevice&) = delete;
    UsbHidDevice& operator=(const UsbHidDevice&) = delete;

    // Attached devices with the card's vendor and product id.
    unsigned count_devices();
    // Opens the first matching device and starts the reader. A second open while the device
    // is open does nothing and succeeds. Returns the library's result (0 success).
    int open();
    // Stops the reader (waiting for it to end), then closes the device. Returns the
    // library's result (0 success); closing a device that is not open succeeds.
    int close();
    // Tells the reader to stop and waits at most wait_ms for it to end; true when it ended.
    // The device stays open (close() releases it).
    bool stop_reader(int wait_ms);
    bool is_open() const { return open_; }
    bool reader_running() const { return reader_running_; }

    // Sends n bytes as output reports of at most 58 bytes each. Ignored for report ids
    // outside 1 to 4 and for n = 0.
    void send_reports(int report_id, const std::uint8_t* data, std::size_t n);

    // Timed read from the ring of report id 1 or 3. On entry `count` holds the number of
    // bytes wanted. Waits until that many are buffered or timeout_ms passed; data present
    // then makes it a success even when short. Moves min(capacity, buffered) bytes, sets
    // `count` and returns true; false when nothing arrived or the id selects no ring.
    bool read_channel(int report_id, std::uint8_t* destination, std::size_t capacity,
                      std::size_t& count, int timeout_ms);
    // Empties the ring of report id 1 or 3 and resets the data event.
    void flush_channel(int report_id);

    // Bytes buffered / dropped in the ring of report id 1 or 3 (0 for other ids).
    std::size_t buffered(int report_id);
    std::size_t dropped(int report_id);

  private:
    ReceiveRing* ring_for(int report_id);
    void reader_loop();
    void store_report(const std::uint8_t* report, std::size_t length);
    void join_reader();

    hid_library& library_;
    std::uint8_t output_report_[output_report_length] = {};
    bool open_ = false;

    std::thread reader_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> reader_running_{false};
    std::mutex reader_end_mutex_;
    std::condition_variable reader_ended_;

    // One lock guards both rings and the data event flag.
    std::mutex lock_;
    std::condition_variable data_event_;
    bool data_signalled_ = false;
    ReceiveRing rings_[2];
};
