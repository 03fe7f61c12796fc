// ombra-sim: an Ombra card on a pseudo-terminal, for exercising transfers without hardware.
//
//   ombra-sim --pty PATH [--device WORD] [--store FILE] [--errors FILE] [--log FILE]
//             [--refuse N[:K]] [--silent N[:K]] [--short N[:BYTES]] [--garbage N[:BYTES]]
//             [--dead-after N] [--host-tcp PORT] [--host-rtu PATH] [--values FILE] [--wander]
//
// The card holds the map in the store file from the start, when there is one. With
// --host-tcp or --host-rtu it also serves that map's host registers over Modbus and prints
// "host tcp PORT" and "host rtu PATH" for them. Prints "ready PATH" once the terminal is
// linked at PATH and serves until SIGTERM or SIGINT.

#include "core/input_file.h"
#include "model/model_tables.h"
#include "sim/card_transcript.h"
#include "sim/feeder_values.h"
#include "sim/host_card.h"
#include "sim/modbus_host_server.h"
#include "sim/ombra_card.h"
#include "sim/pty_card_server.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>

namespace {

std::atomic<bool> stop_requested{false};

extern "C" void on_stop_signal(int) {
    stop_requested = true;
}

void install_signal_handlers() {
    struct sigaction action {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no restart: a blocked poll or write returns at once
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// The lines of the map a store file holds (none when there is no such file).
std::vector<std::string> stored_map(const std::string& store_path) {
    std::vector<std::string> lines;
    std::string text;
    if (store_path.empty() || read_regular_file(store_path, text) != file_read_result::ok)
        return lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

struct host_options {
    std::optional<int> tcp_port;
    std::string rtu_path, values_path;
    bool wander = false;
    bool any() const { return tcp_port || !rtu_path.empty(); }
};

// The feeders' values of --values; nothing after the message naming the bad line.
std::optional<feeder_values> load_values(const host_options& host) {
    if (host.values_path.empty())
        return feeder_values{};
    std::string text, error;
    if (read_regular_file(host.values_path, text) != file_read_result::ok) {
        std::cerr << "ombra-sim: cannot read " << host.values_path << "\n";
        return std::nullopt;
    }
    auto values = feeder_values::parse(text, error);
    if (!values)
        std::cerr << "ombra-sim: " << host.values_path << " " << error << "\n";
    else
        values->set_wander(host.wander);
    return values;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"ombra-sim: an Ombra card on a pseudo-terminal"};
    std::string pty_path, device_word = "RDX", store_path, errors_path, log_path;
    app.add_option("--pty", pty_path, "where to link the terminal end")->required();
    app.add_option("--device", device_word, "device the card belongs to (BLF, RDX, WNT, HQP)");
    app.add_option("--store", store_path, "file that receives every configuration sent");
    app.add_option("--errors", errors_path, "file holding the error list the card reports");
    app.add_option("--log", log_path, "transcript of every frame and answer");
    std::vector<std::pair<std::string, std::vector<std::string>>> fault_values;
    for (auto name : card_fault_options()) {
        fault_values.push_back({std::string(name), {}});
    }
    for (auto& [name, values] : fault_values)
        app.add_option("--" + name, values, "fault (repeatable)")->take_all();
    host_options host;
    app.add_option("--host-tcp", host.tcp_port,
                   "serve the host registers over Modbus/TCP on 127.0.0.1:PORT (0: a free port)")
        ->check(CLI::Range(0, 65535));
    app.add_option("--host-rtu", host.rtu_path,
                   "serve the host registers over Modbus RTU on a terminal linked here");
    app.add_option("--values", host.values_path, "the feeders' values, F:<feeder> <name> <value>");
    app.add_flag("--wander", host.wander, "move the values the host has not written slowly");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }

    card_options options;
    auto code = device_words().code(device_word);
    if (device_words().word(code) != std::optional<std::string_view>(device_word)) {
        std::cerr << "ombra-sim: unknown device '" << device_word << "'\n";
        return 2;
    }
    options.device_code = code;
    options.store_path = store_path;
    for (const auto& [name, values] : fault_values) {
        for (const auto& value : values) {
            std::string error;
            if (!parse_card_fault(name, value, options.faults, error)) {
                std::cerr << "ombra-sim: " << error << "\n";
                return 2;
            }
        }
    }
    if (!errors_path.empty()) {
        std::string text;
        if (read_regular_file(errors_path, text) != file_read_result::ok) {
            std::cerr << "ombra-sim: cannot read " << errors_path << "\n";
            return 1;
        }
        options.error_text = std::move(text);
    }

    auto values = load_values(host);
    if (!values)
        return 2;

    install_signal_handlers();
    card_transcript transcript(log_path);
    auto stored = stored_map(options.store_path);
    ombra_card card(std::move(options), &transcript);
    card.set_configuration(std::move(stored));
    pty_card_server server(card, &transcript);
    std::string error;
    if (!server.open(pty_path, error)) {
        std::cerr << "ombra-sim: " << error << "\n";
        return 1;
    }
    host_card host_side(std::move(*values),
                        [&transcript](const std::string& fired) { transcript.note(fired); });
    std::unique_ptr<modbus_host_server> host_server;
    if (host.any()) {
        host_server = std::make_unique<modbus_host_server>(card, host_side, &transcript);
        if (host.tcp_port && !host_server->listen_tcp(*host.tcp_port, error)) {
            std::cerr << "ombra-sim: " << error << "\n";
            return 1;
        }
        if (!host.rtu_path.empty() && !host_server->open_rtu(host.rtu_path, error)) {
            std::cerr << "ombra-sim: " << error << "\n";
            return 1;
        }
        if (host.tcp_port)
            std::printf("host tcp %d\n", host_server->tcp_port());
        if (!host.rtu_path.empty())
            std::printf("host rtu %s\n", host.rtu_path.c_str());
        host_server->start();
    }
    std::printf("ready %s\n", pty_path.c_str());
    std::fflush(stdout);
    server.serve(stop_requested);
    if (host_server)
        host_server->stop();
    if (!card.store_error().empty())
        std::cerr << "ombra-sim: " << card.store_error() << "\n";
    return 0;
}
