// diff, verify and check: what differs between two maps, between a map and the card, and
// what the card would not get as a map says.

#include "cli/cmd_compare.h"

#include "catalogue/offered_parameters.h"
#include "catalogue/parameter_list.h"
#include "cli/cli_files.h"
#include "cli/commands.h"
#include "core/user_interface.h"
#include "link/extract.h"
#include "link/transfer_messages.h"
#include "model/image_codec.h"
#include "model/map_check.h"
#include "model/map_diff.h"
#include "model/zrp_file.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// Prints the differences; the answer status.
int print_differences(const std::vector<map_difference>& differences) {
    std::string text;
    for (const map_difference& d : differences)
        text += d.line() + '\n';
    std::cout << text << std::flush;
    return differences.empty() ? answer_same : answer_differs;
}

int diff_files(const std::string& a_path, const std::string& b_path) {
    auto a = load_map(a_path);
    if (!a)
        return answer_trouble;
    auto b = load_map(b_path);
    if (!b)
        return answer_trouble;
    return print_differences(diff_maps(*a, *b));
}

// Where the bundled catalogue may be: installed, beside an installed program, or in the
// source tree of a build that was not installed.
std::vector<std::filesystem::path> bundled_catalogue_places() {
    std::vector<std::filesystem::path> places = {std::filesystem::path(TESSALY_DATADIR) /
                                                 "params.lst"};
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        places.push_back(exe.parent_path() / ".." / "share" / "tessaly" / "params.lst");
    places.push_back(std::filesystem::path(TESSALY_SOURCE_RESOURCES) / "params.lst");
    return places;
}

// The catalogue check's names for the map's device: from the catalogue named, or from the
// bundled one. Nothing when the check is skipped (said on standard error); trouble is set when
// a named catalogue cannot be loaded.
std::optional<parameter_names> catalogue_names(const std::string& named, int device_code,
                                               bool& trouble) {
    parameter_list catalogue;
    if (!named.empty()) {
        switch (catalogue.load_file(named)) {
        case parameter_list::load_result::cannot_open:
            ui().message("Unable to open " + named);
            trouble = true;
            return std::nullopt;
        case parameter_list::load_result::no_root:
            ui().message(named + ": " + catalogue.read_error().text());
            trouble = true;
            return std::nullopt;
        case parameter_list::load_result::loaded:
            // Against a catalogue without parameters every name would be a finding.
            if (!catalogue.has_parameters()) {
                ui().message(named + ": " + no_parameters_text);
                trouble = true;
                return std::nullopt;
            }
            return offered_parameters(catalogue, device_code);
        }
    }
    for (const auto& place : bundled_catalogue_places()) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(place, ec) &&
            catalogue.load_file(place.string()) == parameter_list::load_result::loaded)
            return offered_parameters(catalogue, device_code);
    }
    ui().message(no_catalogue_text);
    return std::nullopt;
}

int check_file(const std::string& path, const std::string& catalogue_path) {
    const loaded_map_file load = open_map(path);
    if (!load.map)
        return answer_trouble;
    const zrp_file* map = load.map.get();
    bool trouble = false;
    const std::optional<parameter_names> names =
        catalogue_names(catalogue_path, map->header->device_code, trouble);
    if (trouble)
        return answer_trouble;
    const std::vector<map_finding> findings = check_map(*map, load.text, names ? &*names : nullptr);
    std::string out;
    for (const map_finding& f : findings)
        out += f.line() + '\n';
    std::cout << out << std::flush;
    // A line the reader had to guess at is a finding too: the card would get the line as
    // written, not as the map was read.
    return findings.empty() && load.report.unread_lines.empty() ? answer_same : answer_differs;
}

void install_compare_commands(CLI::App& app, int& exit_code) {
    auto* diff = app.add_subcommand("diff", "print the differences of two maps (exit as diff)");
    auto a = std::make_shared<std::string>();
    auto b = std::make_shared<std::string>();
    diff->add_option("A", *a, "the first map")->required();
    diff->add_option("B", *b, "the second map")->required();
    diff->callback([=, &exit_code] { exit_code = diff_files(*a, *b); });

    auto* verify = app.add_subcommand(
        "verify", "compare the card's configuration with a map as the card would hold it");
    auto verify_file = std::make_shared<std::string>();
    auto verify_options = std::make_shared<link_options>();
    verify->add_option("FILE", *verify_file, "the map")->required();
    add_link_options(verify, *verify_options);
    verify->callback([=, &exit_code] { exit_code = verify_map(*verify_file, *verify_options); });

    auto* check = app.add_subcommand("check", "list what the card would not get as a map says");
    auto check_path = std::make_shared<std::string>();
    auto catalogue = std::make_shared<std::string>();
    check->add_option("FILE", *check_path, "the map")->required();
    check->add_option("--catalogue", *catalogue,
                      "the parameter catalogue (default: the bundled params.lst)");
    check->callback([=, &exit_code] { exit_code = check_file(*check_path, *catalogue); });
}

} // namespace

int verify_map(const std::string& file, const link_options& options) {
    loaded_map_file load = open_map(file);
    const std::unique_ptr<zrp_file>& map = load.map;
    if (!map)
        return answer_trouble;
    const int device = map->header->device_code;
    std::unique_ptr<zrp_file> card;
    {
        command_link link(options);
        card = extract_configuration(link.state(), device, link.session());
        if (link.cancelled())
            ui().message(msg_extract_cancelled);
    }
    if (!card)
        return answer_trouble;

    // What the map becomes on the card: what an image cannot carry is no difference.
    zrp_file expected;
    if (!map_as_card_holds(*map, device, expected)) {
        ui().message(map_unfit_for_image_text);
        return answer_trouble;
    }
    const std::vector<map_difference> differences = diff_maps(expected, *card);
    // The card holds what it was sent, yet not what the map says where the check finds
    // something: those places differ too.
    const std::vector<map_finding> findings = check_map(*map, load.text, nullptr);
    std::string out;
    for (const map_difference& d : differences)
        out += d.line() + '\n';
    for (const map_finding& f : findings)
        out += "! " + f.line() + '\n';
    std::cout << out << std::flush;
    const bool holds = differences.empty() && findings.empty();
    ui().message(holds ? card_holds_map_text : card_differs_text);
    return holds ? answer_same : answer_differs;
}

TESSALY_CLI_COMMANDS(install_compare_commands);
