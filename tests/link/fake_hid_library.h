#pragma once
// A scriptable hid_library for the USB tests: it records every output report, serves queued
// input reports to the reader thread, and lets a test set the attached-device count and the
// results of open and close. Optionally it answers each frame with a byte on report id 3
// (ACK, a refusal, or nothing), as a card would.

#include "link/hid_library.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class fake_hid_library : public hid_library {
  public:
    using report = std::vector<std::uint8_t>;

    unsigned get_num_hid_devices(std::uint16_t vendor_id, std::uint16_t product_id) override {
        std::lock_guard lock(mutex_);
        last_vendor = vendor_id;
        last_product = product_id;
        return devices;
    }
    int open(unsigned index, std::uint16_t, std::uint16_t, unsigned) override {
        std::lock_guard lock(mutex_);
        ++open_calls;
        last_index = index;
        if (is_open)
            return hid_device_already_opened;
        if (open_result == hid_success)
            is_open = true;
        return open_result;
    }
    int set_output_report_interrupt(const std::uint8_t* buffer, std::size_t length) override {
        std::lock_guard lock(mutex_);
        outputs_.emplace_back(buffer, buffer + length);
        // A frame ends with the first report that is not full; answer it as a card would.
        if (length >= 2 && buffer[1] < 58) {
            int answer = answer_byte;
            if (!answer_script.empty()) {
                answer = answer_script.front();
                answer_script.pop_front();
            }
            if (answer >= 0) {
                inputs_.push_back({3, 1, static_cast<std::uint8_t>(answer)});
                cv_.notify_all();
            }
        }
        return hid_success;
    }
    int get_input_report_interrupt(std::uint8_t* buffer, std::size_t size, unsigned,
                                   std::size_t& returned) override {
        std::unique_lock lock(mutex_);
        ++read_calls;
        returned = 0;
        if (read_failure != hid_success)
            return read_failure;
        if (!cv_.wait_for(lock, std::chrono::milliseconds(read_wait_ms),
                          [this] { return !inputs_.empty(); }))
            return hid_read_timed_out;
        report r = std::move(inputs_.front());
        inputs_.pop_front();
        returned = std::min(size, r.size());
        std::memcpy(buffer, r.data(), returned);
        return hid_success;
    }
    int close() override {
        std::lock_guard lock(mutex_);
        ++close_calls;
        if (close_result == hid_success)
            is_open = false;
        return close_result;
    }
    hid_guid get_hid_guid() override { return {}; }

    // Queues an input report for the reader.
    void push_input(report r) {
        std::lock_guard lock(mutex_);
        inputs_.push_back(std::move(r));
        cv_.notify_all();
    }
    // Waits until the reader took every queued report.
    bool drained(int wait_ms = 2000) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
        for (;;) {
            {
                std::lock_guard lock(mutex_);
                if (inputs_.empty())
                    return true;
            }
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    std::vector<report> output_reports() {
        std::lock_guard lock(mutex_);
        return outputs_;
    }

    // Settings and counters (set before the reader runs, read after it stopped).
    unsigned devices = 1;
    int open_result = hid_success;
    int close_result = hid_success;
    int answer_byte = -1;          // >= 0: answer each frame with this byte on report id 3
    std::deque<int> answer_script; // answers for the next frames first (-1: stay silent)
    int read_wait_ms = 20;
    std::atomic<int> read_failure{hid_success}; // a vanished device fails every read at once
    bool is_open = false;
    int open_calls = 0, close_calls = 0, read_calls = 0;
    unsigned last_index = 99;
    std::uint16_t last_vendor = 0, last_product = 0;

  private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<report> inputs_;
    std::vector<report> outputs_;
};
