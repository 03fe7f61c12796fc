// Reads arbitrary bytes as a register map, saves what was read and reads that again. Every
// input must end in a loaded map or a failed load, never in a crash or a hang.

#include "core/silent_ui.h"
#include "model/zrp_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
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
    std::ostringstream saved;
    map.write(saved);

    // What the program wrote must load again.
    std::istringstream again(saved.str());
    zrp_file reloaded;
    if (!reloaded.read(again))
        std::abort();
    return 0;
}
