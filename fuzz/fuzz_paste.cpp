// Pastes arbitrary bytes, as the clipboard's text or its private format, into a map of
// registers, then checks the promises of Paste and Undo: the map never holds two registers
// that overlap, undoing the paste gives back the saved text byte for byte, and redoing it the
// text after the paste. Every input must end in a paste or none, never in a crash or a hang.

#include "core/silent_ui.h"
#include "edit/map_editor.h"
#include "edit/register_clipboard.h"
#include "fuzz/map_round_trip.h"
#include "model/register_overlap_index.h"
#include "model/zrp_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the protocol and device of the map pasted into; the map holds a
    // few registers, so that pasted ones collide.
    const auto chosen = map_chosen_by(data, size);
    zrp_file& map = *chosen;
    for (int i = 0; i < 4; ++i)
        map.add_register(std::make_unique<host_register>(&map, map.next_free_register(i % 2)));
    const std::string input(reinterpret_cast<const char*>(data), size);
    int device = -1;
    std::string text;
    if (!read_clipboard_payload(input, device, text))
        text = input;

    map_editor editor(map);
    const std::string before = saved_text(map);
    const auto result = editor.paste(text, device);
    const std::string after = saved_text(map);
    if (result.pasted != static_cast<int>(result.rows.size()) ||
        (result.pasted > 0) != editor.history().can_undo())
        std::abort();
    register_overlap_index taken;
    for (const auto& reg : map.registers) {
        if (taken.conflicts(*reg))
            std::abort();
        taken.insert(*reg);
    }
    if (!editor.history().can_undo()) {
        if (after != before)
            std::abort();
        return 0;
    }
    editor.undo();
    if (saved_text(map) != before)
        std::abort();
    editor.redo();
    if (saved_text(map) != after)
        std::abort();
    return 0;
}
