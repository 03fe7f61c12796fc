#pragma once
// The differences of two register maps, as rows a window can show and lines a terminal can
// print: the device line, then the header lines (matched by their first word, a word that
// repeats by occurrence), then the registers by ascending register number (a register in
// both maps gives one row per field that differs, named and written as the register table
// writes them).

#include <string>
#include <vector>

class zrp_file;

struct map_difference {
    enum change_t { changed, only_in_a, only_in_b };
    enum place_t { device_line, header_line, register_entry };

    change_t change = changed;
    place_t place = device_line;
    // Header lines: the first word and which occurrence of it (0 for the first).
    std::string word;
    int occurrence = 0;
    // Registers: the register number, and for a changed register the column that differs.
    int register_number = 0;
    std::string field;
    // The two sides (the text after the word for header lines, the first line of the entry for
    // a register in one map only, the cells for a changed field); empty for a missing side.
    std::string a, b;

    // The line `diff` prints: "~ device: A -> B", "~ header WORD: A -> B", "- header WORD: A",
    // "+ header WORD: B", "~ 40001 Maximum: 100 -> 150", "- <entry line>", "+ <entry line>".
    std::string line() const;
};

// The answers of a comparison of a map (a) with the configuration a card holds (b).
inline constexpr const char* card_holds_map_text = "The card holds this map.";
inline constexpr const char* card_differs_text = "The card differs from this map.";

// Every difference from a to b, in the order above. The maps are not changed.
std::vector<map_difference> diff_maps(const zrp_file& a, const zrp_file& b);

// The lines of a protocol header as the map file writes them (device line first), without
// changing the header.
std::vector<std::string> header_lines(const zrp_file& map);
