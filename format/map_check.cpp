#include "format/map_check.h"

#include "format/register_text.h"

#include "core/text_lines.h"
#include "format/image_limits.h"
#include "format/name_loss.h"
#include "format/register_table.h"
#include "model/block_layout.h"
#include "model/block_rules.h"
#include "model/model_tables.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <unordered_map>

namespace {

constexpr std::size_t max_line = 255;
constexpr unsigned max_status_bit = 31;

using names_by_number = std::map<int, std::string>;

// The parameter names of file_text that loading cut to 19 characters, by register number: every
// line is read as a register entry would be, and a name of exactly 19 characters is looked up
// in the line as the word it was cut from. Only names the loaded map holds under that number
// count, so header lines and the continuation lines of bitmapped entries never match.
names_by_number long_names(std::string_view file_text, const zrp_file& map) {
    std::unordered_map<int, const host_register*> registers;
    for (const auto& reg : map.registers)
        registers.emplace(reg->register_number, reg.get());

    names_by_number out;
    std::istringstream in{std::string(file_text)};
    std::string line;
    while (read_line(in, line, max_line) != line_status::end) {
        std::istringstream one(line);
        host_register probe(nullptr, 0);
        if (!read_register(one, probe) || probe.name.size() != image_name_chars)
            continue;
        auto found = registers.find(probe.register_number);
        if (found == registers.end() || found->second->name != probe.name)
            continue;
        field_scanner words(line);
        std::string word;
        while (words.word(word))
            if (word.size() > image_name_chars &&
                word.compare(0, probe.name.size(), probe.name) == 0) {
                out.emplace(probe.register_number, word);
                break;
            }
    }
    return out;
}

bool offered(const std::set<std::string, std::less<>>& names, const std::string& name) {
    if (names.count(name) != 0)
        return true;
    // The editor keeps the first 19 characters of a longer catalogue name.
    if (name.size() != image_name_chars)
        return false;
    auto it = names.lower_bound(name);
    return it != names.end() && it->compare(0, name.size(), name) == 0;
}

// "I/O input block 1 (0/256)": blocks as the block editor lists them, numbered from 1 within
// their area and direction.
std::string block_name(const block_table_t& table, int entry) {
    const block_entry& b = table[static_cast<std::size_t>(entry)];
    const bool input = entry <= 10;
    const int first_of_kind = is_io_block_position(entry) ? (input ? 0 : 11) : (input ? 5 : 16);
    return std::string(is_io_block_position(entry) ? "I/O " : "Param ") +
           (input ? "input" : "output") + " block " + std::to_string(entry - first_of_kind + 1) +
           " (" + std::to_string(b.start) + "/" + std::to_string(b.length) + ")";
}

void check_blocks(const block_table_t& table, std::vector<map_finding>& out) {
    std::set<std::pair<int, int>> reported;
    for (int entry = 0; entry < block_table_size; ++entry) {
        const block_entry& b = table[static_cast<std::size_t>(entry)];
        if (b.length == 0)
            continue;
        const block_fit_problem problem = block_fit(table, entry, b.start, b.length);
        switch (problem.kind) {
        case block_fit_problem::none:
            break;
        case block_fit_problem::bad_values:
            out.push_back({true, 0, block_name(table, entry) + " has a negative start or length"});
            break;
        case block_fit_problem::past_area_end:
            out.push_back(
                {true, 0,
                 block_name(table, entry) + " ends past register " +
                     std::to_string(is_io_block_position(entry) ? io_area_end : param_area_end)});
            break;
        case block_fit_problem::shares_registers: {
            const auto pair = std::minmax(entry, problem.other_position);
            if (reported.insert(pair).second)
                out.push_back({true, 0,
                               block_name(table, pair.first) + " and " +
                                   block_name(table, pair.second) + " share registers"});
            break;
        }
        }
    }
}

// Where a register lies in a block-mapped map: inside a non-empty block from its first to its
// last number, or the finding that says why not.
std::string block_placement(const block_layout& layout, int block_count, const host_register& reg) {
    const long long first = reg.register_number;
    const long long last = first + std::max(reg.width(), 1) - 1;
    int holder = -1;
    for (int entry = 0; entry < block_count && entry < block_table_size; ++entry) {
        if (layout.table[static_cast<std::size_t>(entry)].length <= 0)
            continue;
        if (first < layout.first_register(entry) || first > layout.last_register(entry))
            continue;
        if (last <= layout.last_register(entry))
            return {};
        if (holder < 0)
            holder = entry;
    }
    if (holder < 0)
        return "lies in no defined block";
    return "runs past the end of " + block_name(layout.table, holder) +
           ", which ends at register " + std::to_string(layout.last_register(holder));
}

} // namespace

