#include "edit/map_editor.h"

#include "core/user_interface.h"
#include "edit/register_clipboard.h"
#include "model/host_selection.h"
#include "model/model_tables.h"
#include "model/register_overlap_index.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

namespace {

// A new register as New Register starts it: a renumbered copy of the map's template
// register, or a fresh register of the map.
std::unique_ptr<host_register> make_new_register(zrp_file& map) {
    if (map.template_register)
        return std::make_unique<host_register>(*map.template_register, true);
    return std::make_unique<host_register>(&map);
}

// "Delete 1 register", "Paste 12 registers".
std::string count_name(const char* verb, std::size_t count) {
    return std::string(verb) + ' ' + std::to_string(count) +
           (count == 1 ? " register" : " registers");
}

// The format the register list shows a register with (see normalise_for_display).
int display_format(const host_register& reg) {
    if (is_array_parameter(reg.name))
        return fmt_int_array;
    return reg.format < 0 || reg.format > fmt_int_array ? fmt_int_passthru : reg.format;
}

long long width_of(const host_register& reg) {
    return static_cast<long long>(reg.whole_count) + reg.fraction_count;
}

// The register the refused one would overlap, named for the overlap question's detail.
std::string overlap_detail(const zrp_file& map, const host_register& refused,
                           const host_register* except = nullptr) {
    const host_register* other =
        map.first_overlap(refused.register_number, refused.width(), except);
    if (other == nullptr)
        return {};
    std::string detail = "It collides with register " + register_range_text(*other);
    if (!other->name.empty())
        detail += " (F:" + std::to_string(other->feeder) + ' ' + other->name + ')';
    return detail + '.';
}

} // namespace

