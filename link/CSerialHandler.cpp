#include "link/CSerialHandler.h"

#include "core/user_interface.h"
#include "link/UsbHidDevice.h"
#include "link/cancel_token.h"
#include "link/frame.h"
#include "link/link_messages.h"
#include "link/link_state.h"

#include <algorithm>
#include <chrono>
#include <utility>

CSerialHandler::CSerialHandler(const link_state& link, user_interface& ui,
                               const cancel_token* cancel)
    : link_(link), ui_(ui), cancel_(cancel) {}

CSerialHandler::CSerialHandler(const link_state& link) : CSerialHandler(link, link.ui()) {}

bool CSerialHandler::cancelled() const {
    return cancel_ && cancel_->cancelled();
}

bool CSerialHandler::usb_usable() const {
    return link_.link_type() == link_usb && link_.usb_connected() && usb_;
}

CSerialHandler::~CSerialHandler() {
    if (port_)
        port_->close();
}

int CSerialHandler::open_com(const std::string& port_name, const std::string& settings_text) {
    failure_cause_.clear();
    serial_settings settings;
    if (!parse_serial_settings(settings_text, settings))
        return com_bad_settings;
    if (port_)
        port_->close();
    port_ = link_.make_port();
    if (!port_ || !port_->open(port_name)) {
        if (port_)
            failure_cause_ = port_->failure_cause();
        port_.reset();
        return com_cannot_open;
    }
    int timeout = link_.timing().com_read_timeout_ms;
    if (!port_->configure(settings) || !port_->set_read_timeout(timeout)) {
        failure_cause_ = port_->failure_cause();
        // Nobody else can use the port while we hold it: let it go at once.
        port_->close();
        port_.reset();
        return com_cannot_configure;
    }
    read_timeout_ms_ = timeout;
    return com_open_ok;
}

void CSerialHandler::attach_usb(UsbHidDevice& device) {
    usb_ = &device;
    read_timeout_ms_ = link_.timing().usb_read_timeout_ms;
}

bool CSerialHandler::set_timeout(int ms) {
    if (link_.link_type() == link_com) {
        if (!port_ || !port_->set_read_timeout(ms)) {
            ui_.message(msg_timeouts_failed);
            return false;
        }
    }
    read_timeout_ms_ = ms;
    return true;
}

bool CSerialHandler::write_bytes(const std::uint8_t* data, std::size_t n, std::size_t& written) {
    written = 0;
    if (usb_usable()) {
        // A USB write never fails here; a lost report shows up as a missing acknowledgement.
        usb_->send_reports(UsbHidDevice::output_report_id, data, n);
        written = n;
        return true;
    }
    if (link_.link_type() == link_com && com_open())
        return port_->write(data, n, written);
    return false;
}

bool CSerialHandler::read_bytes(std::uint8_t* buffer, std::size_t n, std::size_t& got) {
    if (cancel_ && read_timeout_ms_ > cancel_token::poll_ms)
        return read_sliced(buffer, n, got);
    return read_once(buffer, n, got, read_timeout_ms_);
}

bool CSerialHandler::read_once(std::uint8_t* buffer, std::size_t n, std::size_t& got,
                               int timeout_ms) {
    got = 0;
    if (usb_usable()) {
        std::size_t count = n;
        if (!usb_->read_channel(UsbHidDevice::data_report_id, buffer, n, count, timeout_ms))
            return false;
        got = count;
        return true;
    }
    if (link_.link_type() == link_com && com_open()) {
        if (timeout_ms != read_timeout_ms_ && !port_->set_read_timeout(timeout_ms))
            return false;
        return port_->read(buffer, n, got);
    }
    return false;
}

bool CSerialHandler::read_sliced(std::uint8_t* buffer, std::size_t n, std::size_t& got) {
    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    const auto deadline = start + std::chrono::milliseconds(read_timeout_ms_);
    const bool usb = usb_usable();
    bool ok = true;
    got = 0;
    while (got < n && !cancelled()) {
        const auto now = clock::now();
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
        if (left <= 0)
            break;
        if (on_late_ && got == 0 && now - start >= std::chrono::milliseconds(late_after_ms_))
            std::exchange(on_late_, nullptr)();
        std::size_t part = 0;
        const bool read =
            read_once(buffer + got, n - got, part,
                      static_cast<int>(std::min<long long>(left, cancel_token::poll_ms)));
        // On USB a slice without data is no failure: the read goes on until its time-out.
        if (!read && !usb) {
            ok = false;
            break;
        }
        got += part;
    }
    if (link_.link_type() == link_com && com_open())
        port_->set_read_timeout(read_timeout_ms_);
    // A USB read succeeds when any byte came, a port read when the port did not fail.
    return usb ? got > 0 : ok;
}

std::size_t CSerialHandler::receive(std::uint8_t* buffer, std::size_t n) {
    std::size_t got = 0;
    if (!read_bytes(buffer, n, got)) {
        // A wait the user cut short is no read error.
        if (!cancelled())
            ui_.message(msg_read_failed);
        return 0;
    }
    return got;
}

bool CSerialHandler::send_frame(const std::uint8_t* payload, std::size_t n) {
    return send_frame_answer(payload, n) == frame_answer::accepted;
}

namespace {
// How long the first transmission's answer may take before the card counts as late.
constexpr int late_answer_ms = 1000;
} // namespace

frame_answer CSerialHandler::send_frame_answer(const std::uint8_t* payload, std::size_t n,
                                               const silence_listener& on_silence) {
    std::vector<std::uint8_t> frame = build_frame(payload, n);
    for (int attempt = 0; attempt < frame_transmissions; ++attempt) {
        if (cancelled())
            return frame_answer::cancelled;
        std::size_t written = 0;
        write_bytes(frame.data(), frame.size(), written);
        std::uint8_t answer = 0;
        std::size_t got = 0;
        // The first transmission's answer that is late says so before a long wait ends.
        if (attempt == 0 && on_silence && read_timeout_ms_ >= 2 * late_answer_ms) {
            on_late_ = [&on_silence] { on_silence(0); };
            late_after_ms_ = late_answer_ms;
        }
        const bool read = read_bytes(&answer, 1, got);
        on_late_ = nullptr;
        if (!read || got != 1) {
            if (cancelled())
                return frame_answer::cancelled;
            if (on_silence)
                on_silence(attempt + 1);
            continue;
        }
        if (answer == frame_ack)
            return frame_answer::accepted;
        if (input_waiting())
            return frame_answer::garbled;
    }
    return frame_answer::refused;
}

bool CSerialHandler::input_waiting(int wait_ms) {
    const int timeout = read_timeout_ms_;
    const bool com = link_.link_type() == link_com && com_open();
    if (com && !port_->set_read_timeout(wait_ms))
        return false;
    read_timeout_ms_ = wait_ms;
    bool any = false;
    std::uint8_t scrap = 0;
    std::size_t got = 0;
    // One byte at a time: a USB read that may not wait succeeds only with all it wants.
    // Bounded, so that a line that never stops talking cannot hold the transfer here.
    for (int round = 0; round < 8192 && read_bytes(&scrap, 1, got) && got > 0; ++round) {
        any = true;
        if (com)
            port_->set_read_timeout(0);
        read_timeout_ms_ = 0;
    }
    read_timeout_ms_ = timeout;
    if (com)
        port_->set_read_timeout(timeout);
    return any;
}
