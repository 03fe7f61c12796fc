// send, extract and errors: the transfers to and from a card, over the COM port named with
// --port, the USB device with --usb, or else the link the editor has saved.

#include "cli/cmd_compare.h"
#include "cli/command_link.h"
#include "cli/commands.h"
#include "core/atomic_write.h"
#include "core/user_interface.h"
#include "link/extract.h"
#include "link/send_check.h"
#include "link/send_text.h"
#include "link/transfer_messages.h"
#include "model/model_tables.h"
#include "model/zrp_file.h"

#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> device_word_choices{"BLF", "RDX", "WNT", "HQP"};

// Sends the file as stored once it loads as a map. What the card would not get as the map
// says is printed as check prints it; such a map is sent only with force.
int send_map_file(const std::string& file, const link_options& options, bool force) {
    auto contents = load_send_file(file);
    if (!contents)
        return exit_failed;
    const std::vector<map_finding> findings = send_findings(*contents->map, contents->text);
    if (!findings.empty()) {
        std::string out;
        for (const map_finding& f : findings)
            out += f.line() + '\n';
        std::cout << out << std::flush;
        if (!force) {
            ui().message(msg_send_refused);
            return exit_failed;
        }
    }
    std::istringstream in(contents->text);
    command_link link(options);
    return send_text(link.state(), in, link.session()) ? exit_ok : exit_failed;
}

// send --verify: a send that fails (or is refused) is trouble for the question verify answers.
int send_and_verify(const std::string& file, const link_options& options, bool force) {
    if (send_map_file(file, options, force) != exit_ok)
        return answer_trouble;
    return verify_map(file, options);
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
        map = extract_configuration(link.state(), device_words().code(device_word), link.session());
        if (link.cancelled())
            ui().message(msg_extract_cancelled);
    }
    if (!map)
        return exit_failed;
    std::ostringstream text;
    map->write(text);
    return write_output(text.str(), out_path);
}

int print_errors(const link_options& options) {
    command_link link(options);
    auto text = extract_error_list(link.state(), link.session());
    if (!text) {
        if (link.cancelled())
            ui().message(msg_extract_cancelled);
        return exit_failed;
    }
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
    auto verify = std::make_shared<bool>(false);
    auto force = std::make_shared<bool>(false);
    send->add_option("FILE", *send_file_name, "the map to send")->required();
    add_link_options(send, *send_options);
    send->add_flag("--verify", *verify, "then verify the card against the map (exit as verify)");
    send->add_flag("--force", *force,
                   "send even when the card would not get the map as it stands (check's "
                   "findings)");
    send->callback([=, &exit_code] {
        exit_code = *verify ? send_and_verify(*send_file_name, *send_options, *force)
                            : send_map_file(*send_file_name, *send_options, *force);
    });

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
