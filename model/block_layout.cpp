#include "model/block_layout.h"

#include "model/host_register.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int blocks_per_direction = 11; // 5 I/O blocks and 6 Param blocks
constexpr int output_first_entry = 11;
constexpr int output_register_offset = 1024;
constexpr int param_usage_limit = 1024;

int clamp_int(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

long long block_end(const block_entry& e) {
    return static_cast<long long>(e.start) + e.length;
}

// The non-empty entry with the highest start in [first, last]; later entries win ties.
const block_entry* highest_block(const block_table_t& table, int first, int last) {
    const block_entry* best = nullptr;
    for (int i = first; i <= last; ++i)
        if (table[i].length != 0 && (best == nullptr || table[i].start >= best->start))
            best = &table[i];
    return best;
}

int io_size(const block_table_t& table, int first) {
    const block_entry* top = highest_block(table, first, first + 4);
    return top == nullptr ? 0 : clamp_int(block_end(*top));
}

// Registers spanned by the Param blocks in [first, first + 5]: from the lowest start to the end
// of the highest-starting block; 0 when none starts at or below the Param area's limit.
int param_usage(const block_table_t& table, int first) {
    const block_entry* top = highest_block(table, first, first + 5);
    if (top == nullptr)
        return 0;
    int lowest = INT_MAX;
    for (int i = first; i <= first + 5; ++i)
        if (table[i].length != 0)
            lowest = std::min(lowest, table[i].start);
    if (lowest > param_usage_limit)
        return 0;
    return clamp_int(block_end(*top) - lowest);
}

} // namespace

int block_layout::role_area(int entry) {
    int k = entry % blocks_per_direction;
    return k < 5 ? 0 : 1;
}

int block_layout::role_direction(int entry) {
    return entry < output_first_entry ? 0 : 1;
}

block_layout block_layout::default_layout(int io_input_length, int io_output_length) {
    block_layout layout;
    layout.block_count = block_table_size;
    layout.assign_roles();
    layout.table[0].length = io_input_length;
    layout.table[output_first_entry].length = io_output_length;
    layout.io_input_size = io_input_length;
    layout.io_output_size = io_output_length;
    return layout;
}

void block_layout::assign_roles() {
    for (int i = 0; i < block_table_size; ++i) {
        table[i].area = role_area(i);
        table[i].direction = role_direction(i);
    }
}

void block_layout::compute_io_sizes() {
    io_input_size = io_size(table, 0);
    io_output_size = io_size(table, output_first_entry);
}

void block_layout::compute_param_usages() {
    param_input_usage = param_usage(table, 5);
    param_output_usage = param_usage(table, output_first_entry + 5);
}

std::string block_layout::loss_on_save() const {
    // Without blocks no block lines are written, and reading gives 22 empty blocks.
    if (block_count == 0)
        return "it has no block definitions: a saved file reads back with 22 empty blocks" +
               std::string(io_input_size != 0 || io_output_size != 0 ? " and I/O sizes 0" : "");
    const int input = io_size(table, 0);
    const int output = io_size(table, output_first_entry);
    if (input == io_input_size && output == io_output_size)
        return {};
    return "the I/O sizes " + std::to_string(io_input_size) + " and " +
           std::to_string(io_output_size) + " are not those of the blocks (" +
           std::to_string(input) + " and " + std::to_string(output) + "), which a saved file gives";
}

int block_layout::first_register(int entry) const {
    if (entry < 0 || entry >= block_table_size)
        return -1;
    long long first = table[entry].start;
    if (role_direction(entry) == 1)
        first += output_register_offset;
    return clamp_int(first);
}

int block_layout::last_register(int entry) const {
    if (entry < 0 || entry >= block_table_size)
        return -1;
    return clamp_int(static_cast<long long>(first_register(entry)) + table[entry].length - 1);
}

int block_layout::next_register(const zrp_file* file, int entry) const {
    if (entry < 0 || entry >= block_table_size)
        return -1;
    const int first = first_register(entry);
    const long long last = static_cast<long long>(first) + table[entry].length - 1;
    if (file != nullptr) {
        for (auto it = file->registers.rbegin(); it != file->registers.rend(); ++it) {
            const host_register& reg = **it;
            long long end =
                static_cast<long long>(reg.register_number) + reg.whole_count + reg.fraction_count;
            if (end <= last)
                return clamp_int(std::max<long long>(end, first));
        }
    }
    return first;
}
