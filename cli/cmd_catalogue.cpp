// xml, catalogue and import: the XML reader, the parameter catalogue and the old-file
// converter for scripts.

#include "catalogue/parameter_list.h"
#include "catalogue/read_xml_document.h"
#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "convert/import_command.h"
#include "core/input_file.h"
#include "core/text_lines.h"
#include "core/user_interface.h"
#include "model/host_selection.h"
#include "model/model_tables.h"

#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> device_word_choices{"BLF", "RDX", "WNT", "HQP"};

// The protocol words of the selection dialog's positions, as a map's device line writes them.
std::vector<std::string> protocol_word_choices() {
    std::vector<std::string> words;
    for (int position = 0; position < host_protocol_choices; ++position)
        words.emplace_back(import_protocol_word(position));
    return words;
}

int print_xml(const std::string& file) {
    std::string contents;
    if (read_regular_file(file, contents) != file_read_result::ok) {
        cli_ui().message("Unable to open " + file);
        return exit_failed;
    }
    std::istringstream in(std::move(contents));
    xml_read_error error;
    auto root = read_xml_document(in, max_input_bytes, &error);
    if (!root) {
        cli_ui().message(file + ": " + error.text());
        return exit_failed;
    }
    std::ostringstream out;
    root->write(out);
    std::cout << out.str() << std::flush;
    return exit_ok;
}

// A quoted string with C escapes for backslash, double quote, line feed, carriage return and
// tab; other bytes as they are.
std::string quoted(const std::string& text) {
    return c_quoted(text, false);
}

class catalogue_printer : public catalogue_visitor {
  public:
    void visit_device(target_device& device, int depth) override {
        indent(depth);
        out << "device " << quoted(device.name()) << " ctrl_type=" << device.device_code() << '\n';
    }
    void visit_param(target_param& param, int depth) override {
        indent(depth);
        out << "param " << quoted(param.name()) << " type=" << param.type() << ' '
            << quoted(param.description()) << '\n';
    }
    std::ostringstream out;

  private:
    void indent(int depth) { out << std::string(2 * static_cast<std::size_t>(depth), ' '); }
};

int print_catalogue(const std::string& file, const std::optional<std::string>& device) {
    parameter_list catalogue;
    switch (catalogue.load_file(file)) {
    case parameter_list::load_result::cannot_open:
        cli_ui().message("Unable to open " + file);
        return exit_failed;
    case parameter_list::load_result::no_root:
        cli_ui().message(file + ": " + catalogue.read_error().text());
        return exit_failed;
    case parameter_list::load_result::loaded:
        break;
    }
    if (!catalogue.has_parameters()) {
        cli_ui().message(file + ": " + no_parameters_text);
        return exit_failed;
    }
    catalogue_printer printer;
    std::optional<int> code;
    if (device)
        code = device_words().code(*device);
    catalogue.walk(printer, code);
    std::cout << printer.out.str() << std::flush;
    return exit_ok;
}

struct import_options {
    std::string old_path, new_path;
    std::optional<std::string> device, protocol;
    bool force = false;
};

int run_import(const import_options& o) {
    // The options stand for a confirmed host protocol selection; an option left out keeps the
    // dialog's preset (device "RDX", no protocol checked), and the dialog's device rule
    // applies as it does on OK.
    std::optional<import_selection> selection;
    if (o.device || o.protocol) {
        selection = import_selection{o.device.value_or("RDX"), -1};
        if (o.protocol)
            selection->protocol_position = import_protocol_position(*o.protocol).value_or(-1);
        apply_host_device_rule(selection->protocol_position, selection->device_word);
    }
    import_command command(o.old_path, o.new_path, cli_ui());
    if (!command.check_files(o.force ? overwrite_policy::allow : overwrite_policy::refuse))
        return exit_failed;
    return command.convert(selection) == import_outcome::done ? exit_ok : exit_failed;
}

void install_catalogue_commands(CLI::App& app, int& exit_code) {
    auto* xml = app.add_subcommand("xml", "read a file with the XML reader and write its tree");
    auto xml_file = std::make_shared<std::string>();
    xml->add_option("FILE", *xml_file, "the XML file")->required();
    xml->callback([xml_file, &exit_code] { exit_code = print_xml(*xml_file); });

    auto* cat = app.add_subcommand("catalogue", "print the parameter catalogue in walk order");
    auto cat_file = std::make_shared<std::string>();
    auto cat_device = std::make_shared<std::optional<std::string>>();
    cat->add_option("FILE", *cat_file, "the parameter file")->required();
    cat->add_option("--device", *cat_device, "show only what a map of this device shows")
        ->check(CLI::IsMember(device_word_choices));
    cat->callback([cat_file, cat_device, &exit_code] {
        exit_code = print_catalogue(*cat_file, *cat_device);
    });

    auto* imp = app.add_subcommand("import", "convert an old-format map into a new one");
    auto options = std::make_shared<import_options>();
    imp->add_option("OLD", options->old_path, "the old-format map")->required();
    imp->add_option("NEW", options->new_path, "the map to write")->required();
    imp->add_option("--device", options->device, "the target device")
        ->check(CLI::IsMember(device_word_choices));
    imp->add_option("--protocol", options->protocol, "the host protocol")
        ->check(CLI::IsMember(protocol_word_choices()));
    imp->add_flag("--force", options->force, "overwrite an existing NEW");
    imp->callback([options, &exit_code] { exit_code = run_import(*options); });
}

} // namespace

TESSALY_CLI_COMMANDS(install_catalogue_commands);
