#include "link/link_state.h"

#include "core/user_interface.h"
#include "link/link_messages.h"

#include <utility>

namespace {

// "UseLink" words and the links they select; any other word selects none.
struct link_word {
    const char* word;
    int type;
};
constexpr link_word link_words[] = {{"COM", link_com}, {"USB", link_usb}};

int link_from_word(const std::string& word) {
    for (const auto& entry : link_words)
        if (word == entry.word)
            return entry.type;
    return link_none;
}

// The detailed text for a failed open of the USB device.
const char* usb_failure_cause(int result) {
    switch (result) {
    case hid_access_denied:
        return cause_permission_denied;
    case hid_device_not_found:
        return cause_no_such_file;
    case hid_device_already_opened:
        return cause_device_busy;
    default:
        return "";
    }
}

const char* word_for_link(int type) {
    for (const auto& entry : link_words)
        if (type == entry.type)
            return entry.word;
    return "";
}

} // namespace

link_state::link_state(link_settings& settings, UsbHidDevice& usb, serial_port_factory ports,
                       user_interface& ui, link_timing timing)
    : settings_(settings), usb_(usb), ports_(std::move(ports)), ui_(ui),
      timing_(std::move(timing)) {}

void link_state::load_settings() {
    com_port_ = settings_.value(settings_section, com_port_key, com_port_default);
    link_type_ = link_from_word(settings_.value(settings_section, use_link_key, use_link_default));
}

void link_state::check_usb() {
    if (usb_.count_devices() != 1) {
        usb_connected_ = false;
    } else {
        usb_connected_ = true;
        if (link_type_ == link_usb)
            open_usb_device();
    }
    update_link_status();
}

void link_state::open_usb_device() {
    const int result = usb_.open();
    if (result != hid_success) {
        usb_connected_ = false;
        ui_.detailed_message(msg_usb_open_failed, usb_failure_cause(result));
    }
}

void link_state::device_removed() {
    // Some other HID device went away while the card is still attached.
    if (usb_.count_devices() != 0)
        return;
    if (usb_.is_open() && usb_.close() != hid_success)
        ui_.message(msg_usb_close_failed);
    usb_connected_ = false;
    update_link_status();
}

void link_state::select_usb_link() {
    if (link_type_ != link_usb) {
        if (usb_connected_)
            open_usb_device();
        link_type_ = link_usb;
        settings_.set_value(settings_section, use_link_key, word_for_link(link_usb));
    }
    update_link_status();
}

void link_state::select_com_link() {
    if (link_type_ != link_com) {
        // The device stays attached (usb_connected unchanged); it is only closed.
        if (usb_.is_open() && usb_.close() != hid_success)
            ui_.message(msg_usb_close_failed);
        link_type_ = link_com;
        settings_.set_value(settings_section, use_link_key, word_for_link(link_com));
    }
    update_link_status();
}

void link_state::set_com_port(const std::string& name) {
    com_port_ = name;
    settings_.set_value(settings_section, com_port_key, com_port_);
    update_link_status();
}

std::string link_state::status_text() const {
    switch (link_type_) {
    case link_usb:
        return usb_connected_ ? status_usb_connected : status_usb_disconnected;
    case link_com:
        return com_port_;
    default:
        return {};
    }
}

void link_state::update_link_status() {
    if (status_sink_)
        status_sink_(status_text());
}

void link_state::shutdown() {
    // A reader that does not end in time keeps the device; it must not be closed under it.
    if (usb_.stop_reader(timing_.reader_stop_wait_ms))
        usb_.close();
}

std::unique_ptr<serial_port> link_state::make_port() const {
    return ports_ ? ports_() : nullptr;
}

void link_state::set_status_sink(std::function<void(const std::string&)> sink) {
    status_sink_ = std::move(sink);
}
