#pragma once
// Importing a register table into a map: the whole register list replaced in one step of the
// edit layer.

#include "format/register_table_reader.h"

#include <optional>
#include <string_view>

class user_interface;
class zrp_file;

// Replaces map's registers with the table's rows. Nothing changes and the error is returned
// when a cell does not parse; otherwise the rows are added in table order under the overlap
// rule, a conflicting row is shown through ui with the load's conflict message and left out,
// and nothing is returned.
std::optional<register_table_error> import_register_table(std::string_view table, zrp_file& map,
                                                          user_interface& ui);
