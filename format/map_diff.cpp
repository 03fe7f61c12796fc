#include "format/map_diff.h"

#include "format/header_codec.h"
#include "format/register_table.h"
#include "format/register_text.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace {

struct header_line {
    std::string word;
    int occurrence;
    std::string rest;
};

std::vector<header_line> split_header(const std::vector<std::string>& lines) {
    std::vector<header_line> out;
    std::map<std::string, int> seen;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t blank = line.find(' ');
        std::string word = line.substr(0, blank);
        std::string rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
        const int occurrence = seen[word]++;
        out.push_back({std::move(word), occurrence, std::move(rest)});
    }
    return out;
}

// The first line of a register's entry as the map file writes it, from a copy so that the
// register keeps its values (writing normalises the array parameters' format).
std::string entry_line(const host_register& reg) {
    host_register copy(reg, false);
    std::ostringstream out;
    write_register(out, copy);
    const std::string text = out.str();
    return text.substr(0, text.find('\n'));
}

std::vector<const host_register*> by_number(const zrp_file& map) {
    std::vector<const host_register*> list;
    list.reserve(map.registers.size());
    for (const auto& reg : map.registers)
        list.push_back(reg.get());
    std::stable_sort(list.begin(), list.end(), [](const host_register* x, const host_register* y) {
        return x->register_number < y->register_number;
    });
    return list;
}

void diff_headers(const zrp_file& a, const zrp_file& b, std::vector<map_difference>& out) {
    const std::vector<std::string> lines_a = header_lines(a), lines_b = header_lines(b);
    const std::string device_a = lines_a.empty() ? std::string() : lines_a.front();
    const std::string device_b = lines_b.empty() ? std::string() : lines_b.front();
    if (device_a != device_b) {
        map_difference d;
        d.a = device_a;
        d.b = device_b;
        out.push_back(d);
    }

    const std::vector<header_line> ha = split_header(lines_a), hb = split_header(lines_b);
    auto find = [](const std::vector<header_line>& lines, const header_line& key) {
        return std::find_if(lines.begin(), lines.end(), [&](const header_line& l) {
            return l.word == key.word && l.occurrence == key.occurrence;
        });
    };
    auto difference = [](map_difference::change_t change, const header_line& line) {
        map_difference d;
        d.change = change;
        d.place = map_difference::header_line;
        d.word = line.word;
        d.occurrence = line.occurrence;
        return d;
    };
    for (const header_line& line : ha) {
        auto other = find(hb, line);
        if (other == hb.end()) {
            map_difference d = difference(map_difference::only_in_a, line);
            d.a = line.rest;
            out.push_back(d);
        } else if (other->rest != line.rest) {
            map_difference d = difference(map_difference::changed, line);
            d.a = line.rest;
            d.b = other->rest;
            out.push_back(d);
        }
    }
    for (const header_line& line : hb)
        if (find(ha, line) == ha.end()) {
            map_difference d = difference(map_difference::only_in_b, line);
            d.b = line.rest;
            out.push_back(d);
        }
}

void diff_register(const host_register& a, const host_register& b,
                   std::vector<map_difference>& out) {
    const register_row cells_a = register_row_cells(a), cells_b = register_row_cells(b);
    for (int column = col_register + 1; column < table_column_count; ++column) {
        const auto c = static_cast<std::size_t>(column);
        if (cells_a[c] == cells_b[c])
            continue;
        map_difference d;
        d.place = map_difference::register_entry;
        d.register_number = a.register_number;
        d.field = table_column_names()[c];
        d.a = cells_a[c];
        d.b = cells_b[c];
        out.push_back(d);
    }
}

map_difference lone_register(map_difference::change_t change, const host_register& reg) {
    map_difference d;
    d.change = change;
    d.place = map_difference::register_entry;
    d.register_number = reg.register_number;
    (change == map_difference::only_in_a ? d.a : d.b) = entry_line(reg);
    return d;
}

} // namespace

std::vector<std::string> header_lines(const zrp_file& map) {
    std::vector<std::string> lines;
    if (!map.header)
        return lines;
    // Writing may normalise the common fields (Profinet IO stores node and REGMAX as 0): a
    // copy is written as Save writes the header.
    protocol_header header = *map.header;
    std::ostringstream out;
    write_header(out, header);
    std::istringstream in(out.str());
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::vector<map_difference> diff_maps(const zrp_file& a, const zrp_file& b) {
    std::vector<map_difference> out;
    diff_headers(a, b, out);

    // Both lists by number; equal numbers (which the overlap rule keeps out of a map) pair in
    // list order.
    const std::vector<const host_register*> ra = by_number(a), rb = by_number(b);
    std::size_t i = 0, j = 0;
    while (i < ra.size() || j < rb.size()) {
        if (j == rb.size() || (i < ra.size() && ra[i]->register_number < rb[j]->register_number))
            out.push_back(lone_register(map_difference::only_in_a, *ra[i++]));
        else if (i == ra.size() || rb[j]->register_number < ra[i]->register_number)
            out.push_back(lone_register(map_difference::only_in_b, *rb[j++]));
        else
            diff_register(*ra[i++], *rb[j++], out);
    }
    return out;
}

std::string map_difference::line() const {
    const char mark = change == changed ? '~' : change == only_in_a ? '-' : '+';
    const std::string& side = change == only_in_b ? b : a;
    std::string text(1, mark);
    text += ' ';
    switch (place) {
    case device_line:
        return text + "device: " + a + " -> " + b;
    case header_line:
        text += "header " + word + ": ";
        return change == changed ? text + a + " -> " + b : text + side;
    case register_entry:
        if (change != changed)
            return text + side;
        return text + std::to_string(register_number) + ' ' + field + ": " + a + " -> " + b;
    }
    return text;
}