bool map_editor::normalise_for_display(host_register& reg) {
    const int before = reg.format;
    reg.format = display_format(reg);
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

std::vector<int> map_editor::rows_of(const std::vector<const host_register*>& regs) const {
    const std::unordered_set<const host_register*> wanted(regs.begin(), regs.end());
    std::vector<int> rows;
    for (int row = 0; row < map_.register_count() && rows.size() < wanted.size(); ++row)
        if (wanted.count(map_.register_at(row)) != 0)
            rows.push_back(row);
    return rows;
}

void map_editor::finish(map_step& step, int only_row) {
    const int first = only_row >= 0 ? only_row : 0;
    const int end = only_row >= 0 ? only_row + 1 : map_.register_count();
    for (int row = first; row < end && row < map_.register_count(); ++row)
        step.set_format(map_, row, display_format(*map_.register_at(row)));
    history_.push(std::move(step));
}

int map_editor::insert_sorted(std::unique_ptr<host_register> reg) {
    auto& list = map_.registers;
    const auto at = std::upper_bound(list.begin(), list.end(), reg->register_number,
                                     [](int number, const std::unique_ptr<host_register>& r) {
                                         return number < r->register_number;
                                     });
    reg->owner = &map_;
    return static_cast<int>(list.insert(at, std::move(reg)) - list.begin());
}

register_dialog_values map_editor::begin_register_edit(std::string step_name,
                                                       std::unique_ptr<host_register> work,
                                                       host_register* target) {
    // The list is in order before the dialog runs, so that a new register has one place.
    register_edit_.emplace(register_edit{map_step(std::move(step_name)), std::move(work), target});
    register_edit_->step.sort(map_);
    return register_values(*register_edit_->work);
}

register_dialog_values map_editor::new_register_values() {
    cancel_register_edit();
    return begin_register_edit("New Register", make_new_register(map_), nullptr);
}

map_editor::register_outcome map_editor::set_new_register(const register_dialog_values& chosen) {
    if (!register_edit_ || register_edit_->target != nullptr)
        new_register_values();
    register_edit& edit = *register_edit_;
    // The working register keeps what was chosen, so that a refusal reopens the dialog on it.
    apply_register_values(*edit.work, chosen);
    host_register* added = edit.work.get();
    if (map_.add_register(std::move(edit.work)) < 0)
        return {{}, true, register_values(*edit.work), overlap_detail(map_, *edit.work)};
    // add_register appended the register; it moves to its place by number.
    std::unique_ptr<host_register> appended = std::move(map_.registers.back());
    map_.registers.pop_back();
    edit.step.inserted({insert_sorted(std::move(appended))});
    finish(edit.step);
    register_edit_.reset();
    return {{refresh::all_rows, row_of(added)}};
}

bool map_editor::ask_retry(const register_outcome& outcome, user_interface& ui) {
    if (outcome.overlap_detail.empty())
        return ui.ask_retry_cancel(overlap_message);
    return ui.detailed_retry_cancel(overlap_message, outcome.overlap_detail);
}

std::optional<register_dialog_values> map_editor::properties_values(int row) {
    cancel_register_edit();
    host_register* target = map_.register_at(row);
    if (target == nullptr)
        return std::nullopt;
    // The dialog works on a copy of every field; the map is untouched until a clean OK.
    return begin_register_edit("Properties", std::make_unique<host_register>(*target), target);
}

map_editor::register_outcome map_editor::set_properties(int row,
                                                        const register_dialog_values& chosen) {
    if ((!register_edit_ || register_edit_->target == nullptr) && !properties_values(row))
        return {};
    register_edit& edit = *register_edit_;
    host_register* target = edit.target;
    apply_register_values(*edit.work, chosen);
    if (map_.overlaps(edit.work->register_number, edit.work->width(), target))
        return {{}, true, register_values(*edit.work), overlap_detail(map_, *edit.work, target)};
    const bool renumbered = edit.work->register_number != target->register_number;
    const int now = row_of(target);
    edit.step.assign(map_, now, *edit.work);
    if (renumbered) {
        // Numbers are unique, so the register's place is after every smaller number.
        const int number = target->register_number;
        const auto smaller =
            std::count_if(map_.registers.begin(), map_.registers.end(), [&](const auto& r) {
                return r.get() != target && r->register_number < number;
            });
        edit.step.move(map_, now, static_cast<int>(smaller));
    }
    // A register that keeps its number is the only one the list shows again.
    finish(edit.step, renumbered ? -1 : now);
    register_edit_.reset();
    if (renumbered)
        return {{refresh::all_rows, row_of(target)}};
    return {{refresh::one_row, now}};
}

void map_editor::cancel_register_edit() {
    if (register_edit_)
        register_edit_->step.undo(map_);
    register_edit_.reset();
}

map_editor::register_change map_editor::remove_rows(const std::vector<int>& rows,
                                                    const char* verb) {
    std::vector<const host_register*> doomed;
    for (int row : rows)
        if (const host_register* reg = map_.register_at(row))
            doomed.push_back(reg);
    std::sort(doomed.begin(), doomed.end());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    if (doomed.empty())
        return {};
    map_step step(count_name(verb, doomed.size()));
    step.sort(map_);
    step.remove(map_, rows_of(doomed));
    finish(step);
    return {refresh::all_rows, -1};
}

map_editor::register_change map_editor::delete_rows(const std::vector<int>& rows) {
    return remove_rows(rows, "Delete");
}

map_editor::register_change map_editor::cut_rows(const std::vector<int>& rows) {
    return remove_rows(rows, "Cut");
}

map_editor::register_change
map_editor::replace_registers(std::vector<std::unique_ptr<host_register>> registers,
                              user_interface& ui) {
    std::vector<std::unique_ptr<host_register>> kept;
    register_overlap_index accepted;
    for (auto& reg : registers) {
        if (accepted.conflicts(*reg)) {
            ui.message(conflicting_register_message(*reg));
            continue;
        }
        accepted.insert(*reg);
        kept.push_back(std::move(reg));
    }
    map_step step("Import Register Table");
    step.replace_list(map_, std::move(kept));
    history_.push(std::move(step));
    return {refresh::all_rows, -1};
}

map_editor::paste_result map_editor::paste(std::string_view text, int source_device) {
    const int target_device = map_.header ? map_.header->device_code : device_blf;
    int device = source_device >= 0 ? source_device : text_device(text);
    if (device < 0)
        device = target_device;
    auto incoming = read_clipboard_registers(text, device);
    paste_result result;
    if (incoming.empty())
        return result;

    map_step step("Paste");
    step.sort(map_);
    register_overlap_index taken;
    for (const auto& reg : map_.registers)
        taken.insert(*reg);
    std::vector<const host_register*> placed;
    bool status_placed = false;
    for (auto& reg : incoming) {
        reg->owner = &map_;
        reg->location = register_location(map_, reg->register_number);
        if (taken.conflicts(*reg)) {
            // The proposal sees the registers pasted before this one: they are in the list.
            const int proposal = map_.next_free_register(reg->location);
            if (proposal < 0 || taken.conflicts(proposal, width_of(*reg))) {
                ++result.left_out;
                continue;
            }
            reg->register_number = proposal;
            ++result.renumbered;
        }
        normalise_for_display(*reg);
        taken.insert(*reg);
        status_placed = status_placed || reg->format == fmt_status;
        placed.push_back(reg.get());
        insert_sorted(std::move(reg));
    }
    result.pasted = static_cast<int>(placed.size());
    result.codes_kept = status_placed && device != target_device;

    if (placed.empty()) {
        step.undo(map_);
    } else {
        step.set_name(count_name("Paste", placed.size()));
        step.inserted(rows_of(placed));
        finish(step);
        result.rows = rows_of(placed);
        result.change = {refresh::all_rows, result.rows.front()};
    }
    result.report = paste_report(
        {result.pasted, result.renumbered, result.left_out, result.codes_kept ? device : -1});
    return result;
}

host_selection_values map_editor::protocol_selection() const {
    return ::protocol_selection(map_);
}

map_editor::header_change map_editor::set_protocol(const host_selection_values& chosen) {
    const int protocol = map_.protocol_code;
    std::unique_ptr<protocol_header> before =
        map_.header ? std::make_unique<protocol_header>(*map_.header) : nullptr;
    header_change change;
    change.replaced = apply_protocol_selection(map_, chosen);
    // Confirming the same protocol and device is a step of its own; a new header stays even
    // when its settings dialog is cancelled, which is a step too.
    change.accepted = !change.replaced;
    map_step step("Protocol");
    step.header_replaced(std::move(before), protocol);
    history_.push(std::move(step));
    return change;
}

void map_editor::set_new_header_settings(const header_values& chosen) {
    // The protocol's step holds the header from before the selection.
    header_before_dialog_.reset();
    if (map_.header)
        map_.header->take_dialog(chosen);
}

std::optional<header_values> map_editor::header_dialog_values(user_interface& ui) {
    if (!map_.header)
        return std::nullopt;
    header_before_dialog_ = std::make_unique<protocol_header>(*map_.header);
    return map_.header->dialog_values(ui);
}

map_editor::header_change map_editor::set_header(const header_values& chosen) {
    header_change change;
    if (!map_.header)
        return change;
    // An undo gives back the header from before the dialog's device rules adjusted it.
    auto before = header_before_dialog_ ? std::move(header_before_dialog_)
                                        : std::make_unique<protocol_header>(*map_.header);
    map_.header->take_dialog(chosen);
    change.accepted = true;
    map_step step("Protocol Settings");
    step.header_replaced(std::move(before), map_.protocol_code);
    history_.push(std::move(step));
    return change;
}

bool map_editor::apply_form(const header_values& values, const void* control,
                            bool counts_as_modification) {
    if (!map_.header)
        return false;
    if (history_.joinable(control) != nullptr) {
        // The step of this control's last edit already holds the header from before it.
        if (!map_.header->take_form(values))
            return false;
        history_.joined(counts_as_modification);
        return true;
    }
    auto before = std::make_unique<protocol_header>(*map_.header);
    if (!map_.header->take_form(values))
        return false;
    map_step step("Settings Edit");
    step.header_replaced(std::move(before), map_.protocol_code);
    history_.push(std::move(step), counts_as_modification, control);
    return true;
}

void map_editor::adjust_serial(int data_bits, int mode, bool counts_as_modification) {
    protocol_header* header = map_.header.get();
    if (header == nullptr || (header->data_bits == data_bits && header->mode == mode))
        return;
    header->data_bits = data_bits;
    header->mode = mode;
    if (counts_as_modification)
        history_.forget_clean();
}

map_editor::history_change map_editor::follow(const map_step::outcome& outcome) const {
    return {outcome.registers, outcome.header, outcome.header_replaced, rows_of(outcome.touched)};
}

map_editor::history_change map_editor::undo() {
    return follow(history_.undo(map_));
}

map_editor::history_change map_editor::redo() {
    return follow(history_.redo(map_));
}
