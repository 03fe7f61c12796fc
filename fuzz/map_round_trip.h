#pragma once
// What the map fuzz targets check: saving a map and reading the saved text back gives the same
// map, so that saving it once more writes the same text. The known exceptions are reported
// where they occur: registers whose names a file cannot hold (loses_name_on_save) and header
// values a file cannot hold (protocol_header::loss_on_save).

#include "core/silent_ui.h"
#include "format/map_text.h"
#include "format/name_loss.h"
#include "model/host_register.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

// The map a target reads into: the first byte of the input picks its protocol and device.
inline std::unique_ptr<zrp_file> map_chosen_by(const std::uint8_t* data, std::size_t size) {
    static const int protocols[] = {0, 1, 2, 3, 9, 10, 11, 12, 13, 14};
    auto map = std::make_unique<zrp_file>(size > 0 ? protocols[data[0] % 10] : 1);
    if (size > 0)
        map->header->device_code = (data[0] / 10) % 4;
    return map;
}

inline std::string saved_text(zrp_file& map) {
    std::ostringstream out;
    write_map(out, map);
    return out.str();
}

// Reads the saved text of map back and saves that again: the two texts must be the same,
// unless a loss on saving is known and reported. Aborts the run otherwise.
inline void check_save_is_a_fixed_point(zrp_file& map) {
    const std::string first = saved_text(map);
    const bool known_loss = (map.header && !map.header->loss_on_save().empty()) ||
                            std::any_of(map.registers.begin(), map.registers.end(),
                                        [](const auto& reg) { return loses_name_on_save(*reg); });
    std::istringstream in(first);
    zrp_file again;
    silent_ui quiet;
    // What the program wrote must load again.
    if (!read_map(in, again, quiet))
        std::abort();
    if (!known_loss && saved_text(again) != first)
        std::abort();
}
