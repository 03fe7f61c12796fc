#pragma once
// Checking a map before it is sent: what the card would not get as the map says. Findings
// come as rows a window can show (with the register they are about) and as the lines the
// command line prints, the header's first, then the registers by ascending number.

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class zrp_file;

struct map_finding {
    bool about_header = false; // true: the header or the map as a whole
    int register_number = 0;
    std::string text;

    // "40001: text" or "header: text".
    std::string line() const;
};

// The findings for map:
// - per register: a parameter name longer than the card keeps (seen in file_text, the map
//   file's text as read, since loading cuts it; an empty text skips this one), any value its
//   image record cannot carry (command mnemonics, whole count, feeder, ...), a status bit
//   position above 31, for block-mapped headers a register outside every defined block, an
//   empty parameter name where the entry writes one, and a parameter name the catalogue does
//   not offer (offered_names: the names offered for the map's device; nullptr skips it);
// - for the header: more registers than an image holds, and blocks that break the block
//   editor's fit rule.
// Said in place of the catalogue check when no catalogue is at hand.
inline constexpr const char* no_catalogue_text =
    "No parameter catalogue found: parameter names are not checked.";

std::vector<map_finding> check_map(const zrp_file& map, std::string_view file_text,
                                   const std::set<std::string, std::less<>>* offered_names);
