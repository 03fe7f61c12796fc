#include "model/block_rules.h"

#include "model/block_layout.h"

#include <algorithm>

bool is_io_block_position(int position) {
    return position <= 4 || (position >= 11 && position <= 15);
}

bool block_fits(const block_table_t& table, int position, int base, int length) {
    return block_fit(table, position, base, length).kind == block_fit_problem::none;
}

block_fit_problem block_fit(const block_table_t& table, int position, int base, int length) {
    if (position < 0 || position >= block_table_size || base < 0 || length < 0)
        return {block_fit_problem::bad_values};
    // An empty block takes no register, wherever its base lies.
    if (length == 0)
        return {};
    const long long end = static_cast<long long>(base) + length;
    if (end > (is_io_block_position(position) ? io_area_end : param_area_end))
        return {block_fit_problem::past_area_end};
    // The wanted registers [base, end) against every other non-empty block of the same
    // direction, seen inside the direction's 768-register space.
    const int first = position <= 10 ? 0 : 11;
    const int last = position <= 10 ? 10 : 21;
    for (int k = first; k <= last; ++k) {
        const block_entry& other = table[static_cast<std::size_t>(k)];
        if (k == position || other.length == 0)
            continue;
        const long long other_end = static_cast<long long>(other.start) + other.length;
        const long long low = std::max<long long>({base, other.start, 0});
        const long long high = std::min<long long>({end, other_end, block_space_registers});
        if (low < high)
            return {block_fit_problem::shares_registers, k};
    }
    return {};
}

block_usage compute_block_usage(const block_table_t& table) {
    block_layout layout;
    layout.block_count = block_table_size;
    layout.table = table;
    layout.compute_io_sizes();
    layout.compute_param_usages();
    return {layout.io_input_size, layout.io_output_size, layout.param_input_usage,
            layout.param_output_usage};
}

block_table_t default_block_table() {
    block_layout layout = block_layout::default_layout(256, 256);
    layout.assign_roles();
    return layout.table;
}
