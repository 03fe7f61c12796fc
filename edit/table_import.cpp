#include "edit/table_import.h"

#include "edit/map_editor.h"

std::optional<register_table_error> import_register_table(std::string_view table, zrp_file& map,
                                                          user_interface& ui) {
    register_table_reader reader(map);
    if (!reader.read(table))
        return reader.error();
    map_editor(map).replace_registers(std::move(reader.registers()), ui);
    return std::nullopt;
}
