#pragma once
// The block table of block-mapped protocols (DeviceNet, EtherNet/IP): 22 blocks in fixed
// roles (entries 0-4 I/O input, 5-10 Param input, 11-15 I/O output, 16-21 Param output),
// the I/O area sizes and the Param usages derived from them.

#include "core/big_endian.h"
#include "model/settings_dialogs.h"
#include "model/zrp_object.h"

#include <istream>
#include <ostream>
#include <string>

class zrp_file;

struct block_layout {
    int block_count = 0; // 22 once blocks exist, 0 for a new header
    block_table_t table{};
    int io_input_size = 0;
    int io_output_size = 0;
    int param_input_usage = 0;
    int param_output_usage = 0;

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

    // Writes the 22 "INPUT_BLOCK"/"OUTPUT_BLOCK" lines (nothing when block_count is 0).
    void write_lines(std::ostream& out) const;

    // Reading a map's block lines: begin_read empties the 22 entries; read_line takes an
    // "INPUT_BLOCK"/"OUTPUT_BLOCK" line (start "/" length) into the next entry of its
    // direction, counting the lines of each kind in inputs_read/outputs_read (lines beyond
    // the eleventh of a kind are ignored) and returns false for any other keyword;
    // finish_read assigns the roles and derives the I/O sizes and Param usages.
    void begin_read();
    bool read_line(const std::string& keyword, const std::string& line, int& inputs_read,
                   int& outputs_read);
    void finish_read();

    // The block definitions of a device image: they follow the register records, so the
    // records the image header counts are decoded and dropped first, then the 444-byte area
    // is read. False (and the layout unchanged) when the area is not there in full. The I/O
    // sizes are kept; the Param usages are derived from the blocks.
    bool decode_image_area(const image_header& header, byte_reader& records,
                           const image_info_block& info, int device_code);
    // The blocks of a device image, given the I/O sizes its information block carries: the
    // default layout when the image header's block flag is clear, else the block area (a
    // block area cut short leaves the sizes in place).
    void decode_image_blocks(int io_input, int io_output, const image_header& header,
                             byte_reader& records, const image_info_block& info, int device_code);
    // Sets the image header's block flag when the layout has blocks.
    void encode_block_flag(image_header& header) const;
    // Appends the 444-byte block area of an image: the inverse of decode_image_area.
    void encode_block_area(byte_writer& out) const;

    // Presets a settings dialog with the layout (the default layout with 256 registers in
    // entries 0 and 11 when there are no blocks yet) and takes a confirmed dialog's layout.
    void preset_dialog(protocol_dialog_values& values) const;
    void take_dialog(const protocol_dialog_values& values);

    // First and last register numbers of an entry (output entries are offset by 1024).
    int first_register(int entry) const;
    int last_register(int entry) const;
    // Next free register number inside a block, given the file's register list (nullptr: an
    // empty list); -1 for an entry outside the table.
    int next_register(const zrp_file* file, int entry) const;
};
