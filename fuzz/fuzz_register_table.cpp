// Reads arbitrary bytes as a register table into a map, then checks the table's promise: what
// imported exports to a table that imports to the same saved text. The map's diff with itself
// is empty and its check runs to the end. Every input must end in an imported map or an error,
// never in a crash or a hang.

#include "core/silent_ui.h"
#include "fuzz/map_round_trip.h"
#include "model/map_check.h"
#include "model/map_diff.h"
#include "model/register_table.h"
#include "model/register_table_reader.h"
#include "model/zrp_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static silent_ui quiet;
    scoped_ui use(quiet);

    // The first byte picks the protocol and device of the map the table goes into.
    const auto chosen = map_chosen_by(data, size);
    zrp_file& map = *chosen;
    const std::string table(reinterpret_cast<const char*>(data), size);
    if (import_register_table(table, map))
        return 0;
    const std::string text = saved_text(map);

    zrp_file again(map.protocol_code);
    again.header->device_code = map.header->device_code;
    if (import_register_table(export_register_table(map), again) || saved_text(again) != text)
        std::abort();
    if (!diff_maps(map, again).empty())
        std::abort();
    check_map(map, text, nullptr);
    return 0;
}
