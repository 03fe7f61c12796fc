#pragma once
// The block table of block-mapped protocols (DeviceNet, EtherNet/IP): 22 blocks in fixed
// roles (entries 0-4 I/O input, 5-10 Param input, 11-15 I/O output, 16-21 Param output),
// the I/O area sizes and the Param usages derived from them.

#include <array>
#include <string>

class zrp_file;

// One entry of the 22-block table.
struct block_entry {
    int area = 0;      // 0 I/O, 1 Param
    int direction = 0; // 0 input, 1 output
    int start = 0;
    int length = 0;
    bool operator==(const block_entry&) const = default;
};
constexpr int block_table_size = 22; // entries in use
using block_table_t = std::array<block_entry, block_table_size>;

struct block_layout {
    int block_count = 0; // 22 once blocks exist, 0 for a new header
    block_table_t table{};
    int io_input_size = 0;
    int io_output_size = 0;
    int param_input_usage = 0;
    int param_output_usage = 0;

    bool operator==(const block_layout&) const = default;

    // Area and direction of an entry's fixed role.
    static int role_area(int entry);
    static int role_direction(int entry);

    // The layout used when an image carries no block definitions: entry 0 and entry 11 are
    // the I/O blocks from 0 with the given lengths; every other entry is empty.
    static block_layout default_layout(int io_input_length, int io_output_length);

    // Gives every entry the area and direction of its role.
    void assign_roles();
    // The I/O sizes from the highest-starting non-empty I/O block of each direction.
    void compute_io_sizes();
    // The Param usages from the Param blocks of each direction.
    void compute_param_usages();

    // Reading a map gives 22 blocks and derives the I/O sizes from them, while a device image
    // carries the sizes apart from its blocks (and may lack the blocks). Says what would
    // change on saving and reading back; empty when nothing would.
    std::string loss_on_save() const;

    // First and last register numbers of an entry (output entries are offset by 1024).
    int first_register(int entry) const;
    int last_register(int entry) const;
    // Next free register number inside a block, given the file's register list (nullptr: an
    // empty list); -1 for an entry outside the table.
    int next_register(const zrp_file* file, int entry) const;
};