std::string map_finding::line() const {
    return (about_header ? std::string("header") : std::to_string(register_number)) + ": " + text;
}

std::vector<map_finding> check_map(const zrp_file& map, std::string_view file_text,
                                   const std::set<std::string, std::less<>>* offered_names) {
    std::vector<map_finding> out;
    const int device = map.header ? map.header->device_code : device_blf;

    if (map.header) {
        std::string header_loss = map.header->loss_on_save();
        if (!header_loss.empty())
            out.push_back({true, 0, std::move(header_loss)});
    }
    if (map.register_count() > image_max_records)
        out.push_back({true, 0,
                       std::to_string(map.register_count()) +
                           " registers; an image holds at most " +
                           std::to_string(image_max_records)});
    block_layout layout;
    int block_count = 0;
    const bool block_mapped = map.header && map.header->is_block_mapped();
    if (block_mapped) {
        layout = map.header->blocks;
        block_count = layout.block_count;
        if (block_count != 0)
            check_blocks(layout.table, out);
    }

    const names_by_number cut_names = long_names(file_text, map);
    std::vector<const host_register*> registers;
    for (const auto& reg : map.registers)
        registers.push_back(reg.get());
    std::stable_sort(registers.begin(), registers.end(),
                     [](const host_register* a, const host_register* b) {
                         return a->register_number < b->register_number;
                     });

    for (const host_register* reg : registers) {
        auto add = [&](std::string text) {
            out.push_back({false, reg->register_number, std::move(text)});
        };
        const int format = saved_format(*reg);
        auto cut = cut_names.find(reg->register_number);
        if (cut != cut_names.end())
            add("parameter name \"" + cut->second +
                "\" is longer than 19 characters; the card gets \"" + reg->name + "\"");

        for (const image_misfit_item& misfit : register_image_misfits(*reg, device)) {
            // Status bit positions are held to the Status page's range below.
            if (reg->format == fmt_status && misfit.what == "bit position")
                continue;
            add(misfit.bit >= 0 ? misfit.field + ": " + misfit.text : misfit.text);
        }
        if (reg->format == fmt_status)
            for (int bit = 15; bit >= 0; --bit) {
                const auto position =
                    static_cast<unsigned>(reg->status[static_cast<std::size_t>(bit)].bit_position);
                if (position > max_status_bit)
                    add("Bit " + std::to_string(bit) + ": bit position " +
                        std::to_string(position) + " is above 31");
            }

        if (block_mapped) {
            std::string placement = block_placement(layout, block_count, *reg);
            if (!placement.empty())
                add(std::move(placement));
        }

        if (format_writes_name(format)) {
            if (reg->name.empty())
                add(format == fmt_int_numeric || format == fmt_int_dec_shift
                        ? "empty parameter name; the map does not load back as saved"
                        : "empty parameter name");
            else if (std::string loss = name_loss_on_save(*reg);
                     !loss.empty() && cut == cut_names.end())
                add(std::move(loss));
            else if (offered_names != nullptr && !offered(*offered_names, reg->name))
                add("parameter \"" + reg->name + "\" is not in the catalogue for " +
                    std::string(device_words().word_or_default(device)));
        }
    }
    return out;
}
