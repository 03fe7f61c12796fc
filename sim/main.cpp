// ombra-sim: an Ombra card on a pseudo-terminal, for exercising transfers without hardware.
//
//   ombra-sim --pty PATH [--device WORD] [--store FILE] [--errors FILE] [--log FILE]
//             [--refuse N[:K]] [--silent N[:K]] [--short N[:BYTES]] [--garbage N[:BYTES]]
//             [--dead-after N]
//
// Prints "ready PATH" once the terminal is linked at PATH and serves until SIGTERM or SIGINT.

#include "core/input_file.h"
#include "model/model_tables.h"
#include "sim/card_transcript.h"
#include "sim/ombra_card.h"
#include "sim/pty_card_server.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>

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

    install_signal_handlers();
    card_transcript transcript(log_path);
    ombra_card card(std::move(options), &transcript);
    pty_card_server server(card, &transcript);
    std::string error;
    if (!server.open(pty_path, error)) {
        std::cerr << "ombra-sim: " << error << "\n";
        return 1;
    }
    std::printf("ready %s\n", pty_path.c_str());
    std::fflush(stdout);
    server.serve(stop_requested);
    if (!card.store_error().empty())
        std::cerr << "ombra-sim: " << card.store_error() << "\n";
    return 0;
}
