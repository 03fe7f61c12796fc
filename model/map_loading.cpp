#include "model/map_loading.h"

#include "core/input_file.h"
#include "core/user_interface.h"

#include <new>
#include <sstream>

loaded_map_file load_map_from_text(std::string text) {
    loaded_map_file load;
    try {
        load.text = std::move(text);
        std::istringstream in(load.text);
        load.map = std::make_unique<zrp_file>();
        if (!load.map->read(in, load.report))
            load.map.reset();
    } catch (const std::bad_alloc&) {
        load = {};
        load.out_of_memory = true;
        load.report.failure = "not enough memory";
    }
    return load;
}

loaded_map_file load_map_file(const std::string& path) {
    std::string text;
    const file_read_result result = read_regular_file(path, text);
    if (result != file_read_result::ok) {
        loaded_map_file load;
        load.report.failure = read_failure_reason(path, result);
        return load;
    }
    return load_map_from_text(std::move(text));
}

std::string load_failure_detail(const loaded_map_file& load, const std::string& path) {
    return path + ": " + (load.report.failure.empty() ? "not a map" : load.report.failure);
}

void show_load_failure(const loaded_map_file& load, const std::string& path) {
    ui().detailed_message(load.out_of_memory ? msg_open_out_of_memory : msg_open_failed,
                          load_failure_detail(load, path));
}
