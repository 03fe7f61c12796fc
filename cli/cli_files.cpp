#include "cli/cli_files.h"

#include "cli/commands.h"
#include "core/atomic_write.h"
#include "core/user_interface.h"

#include <iostream>
#include <sstream>

namespace {
const char* const save_failed = "Unable to save the requested file";
} // namespace

loaded_map_file open_map(const std::string& path) {
    loaded_map_file load = load_map_file(path);
    if (!load.map) {
        show_load_failure(load, path);
        return load;
    }
    for (const unread_line& line : load.report.unread_lines)
        ui().message(line.message());
    return load;
}

std::unique_ptr<zrp_file> load_map(const std::string& path) {
    return open_map(path).map;
}

std::string map_text(zrp_file& map) {
    std::ostringstream out;
    map.write(out);
    return out.str();
}

int write_output(std::string_view contents, const std::string& out_path) {
    if (out_path.empty()) {
        std::cout.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        std::cout.flush();
        return std::cout ? exit_ok : exit_failed;
    }
    if (!atomic_write_file(out_path, contents)) {
        ui().message(save_failed);
        return exit_failed;
    }
    return exit_ok;
}
