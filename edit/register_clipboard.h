#pragma once
// Registers on the clipboard, as text: Copy writes the register entries exactly as the map
// file holds them (so that they paste readably into a text editor or a mail), and Paste reads
// them back with the map's own register reader, from the editor or from a map file's text. A
// private clipboard format carries the same text after the source map's device word, because
// the status mnemonics a bitmapped status entry is written with differ by device.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class host_register;
class zrp_file;

// The entries of the registers at rows (in list order; rows outside the list are ignored).
std::string registers_text(const zrp_file& map, const std::vector<int>& rows);

// The private format: the device word on a line of its own, then the text.
std::string clipboard_payload(int device_code, std::string_view text);
// Reads the private format; false (and nothing set) when payload is not one.
bool read_clipboard_payload(std::string_view payload, int& device_code, std::string& text);

// The device of a map file's text (its device line), or -1 when the text does not start with
// one.
int text_device(std::string_view text);

// True when line is the main line of a register entry: six integers, a token of at most two
// characters that is not a number (the "F:"), then the feeder. Other lines of a pasted text
// (a map's header lines, words around the entries) are passed over.
bool is_register_entry_line(std::string_view line);

// The register entries of text, read as a map of device_code reads them (status mnemonics
// through that device's table); at most max_count of them (0: all). Reading ends where a
// bitmapped entry is cut short, as a load's does. The registers belong to no map yet.
std::vector<std::unique_ptr<host_register>>
read_clipboard_registers(std::string_view text, int device_code, std::size_t max_count = 0);

// True when text holds at least one register entry.
bool holds_registers(std::string_view text);

// Where a pasted register numbered number belongs in map: the block holding the number for
// a block-mapped header (block 0 when none does), else the output area (1) from the header's
// output base up and the input area (0) below it.
int register_location(const zrp_file& map, int number);

// What a paste did, as its one message says it.
struct paste_counts {
    int pasted = 0;
    int renumbered = 0;
    int left_out = 0;
    // Device of the map the registers came from, when status registers among them kept their
    // status codes in a map of another device; -1 otherwise.
    int codes_from_device = -1;
};
// The message after a paste; empty when every register kept its number and no status code
// needs a word.
std::string paste_report(const paste_counts& counts);
