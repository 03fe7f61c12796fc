#pragma once
// The register table: a map's registers as a spreadsheet holds them, one row per register in
// list order under a header row of named columns. Every cell is the text the map file writes
// for that value (words for formats, word orders and negative handling; floats as %g; a
// bitmapped register's bits as the file's three items), so that reading the table back gives
// the saved map byte for byte. Cells that do not apply to a register's format are empty.

#include "model/model_tables.h"

#include <array>
#include <string>
#include <string_view>

class host_register;
class zrp_file;

// The columns, in the order of the table.
enum table_column {
    col_register,
    col_feeder,
    col_parameter,
    col_format,
    col_fractional_words,
    col_whole_words,
    col_word_order,
    col_negative,
    col_swap,
    col_maximum,
    col_minimum,
    col_scale,
    col_decimal_shift,
    col_rom_constant,
    col_bit_15, // "Bit 15" ... "Bit 0" follow in this order
    table_column_count = col_bit_15 + 16,
};

// The column holding bit (0 to 15) of a bitmapped register.
constexpr int bit_column(int bit) {
    return col_bit_15 + 15 - bit;
}

using register_row = std::array<std::string, table_column_count>;

// The column names of the header row ("Register", "Feeder", ..., "Bit 15", ..., "Bit 0").
const std::array<std::string, table_column_count>& table_column_names();

// The word tables of the table's cells: word orders ("NORMAL" 0, "REVERSED" 6) and negative
// handling ("SIGNED" 0, "UNSIGNED" 2, "FORCE_0" 3); a code without a word is written as its
// number. Formats use the register list's format names.
const word_table& table_word_order_words();
const word_table& table_negative_words();

// The format a register is saved with: 0 for the array parameters ("ProcStat", "AlarmStat"),
// else its own.
int saved_format(const host_register& reg);
// True for the formats whose entry carries a parameter name (all but 3, 4 and 5).
bool format_writes_name(int format);

// The cells of one register's row.
register_row register_row_cells(const host_register& reg);
// The cell text of a code: its word in table, or its number when it has none.
std::string word_or_number(const word_table& table, int code);

// The whole table of map's registers: header row and one row per register, CR LF line ends.
std::string export_register_table(const zrp_file& map);
