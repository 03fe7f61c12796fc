// send, extract and errors: the transfers to and from a card, over the COM port named with
// --port, the USB device with --usb, or else the link the editor has saved.

#include "cli/commands.h"
#include "core/atomic_write.h"
#include "core/user_interface.h"
#include "link/UsbHidDevice.h"
#include "link/extract.h"
#include "link/link_state.h"
#include "link/platform/hidapi_library.h"
#include "link/platform/qt_settings_store.h"
#include "link/platform/termios_serial_port.h"
#include "link/send_text.h"
#include "link/transfer_messages.h"
#include "model/model_tables.h"
#include "model/zrp_file.h"

#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> device_word_choices{"BLF", "RDX", "WNT", "HQP"};

// The editor's saved settings with the command's link options laid over them. A command
// never saves: choosing a port on the command line leaves the editor's choice alone.
class command_settings : public link_settings {
  public:
    std::string value(const std::string& section, const std::string& key,
                      const std::string& default_value) override {
        auto found = overrides_.find(section + "/" + key);
        if (found != overrides_.end())
            return found->second;
        return saved_.value(section, key, default_value);
    }
    void set_value(const std::string& section, const std::string& key,
                   const std::string& value) override {
        overrides_[section + "/" + key] = value;
    }

  private:
    qt_settings_store saved_;
    std::map<std::string, std::string> overrides_;
};

struct link_options {
    std::string port;
    bool usb = false;
};

// The link of one command: settings, the USB device and the link state, torn down in order.
class command_link {
  public:
    explicit command_link(const link_options& options)
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
    ~command_link() { state_.shutdown(); }

    const link_state& state() const { return state_; }

  private:
    command_settings settings_;
    hidapi_library library_;
    UsbHidDevice usb_;
    link_state state_;
};

void add_link_options(CLI::App* command, link_options& options) {
    auto* port = command->add_option("--port", options.port, "COM port (e.g. /dev/ttyUSB0)");
    auto* usb = command->add_flag("--usb", options.usb, "use the USB link");
    port->excludes(usb);
}

int send_map_file(const std::string& file, const link_options& options) {
    auto in = open_send_file(file);
    if (!in)
        return exit_failed;
    command_link link(options);
    return send_text(link.state(), *in) ? exit_ok : exit_failed;
}

int write_output(const std::string& text, const std::string& out_path) {
    if (out_path.empty()) {
        std::cout << text << std::flush;
        return exit_ok;
    }
    std::string error;
    if (!atomic_write_file(out_path, text, &error)) {
        ui().message("Unable to write " + out_path + ": " + error);
        return exit_failed;
    }
    return exit_ok;
}

int extract_map(const std::string& device_word, const link_options& options,
                const std::string& out_path) {
    std::unique_ptr<zrp_file> map;
    {
        command_link link(options);
        map = extract_configuration(link.state(), device_words().code(device_word));
    }
    if (!map)
        return exit_failed;
    std::ostringstream text;
    map->write(text);
    return write_output(text.str(), out_path);
}

int print_errors(const link_options& options) {
    command_link link(options);
    auto text = extract_error_list(link.state());
    if (!text)
        return exit_failed;
    std::cout << *text;
    if (text->empty() || text->back() != '\n')
        std::cout << '\n';
    std::cout << std::flush;
    return exit_ok;
}

void install_link_commands(CLI::App& app, int& exit_code) {
    auto* send = app.add_subcommand("send", "send a map file to the card as stored");
    auto send_file_name = std::make_shared<std::string>();
    auto send_options = std::make_shared<link_options>();
    send->add_option("FILE", *send_file_name, "the map to send")->required();
    add_link_options(send, *send_options);
    send->callback([=, &exit_code] { exit_code = send_map_file(*send_file_name, *send_options); });

    auto* extract = app.add_subcommand("extract", "extract the card's configuration as a map");
    auto device = std::make_shared<std::string>();
    auto extract_options = std::make_shared<link_options>();
    auto out_path = std::make_shared<std::string>();
    extract->add_option("WORD", *device, "device: BLF, RDX, WNT or HQP")
        ->required()
        ->check(CLI::IsMember(device_word_choices));
    add_link_options(extract, *extract_options);
    extract->add_option("-o", *out_path, "write the map here instead of standard output");
    extract->callback(
        [=, &exit_code] { exit_code = extract_map(*device, *extract_options, *out_path); });

    auto* errors = app.add_subcommand("errors", "print the card's error list");
    auto errors_options = std::make_shared<link_options>();
    add_link_options(errors, *errors_options);
    errors->callback([=, &exit_code] { exit_code = print_errors(*errors_options); });
}

} // namespace

TESSALY_CLI_COMMANDS(install_link_commands);
