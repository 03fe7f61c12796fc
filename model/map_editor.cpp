#include "model/map_editor.h"

#include "core/user_interface.h"
#include "model/model_tables.h"
#include "model/register_overlap_index.h"
#include "model/zrp_file.h"

#include <memory>

namespace {

const char* const overlap_message = "Register already exists, or\noverlaps with another";

// A new register as New Register starts it: a renumbered copy of the map's template
// register, or a fresh register of the map.
std::unique_ptr<host_register> make_new_register(zrp_file& map) {
    if (map.template_register)
        return std::make_unique<host_register>(*map.template_register, true);
    return std::make_unique<host_register>(&map);
}

} // namespace

bool map_editor::normalise_for_display(host_register& reg) {
    const int before = reg.format;
    if (reg.format < 0 || reg.format > fmt_int_array)
        reg.format = fmt_int_passthru;
    if (is_array_parameter(reg.name))
        reg.format = fmt_int_array;
    return reg.format != before;
}

void map_editor::prepare_display() {
    map_.sort_registers();
    for (const auto& reg : map_.registers)
        normalise_for_display(*reg);
}

void map_editor::prepare_row(int row) {
    if (host_register* reg = map_.register_at(row))
        normalise_for_display(*reg);
}

int map_editor::row_of(const host_register* reg) const {
    for (int row = 0; row < map_.register_count(); ++row)
        if (map_.register_at(row) == reg)
            return row;
    return -1;
}

map_editor::register_change map_editor::new_register() {
    auto reg = make_new_register(map_);
    host_register* added = nullptr;
    for (;;) {
        if (reg->edit(edit_new_register) != 1)
            return {};
        // add_register leaves a refused register with its caller, so Retry reopens the dialog
        // on what the user entered.
        added = reg.get();
        if (map_.add_register(std::move(reg)) >= 0)
            break;
        if (!ui().ask_retry_cancel(overlap_message))
            return {};
    }
    prepare_display();
    return {refresh::all_rows, row_of(added)};
}

map_editor::register_change map_editor::edit_properties(int row) {
    host_register* target = map_.register_at(row);
    if (target == nullptr)
        return {};
    // The dialog works on a copy of every field; the map is untouched until a clean OK.
    auto work = std::make_unique<host_register>(*target);
    for (;;) {
        if (work->edit(edit_existing_register) != 1)
            return {};
        if (!map_.overlaps(work->register_number, work->width(), target))
            break;
        if (!ui().ask_retry_cancel(overlap_message))
            return {};
    }
    const bool renumbered = work->register_number != target->register_number;
    *target = *work;
    if (renumbered) {
        prepare_display();
        return {refresh::all_rows, row_of(target)};
    }
    const int now = row_of(target);
    prepare_row(now);
    return {refresh::one_row, now};
}

map_editor::register_change map_editor::delete_rows(const std::vector<int>& rows) {
    bool any = false;
    for (int row : rows)
        any = any || (row >= 0 && row < map_.register_count());
    if (!any)
        return {};
    map_.delete_registers(rows);
    prepare_display();
    return {refresh::all_rows, -1};
}

map_editor::register_change
map_editor::replace_registers(std::vector<std::unique_ptr<host_register>> registers) {
    map_.registers.clear();
    register_overlap_index accepted;
    for (auto& reg : registers) {
        if (accepted.conflicts(*reg)) {
            ui().message(conflicting_register_message(*reg));
            continue;
        }
        accepted.insert(*reg);
        map_.registers.push_back(std::move(reg));
    }
    return {refresh::all_rows, -1};
}

map_editor::header_change map_editor::select_protocol() {
    // The selection keeps the header when neither protocol nor device changes, and builds a
    // new one otherwise.
    const int protocol = map_.protocol_code;
    const bool had_header = map_.header != nullptr;
    const int device = had_header ? map_.header->device_code : -1;
    header_change change;
    change.accepted = map_.edit() == 1;
    change.replaced = !had_header || map_.protocol_code != protocol ||
                      (map_.header && map_.header->device_code != device);
    return change;
}

map_editor::header_change map_editor::edit_header() {
    header_change change;
    if (map_.header)
        change.accepted = map_.header->edit() == 1;
    return change;
}

bool map_editor::apply_form(const protocol_form_values& values) {
    return map_.header && map_.header->apply_form(&values) != 0;
}
