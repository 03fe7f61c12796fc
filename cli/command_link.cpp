#include "cli/command_link.h"

#include "link/platform/termios_serial_port.h"

std::string command_link::command_settings::value(const std::string& section,
                                                  const std::string& key,
                                                  const std::string& default_value) {
    auto found = overrides_.find(section + "/" + key);
    if (found != overrides_.end())
        return found->second;
    return saved_.value(section, key, default_value);
}

void command_link::command_settings::set_value(const std::string& section, const std::string& key,
                                               const std::string& value) {
    overrides_[section + "/" + key] = value;
}

command_link::command_link(const link_options& options)
    : usb_(library_), state_(settings_, usb_, &termios_serial_port::create) {
    if (!options.port.empty()) {
        settings_.set_value(settings_section, use_link_key, "COM");
        settings_.set_value(settings_section, com_port_key, options.port);
    } else if (options.usb) {
        settings_.set_value(settings_section, use_link_key, "USB");
    }
    state_.load_settings();
    if (state_.link_type() == link_usb)
        state_.check_usb();
}

command_link::~command_link() {
    state_.shutdown();
}

void add_link_options(CLI::App* command, link_options& options) {
    auto* port = command->add_option(
        "--port", options.port,
        "COM port: COMn for /dev/ttyS<n-1>, or a device path such as /dev/ttyUSB0");
    // An empty name would fall back on the saved port (COM1 at first) and wait for a card
    // that is not there: it is bad usage.
    port->check(CLI::Validator(
        [](const std::string& name) { return name.empty() ? std::string("empty port name") : ""; },
        "NAME"));
    auto* usb = command->add_flag("--usb", options.usb, "use the USB link");
    port->excludes(usb);
}
