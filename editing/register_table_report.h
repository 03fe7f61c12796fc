#pragma once
// What the printed register table says, in words a PLC programmer reads: a title block (file,
// device, protocol, the header's settings, date) and one row per register with its range,
// feeder, parameter and catalogue description, format, scaling, limits, word order and sign
// handling; a bitmapped register adds a small table of the bits it uses. Toolkit-free; the
// pages are laid out and painted by CRegisterTablePrinter.

#include <array>
#include <string>
#include <vector>

class parameter_list;
class zrp_file;

// The register columns, in order.
enum register_table_column {
    table_register,
    table_feeder,
    table_parameter,
    table_format,
    table_scaling,
    table_minimum,
    table_maximum,
    table_word_order,
    table_sign,
    table_column_count
};

// Headings of the register columns and of the bit tables.
const std::array<const char*, table_column_count>& register_table_headings();
constexpr int bit_table_column_count = 4;
// "Bit", "Feeder", "Mnemonic" and "Trigger mode" (commands) or "Bit position" (status).
std::array<const char*, bit_table_column_count> bit_table_headings(bool commands);

struct register_table_row {
    std::array<std::string, table_column_count> cells;
    std::string description; // the parameter's catalogue description, or empty
    bool bitmapped = false;
    bool commands = false; // a command register (else status) when bitmapped
    // The bits the register uses (unused ones, "XXXX" or "XXX", left out), bit 15 first.
    std::vector<std::array<std::string, bit_table_column_count>> bits;
};

struct register_table_report {
    std::string title;                                      // "Register table"
    std::vector<std::pair<std::string, std::string>> block; // label and value, in order
    std::string file_name; // what the running head names the map by
    std::vector<register_table_row> rows;
};

// The report of map as saved at path ("" for a map never saved; title names it then);
// modified says whether the map differs from that file. catalogue (may be nullptr) gives the
// descriptions; date is the printing date as it is to be shown.
register_table_report build_register_table(const zrp_file& map, const std::string& path,
                                           const std::string& title, bool modified,
                                           parameter_list* catalogue, const std::string& date);
