// read and write: the card's host registers as the map describes them, over Modbus/TCP or
// Modbus RTU, with the connection the map gives unless the options say otherwise.

#include "cli/cli_files.h"
#include "cli/commands.h"
#include "cli/live_session.h"
#include "cli/terminal_ui.h"
#include "live/live_map.h"
#include "live/live_messages.h"
#include "live/live_writer.h"
#include "live/platform/qt_modbus_link.h"

#include <charconv>
#include <memory>
#include <optional>
#include <string>

namespace {

struct connection_options {
    std::string tcp;
    std::string rtu;
    std::optional<int> unit;
    int timeout_ms = 1000;
};

void add_connection_options(CLI::App* command, connection_options& options) {
    auto* tcp = command->add_option("--tcp", options.tcp,
                                    "Modbus/TCP at HOST[:PORT] instead of the map's address");
    auto* rtu = command->add_option("--rtu", options.rtu,
                                    "Modbus RTU on this serial port (COMn or a device path)");
    tcp->excludes(rtu);
    command
        ->add_option("--unit", options.unit,
                     "unit identifier or slave address instead of the map's")
        ->check(CLI::Range(0, 255));
    command->add_option("--timeout", options.timeout_ms, "time-out of a request in ms")
        ->default_val(1000)
        ->check(CLI::Range(1, 600000));
}

// HOST[:PORT] (an IPv6 address in brackets); false when the port is not 1..65535.
bool split_host_port(const std::string& text, std::string& host, int& port) {
    std::string port_text;
    if (!text.empty() && text.front() == '[') {
        auto close = text.find(']');
        if (close == std::string::npos)
            return false;
        host = text.substr(1, close - 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':')
                return false;
            port_text = text.substr(close + 2);
        }
    } else if (auto colon = text.rfind(':');
               colon != std::string::npos && text.find(':') == colon) {
        host = text.substr(0, colon);
        port_text = text.substr(colon + 1);
    } else {
        host = text;
    }
    if (host.empty())
        return false;
    if (port_text.empty())
        return true;
    auto [end, ec] = std::from_chars(port_text.data(), port_text.data() + port_text.size(), port);
    return ec == std::errc() && end == port_text.data() + port_text.size() && port >= 1 &&
           port <= 65535;
}

// The map's connection with the options laid over it; nothing after the message that says
// why there is none.
std::optional<connection_settings> resolve_connection(const zrp_file& map,
                                                      const connection_options& options) {
    std::string message;
    auto settings = connection_defaults(map, message);
    if (!settings) {
        cli_ui().message(message);
        return std::nullopt;
    }
    if (!options.tcp.empty()) {
        settings->transport = link_transport::tcp;
        settings->port = 502;
        if (!split_host_port(options.tcp, settings->host, settings->port)) {
            cli_ui().message("Not a host and port: " + options.tcp);
            return std::nullopt;
        }
    } else if (!options.rtu.empty()) {
        settings->transport = link_transport::rtu;
        settings->device = options.rtu;
    }
    if (options.unit)
        settings->unit = *options.unit;
    settings->timeout_ms = options.timeout_ms;
    if (settings->transport == link_transport::tcp && settings->host.empty()) {
        cli_ui().message("The map gives no IP address; give the card's address with --tcp "
                         "HOST[:PORT].");
        return std::nullopt;
    }
    if (settings->transport == link_transport::rtu && settings->device.empty()) {
        cli_ui().message("Give the serial port of the card's host side with --rtu DEVICE.");
        return std::nullopt;
    }
    if (settings->transport == link_transport::rtu &&
        (settings->unit < 1 || settings->unit > 247)) {
        cli_ui().message("Slave address " + std::to_string(settings->unit) +
                         " cannot be read on a serial line (1 to 247 can); give the card's "
                         "address with --unit N.");
        return std::nullopt;
    }
    return settings;
}

// The map, loaded as every command loads it: a failure has said why.
std::unique_ptr<zrp_file> load_live_map(const std::string& path) {
    return load_map(path);
}

int read_map(const std::string& path, const connection_options& options,
             const read_output& output) {
    auto map = load_live_map(path);
    if (!map)
        return exit_usage;
    auto settings = resolve_connection(*map, options);
    if (!settings)
        return exit_usage;
    qt_modbus_link link(*settings);
    live_poller poller(link, live_registers(*map));
    return run_reads(poller, output);
}

int write_register(const std::string& path, int number, const std::string& typed,
                   const connection_options& options) {
    auto map = load_live_map(path);
    if (!map)
        return exit_usage;
    std::string message;
    if (!connection_defaults(*map, message)) {
        cli_ui().message(message);
        return exit_usage;
    }
    auto registers = live_registers(*map);
    auto reg = std::find_if(registers.begin(), registers.end(),
                            [number](const live_register& r) { return r.number == number; });
    if (reg == registers.end()) {
        cli_ui().message(live_messages::not_in_map(number));
        return exit_usage;
    }
    auto words = prepare_write(*reg, typed, message);
    if (!words) {
        cli_ui().message(message);
        return exit_failed;
    }
    auto settings = resolve_connection(*map, options);
    if (!settings)
        return exit_usage;
    qt_modbus_link link(*settings);
    return run_write(link, *reg, std::move(*words));
}

void install_live_commands(CLI::App& app, int& exit_code) {
    auto* read = app.add_subcommand("read", "read the card's host registers as the map shows them");
    auto read_file = std::make_shared<std::string>();
    auto read_options = std::make_shared<connection_options>();
    auto output = std::make_shared<read_output>();
    read->add_option("MAP", *read_file, "the map the card holds")->required();
    add_connection_options(read, *read_options);
    read->add_option("--watch", output->watch_seconds, "read again every SECONDS until interrupted")
        ->check(CLI::PositiveNumber);
    read->add_flag("--csv", output->csv, "write an RFC 4180 table instead of tab-separated lines");
    read->callback([=, &exit_code] { exit_code = read_map(*read_file, *read_options, *output); });

    auto* write = app.add_subcommand("write", "write one host register's value to the card");
    auto write_file = std::make_shared<std::string>();
    auto number = std::make_shared<int>(0);
    auto value = std::make_shared<std::string>();
    auto write_options = std::make_shared<connection_options>();
    write->add_option("MAP", *write_file, "the map the card holds")->required();
    write->add_option("REGISTER", *number, "the register's number (40001 and above)")->required();
    write
        ->add_option("VALUE", *value,
                     "a number, a text for string registers, a 16-bit number (decimal or 0x "
                     "hex) for a command word")
        ->required();
    add_connection_options(write, *write_options);
    write->callback([=, &exit_code] {
        exit_code = write_register(*write_file, *number, *value, *write_options);
    });
}

} // namespace

TESSALY_CLI_COMMANDS(install_live_commands);
