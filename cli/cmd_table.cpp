// export-csv and import-csv: a map's registers as a spreadsheet table and back.

#include "cli/cli_files.h"
#include "cli/commands.h"
#include "core/silent_ui.h"
#include "model/register_table.h"
#include "model/register_table_reader.h"
#include "model/zrp_file.h"

#include <memory>
#include <string>

namespace {

int export_table(const std::string& path, const std::string& out_path) {
    auto map = load_map(path);
    if (!map)
        return exit_failed;
    return write_output(export_register_table(*map), out_path);
}

int import_table(const std::string& table_path, const std::string& map_path,
                 const std::string& out_path) {
    loaded_map_file load;
    {
        // The load's messages are about the registers the table replaces.
        silent_ui quiet;
        scoped_ui use(quiet);
        load = load_map_file(map_path);
    }
    if (!load.map) {
        show_load_failure(load, map_path);
        return exit_failed;
    }
    zrp_file* map = load.map.get();
    auto table = read_whole_file(table_path);
    if (!table) {
        ui().message("Unable to open " + table_path);
        return exit_failed;
    }
    if (auto error = import_register_table(*table, *map)) {
        ui().message(error->message());
        return exit_failed;
    }
    return write_output(map_text(*map), out_path);
}

void install_table_commands(CLI::App& app, int& exit_code) {
    auto* out = app.add_subcommand("export-csv", "write a map's registers as a CSV table");
    auto map_file = std::make_shared<std::string>();
    auto csv_out = std::make_shared<std::string>();
    out->add_option("FILE", *map_file, "the map")->required();
    out->add_option("-o", *csv_out, "write the table here instead of standard output");
    out->callback([=, &exit_code] { exit_code = export_table(*map_file, *csv_out); });

    auto* in = app.add_subcommand("import-csv",
                                  "a map with its registers replaced by the rows of a CSV table");
    auto table_file = std::make_shared<std::string>();
    auto into = std::make_shared<std::string>();
    auto map_out = std::make_shared<std::string>();
    in->add_option("TABLE", *table_file, "the CSV table")->required();
    in->add_option("--into", *into, "the map that gives the device line and the header")
        ->required();
    in->add_option("-o", *map_out, "write the map here instead of standard output");
    in->callback([=, &exit_code] { exit_code = import_table(*table_file, *into, *map_out); });
}

} // namespace

TESSALY_CLI_COMMANDS(install_table_commands);
