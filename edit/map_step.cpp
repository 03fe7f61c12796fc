#include "edit/map_step.h"

#include "model/zrp_file.h"

#include <algorithm>
#include <numeric>

namespace {

using register_list = std::vector<std::unique_ptr<host_register>>;

bool valid_row(const register_list& list, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < list.size();
}

// Rows ascending, each once, inside the list.
std::vector<int> clean_rows(const register_list& list, std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [&](int row) { return !valid_row(list, row); });
    return rows;
}

// Takes the registers at rows (clean) out of the list into held, in row order: one pass
// over the list whatever the number of rows.
void take_rows(register_list& list, const std::vector<int>& rows, register_list& held) {
    std::vector<bool> doomed(list.size(), false);
    for (int row : rows)
        doomed[static_cast<std::size_t>(row)] = true;
    held.clear();
    held.reserve(rows.size());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (doomed[i])
            held.push_back(std::move(list[i]));
        else
            list[kept++] = std::move(list[i]);
    }
    list.resize(kept);
}

// Puts the registers of held back so that held[k] ends up at rows[k] (ascending): one merge
// pass. Rows beyond the end (a list changed behind the history's back) append.
void put_rows(register_list& list, const std::vector<int>& rows, register_list& held) {
    const std::size_t total = list.size() + held.size();
    register_list merged;
    merged.reserve(total);
    std::size_t from_list = 0;
    std::size_t from_held = 0;
    for (std::size_t t = 0; t < total; ++t) {
        const bool take_held =
            from_held < held.size() &&
            (from_list == list.size() || static_cast<std::size_t>(rows[from_held]) <= t);
        merged.push_back(take_held ? std::move(held[from_held++]) : std::move(list[from_list++]));
    }
    list = std::move(merged);
    held.clear();
}

void move_row(register_list& list, int from, int to) {
    if (!valid_row(list, from) || !valid_row(list, to) || from == to)
        return;
    const auto first = list.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

// Sorts the list by number (stable) and returns, for every row after the sort, the row its
// register had before.
std::vector<int> sort_list(register_list& list) {
    std::vector<int> order(list.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return list[static_cast<std::size_t>(a)]->register_number <
               list[static_cast<std::size_t>(b)]->register_number;
    });
    register_list sorted;
    sorted.reserve(list.size());
    for (int from : order)
        sorted.push_back(std::move(list[static_cast<std::size_t>(from)]));
    list = std::move(sorted);
    return order;
}

void unsort_list(register_list& list, const std::vector<int>& from) {
    if (from.size() != list.size())
        return;
    register_list before(list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        before[static_cast<std::size_t>(from[i])] = std::move(list[i]);
    list = std::move(before);
}

bool same_header(const protocol_header* a, int a_code, const protocol_header* b, int b_code) {
    return a && b && a_code == b_code && a->device_code == b->device_code;
}

} // namespace

map_step::map_step(std::string name) : name_(std::move(name)) {}
map_step::~map_step() = default;
map_step::map_step(map_step&&) noexcept = default;
map_step& map_step::operator=(map_step&&) noexcept = default;

void map_step::sort(zrp_file& map) {
    auto& list = map.registers;
    const auto by_number = [](const auto& a, const auto& b) {
        return a->register_number < b->register_number;
    };
    if (std::is_sorted(list.begin(), list.end(), by_number))
        return;
    actions_.emplace_back(reorder{sort_list(list)});
}

void map_step::remove(zrp_file& map, const std::vector<int>& rows) {
    splice s;
    s.rows = clean_rows(map.registers, rows);
    if (s.rows.empty())
        return;
    take_rows(map.registers, s.rows, s.held);
    actions_.emplace_back(std::move(s));
}

void map_step::inserted(std::vector<int> rows) {
    if (rows.empty())
        return;
    splice s;
    s.rows = std::move(rows);
    s.added = true;
    actions_.emplace_back(std::move(s));
}

void map_step::move(zrp_file& map, int from, int to) {
    if (from == to || !valid_row(map.registers, from) || !valid_row(map.registers, to))
        return;
    move_row(map.registers, from, to);
    actions_.emplace_back(row_move{from, to});
}

void map_step::assign(zrp_file& map, int row, const host_register& value) {
    if (!valid_row(map.registers, row))
        return;
    host_register& live = *map.registers[static_cast<std::size_t>(row)];
    auto other = std::make_unique<host_register>(live);
    live = value;
    actions_.emplace_back(value_swap{row, std::move(other)});
}

void map_step::set_format(zrp_file& map, int row, int format) {
    if (!valid_row(map.registers, row))
        return;
    int& live = map.registers[static_cast<std::size_t>(row)]->format;
    if (live == format)
        return;
    actions_.emplace_back(format_swap{row, live});
    live = format;
}

void map_step::replace_list(zrp_file& map, std::vector<std::unique_ptr<host_register>> registers) {
    std::swap(map.registers, registers);
    actions_.emplace_back(list_swap{std::move(registers)});
}

void map_step::header_replaced(std::unique_ptr<protocol_header> before, int before_code) {
    actions_.emplace_back(header_swap{std::move(before), before_code});
}

map_step::outcome map_step::undo(zrp_file& map) {
    outcome result;
    for (auto it = actions_.rbegin(); it != actions_.rend(); ++it)
        apply(*it, map, false, result);
    return result;
}

map_step::outcome map_step::redo(zrp_file& map) {
    outcome result;
    for (action& a : actions_)
        apply(a, map, true, result);
    return result;
}

void map_step::apply(action& a, zrp_file& map, bool forward, outcome& result) {
    register_list& list = map.registers;
    auto touch = [&](int row) {
        if (valid_row(list, row))
            result.touched.push_back(list[static_cast<std::size_t>(row)].get());
    };
    if (auto* s = std::get_if<splice>(&a)) {
        result.registers = true;
        if (s->added == forward) {
            for (const auto& reg : s->held)
                result.touched.push_back(reg.get());
            put_rows(list, s->rows, s->held);
        } else {
            s->rows = clean_rows(list, s->rows);
            take_rows(list, s->rows, s->held);
        }
    } else if (auto* m = std::get_if<row_move>(&a)) {
        result.registers = true;
        move_row(list, forward ? m->from : m->to, forward ? m->to : m->from);
        touch(forward ? m->to : m->from);
    } else if (auto* v = std::get_if<value_swap>(&a)) {
        result.registers = true;
        if (valid_row(list, v->row) && v->other) {
            std::swap(*list[static_cast<std::size_t>(v->row)], *v->other);
            touch(v->row);
        }
    } else if (auto* f = std::get_if<format_swap>(&a)) {
        result.registers = true;
        if (valid_row(list, f->row))
            std::swap(list[static_cast<std::size_t>(f->row)]->format, f->other);
    } else if (auto* r = std::get_if<reorder>(&a)) {
        result.registers = true;
        if (forward)
            r->from = sort_list(list);
        else
            unsort_list(list, r->from);
    } else if (auto* l = std::get_if<list_swap>(&a)) {
        result.registers = true;
        std::swap(list, l->other);
    } else if (auto* h = std::get_if<header_swap>(&a)) {
        result.header = true;
        if (!same_header(map.header.get(), map.protocol_code, h->other.get(), h->other_code))
            result.header_replaced = true;
        std::swap(map.header, h->other);
        std::swap(map.protocol_code, h->other_code);
        set_network_protocol_flag(map.protocol_code);
    }
}
