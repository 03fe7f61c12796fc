#include "link/UsbHidDevice.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

UsbHidDevice::UsbHidDevice(hid_library& library) : library_(library) {}

UsbHidDevice::~UsbHidDevice() {
    stop_ = true;
    join_reader();
    if (open_)
        library_.close();
}

unsigned UsbHidDevice::count_devices() {
    return library_.get_num_hid_devices(vendor_id, product_id);
}

int UsbHidDevice::open() {
    // Arrival notifications come for every HID device; reopening the card's open device
    // would fail and mark it disconnected, so a second open is a no-op.
    if (!open_) {
        int result = library_.open(0, vendor_id, product_id, 0);
        if (result != hid_success)
            return result;
        open_ = true;
    }
    // Also restarts a reader that a failed close() had already stopped.
    if (!reader_running_) {
        join_reader(); // a reader that ended on its own
        stop_ = false;
        reader_running_ = true;
        reader_ = std::thread(&UsbHidDevice::reader_loop, this);
    }
    return hid_success;
}

int UsbHidDevice::close() {
    stop_ = true;
    join_reader();
    if (!open_)
        return hid_success;
    int result = library_.close();
    if (result == hid_success)
        open_ = false;
    return result;
}

bool UsbHidDevice::stop_reader(int wait_ms) {
    stop_ = true;
    std::unique_lock lock(reader_end_mutex_);
    bool ended = reader_ended_.wait_for(lock, std::chrono::milliseconds(wait_ms),
                                        [this] { return !reader_running_; });
    lock.unlock();
    if (ended)
        join_reader();
    return ended;
}

void UsbHidDevice::join_reader() {
    if (reader_.joinable())
        reader_.join();
}

void UsbHidDevice::reader_loop() {
    std::vector<std::uint8_t> buffer(input_buffer_size);
    while (!stop_) {
        std::size_t returned = 0;
        int result = library_.get_input_report_interrupt(buffer.data(), buffer.size(), 1, returned);
        if (result == hid_success)
            store_report(buffer.data(), std::min(returned, buffer.size()));
        else if (result != hid_read_timed_out)
            // A device that vanished fails at once; do not spin until it is closed.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::lock_guard lock(reader_end_mutex_);
    reader_running_ = false;
    reader_ended_.notify_all();
}

void UsbHidDevice::store_report(const std::uint8_t* report, std::size_t length) {
    if (length < 2)
        return;
    // The count byte is the device's claim; never read past what was received.
    std::size_t count = std::min<std::size_t>(report[1], length - 2);
    {
        std::lock_guard lock(lock_);
        ReceiveRing* ring = ring_for(report[0]);
        if (!ring)
            return;
        for (std::size_t i = 0; i < count; ++i)
            ring->put(report[2 + i]);
        data_signalled_ = true;
    }
    data_event_.notify_all();
}

ReceiveRing* UsbHidDevice::ring_for(int report_id) {
    switch (report_id) {
    case 1:
        return &rings_[0];
    case 3:
        return &rings_[1];
    default:
        return nullptr;
    }
}

void UsbHidDevice::send_reports(int report_id, const std::uint8_t* data, std::size_t n) {
    if (report_id < 1 || report_id > 4)
        return;
    // The bytes after each report's data are left as they were: they carry no meaning.
    for (std::size_t sent = 0; sent < n;) {
        std::size_t k = std::min(n - sent, max_report_payload);
        output_report_[0] = static_cast<std::uint8_t>(report_id);
        output_report_[1] = static_cast<std::uint8_t>(k);
        std::memcpy(output_report_ + 2, data + sent, k);
        library_.set_output_report_interrupt(output_report_, output_report_length);
        sent += k;
    }
}

bool UsbHidDevice::read_channel(int report_id, std::uint8_t* destination, std::size_t capacity,
                                std::size_t& count, int timeout_ms) {
    std::unique_lock lock(lock_);
    ReceiveRing* ring = ring_for(report_id);
    if (!ring)
        return false;
    std::size_t wanted = count;
    bool success;
    if (ring->count() >= wanted || timeout_ms <= 0) {
        data_signalled_ = false;
        success = ring->count() >= wanted;
    } else {
        // The deadline is fixed at the start: every wake-up waits only for what is left.
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        while (ring->count() < wanted) {
            if (!data_event_.wait_until(lock, deadline, [this] { return data_signalled_; }))
                break;
            data_signalled_ = false; // auto-reset
        }
        success = ring->count() > 0;
    }
    if (!success)
        return false;
    std::size_t moved = ring->take(destination, capacity);
    if (moved == 0)
        return false;
    count = moved;
    return true;
}

void UsbHidDevice::flush_channel(int report_id) {
    std::lock_guard lock(lock_);
    if (ReceiveRing* ring = ring_for(report_id))
        ring->clear();
    data_signalled_ = false;
}

std::size_t UsbHidDevice::buffered(int report_id) {
    std::lock_guard lock(lock_);
    ReceiveRing* ring = ring_for(report_id);
    return ring ? ring->count() : 0;
}

std::size_t UsbHidDevice::dropped(int report_id) {
    std::lock_guard lock(lock_);
    ReceiveRing* ring = ring_for(report_id);
    return ring ? ring->dropped() : 0;
}
