// Reads arbitrary bytes as a register map and checks that saving is a fixed point: load, save,
// load the saved text, save again, and the two saved texts are the same. Every input must end
// in a loaded map or a failed load, never in a crash or a hang.

#include "core/silent_ui.h"
#include "fuzz/map_round_trip.h"
#include "model/zrp_file.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static silent_ui quiet;
    scoped_ui use(quiet);

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    zrp_file map;
    if (!map.read(in))
        return 0;
    map.sort_registers();
    map.next_free_register(0);
    map.next_free_register(1);
    check_save_is_a_fixed_point(map);
    return 0;
}
