// Reads arbitrary bytes as a register table into a map, then checks the table's promise: what
// imported exports to a table that imports to the same saved text. The map's diff with itself
// is empty and its check runs to the end. Every input must end in an imported map or an error,
// never in a crash or a hang. And the line ends a spreadsheet program chose do not matter: the
// table with every record ended by LF, by CR LF and by CR alone imports the same registers.

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

namespace {

// The table with each record end outside quoted fields (LF, CR LF or CR) written as line_end;
// a line break inside a quoted field stays as it is. Quoted fields as the reader takes them:
// a quote opens one only at the start of a field (after blanks), and two quotes inside it
// stand for one.
std::string with_line_ends(const std::string& table, const std::string& line_end) {
    static const std::string byte_order_mark = "\xEF\xBB\xBF";
    const bool marked = table.compare(0, 3, byte_order_mark) == 0;
    std::string out = marked ? byte_order_mark : std::string();
    bool quoted = false, field_start = true;
    for (std::size_t i = marked ? 3 : 0; i < table.size(); ++i) {
        const char c = table[i];
        if (quoted) {
            out += c;
            if (c == '"') {
                if (i + 1 < table.size() && table[i + 1] == '"')
                    out += table[++i];
                else
                    quoted = false;
            }
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < table.size() && table[i + 1] == '\n')
                ++i;
            out += line_end;
            field_start = true;
            continue;
        }
        if (c == '"' && field_start)
            quoted = true;
        if (c != ' ' && c != '\t')
            field_start = c == ',';
        out += c;
    }
    return out;
}

// The saved text of the map after importing table into a map chosen by the first byte, or
// "error" when the import refuses the table.
std::string imported(const std::uint8_t* data, std::size_t size, const std::string& table) {
    auto map = map_chosen_by(data, size);
    return import_register_table(table, *map) ? std::string("error") : saved_text(*map);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static silent_ui quiet;
    scoped_ui use(quiet);

    const std::string table(reinterpret_cast<const char*>(data), size);
    const std::string with_lf = imported(data, size, with_line_ends(table, "\n"));
    if (imported(data, size, with_line_ends(table, "\r\n")) != with_lf ||
        imported(data, size, with_line_ends(table, "\r")) != with_lf)
        std::abort();

    // The first byte picks the protocol and device of the map the table goes into.
    const auto chosen = map_chosen_by(data, size);
    zrp_file& map = *chosen;
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
