#pragma once
// Reading a register table back into registers: every cell through the rules of the map
// reader, except that a table is typed by hand, so a cell that does not parse (a word not in
// its table, text where a number belongs) is an error naming its row and column instead of a
// silent default. Column order is free, unknown columns are ignored, and the "Register" and
// "Format" columns must be there; an empty cell of another column keeps the field's default.

#include "model/host_register.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class zrp_file;

// A cell (or the table's shape) that does not parse.
struct register_table_error {
    int row = 0;        // as a spreadsheet numbers rows: 1 the header row, 2 the first data row
    std::string column; // the column's name; empty when no single column is at fault
    std::string text;   // what is wrong

    // "Row 3, column Format: ..." ("Header row: ..." for the header row).
    std::string message() const;
};

class register_table_reader {
  public:
    // Registers are made for map: its device decides the status mnemonics.
    explicit register_table_reader(zrp_file& map) : map_(map) {}

    // Reads every row of table into registers(), in table order; false at the first cell
    // that does not parse (error() says which), and registers() is then empty.
    bool read(std::string_view table);

    std::vector<std::unique_ptr<host_register>>& registers() { return registers_; }
    const register_table_error& error() const { return error_; }

  private:
    class row_cells;
    bool read_header(const std::vector<std::string>& names);
    bool read_row(const row_cells& cells, int row);
    bool read_bits(const row_cells& cells, int row, host_register& reg);
    bool fail(int row, std::string column, std::string text);

    zrp_file& map_;
    std::vector<int> column_of_field_; // table_column -> index in the record, or -1
    std::vector<std::unique_ptr<host_register>> registers_;
    register_table_error error_;
};

// Replaces map's registers with the table's rows. Nothing changes and the error is returned
// when a cell does not parse; otherwise the rows are added in table order under the overlap
// rule, a conflicting row is shown with the load's conflict message and left out, and
// nothing is returned.
std::optional<register_table_error> import_register_table(std::string_view table, zrp_file& map);
