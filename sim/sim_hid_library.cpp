#include "sim/sim_hid_library.h"

#include <algorithm>
#include <chrono>
#include <cstring>

sim_hid_library::sim_hid_library(ombra_card& card, int read_wait_ms)
    : card_(card), read_wait_ms_(read_wait_ms) {}

unsigned sim_hid_library::get_num_hid_devices(std::uint16_t vid, std::uint16_t pid) {
    std::lock_guard lock(mutex_);
    return vid == vendor_id && pid == product_id ? attached_ : 0;
}

int sim_hid_library::open(unsigned index, std::uint16_t vid, std::uint16_t pid, unsigned) {
    std::lock_guard lock(mutex_);
    ++open_calls_;
    if (vid != vendor_id || pid != product_id || index >= attached_)
        return hid_device_not_found;
    if (open_)
        return hid_device_already_opened;
    open_ = true;
    input_.clear();
    return hid_success;
}

int sim_hid_library::set_output_report_interrupt(const std::uint8_t* buffer, std::size_t length) {
    std::lock_guard lock(mutex_);
    if (!open_ || attached_ == 0 || length < 2)
        return hid_transfer_failed;
    outputs_.emplace_back(buffer, buffer + length);
    std::size_t count = std::min<std::size_t>(buffer[1], length - 2);
    std::vector<std::uint8_t> answer;
    card_.receive({buffer + 2, count}, answer);
    for (std::size_t at = 0; at < answer.size(); at += input_payload) {
        std::size_t n = std::min(input_payload, answer.size() - at);
        std::vector<std::uint8_t> report{3, static_cast<std::uint8_t>(n)};
        report.insert(report.end(), answer.begin() + at, answer.begin() + at + n);
        input_.push_back(std::move(report));
    }
    if (!answer.empty())
        arrived_.notify_all();
    return hid_success;
}

int sim_hid_library::get_input_report_interrupt(std::uint8_t* buffer, std::size_t size, unsigned,
                                                std::size_t& returned) {
    returned = 0;
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, std::chrono::milliseconds(read_wait_ms_),
                      [&] { return !input_.empty() && open_ && attached_ > 0; });
    if (!open_ || attached_ == 0)
        return hid_device_not_opened;
    if (input_.empty())
        return hid_read_timed_out;
    auto report = std::move(input_.front());
    input_.pop_front();
    returned = std::min(size, report.size());
    std::memcpy(buffer, report.data(), returned);
    return hid_success;
}

int sim_hid_library::close() {
    std::lock_guard lock(mutex_);
    if (close_result_ != hid_success)
        return close_result_;
    open_ = false;
    input_.clear();
    arrived_.notify_all();
    return hid_success;
}

hid_guid sim_hid_library::get_hid_guid() {
    // The HID interface class: {4D1E55B2-F16F-11CF-88CB-001111000030}.
    return {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
}

void sim_hid_library::set_attached(unsigned count) {
    std::lock_guard lock(mutex_);
    attached_ = count;
    arrived_.notify_all();
}

void sim_hid_library::inject_report(std::vector<std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    input_.push_back(std::move(report));
    arrived_.notify_all();
}

void sim_hid_library::set_close_result(int result) {
    std::lock_guard lock(mutex_);
    close_result_ = result;
}

bool sim_hid_library::is_open() const {
    std::lock_guard lock(mutex_);
    return open_;
}

int sim_hid_library::open_calls() const {
    std::lock_guard lock(mutex_);
    return open_calls_;
}

std::vector<std::vector<std::uint8_t>> sim_hid_library::output_reports() const {
    std::lock_guard lock(mutex_);
    return outputs_;
}
