#pragma once
// The block table of block-mapped headers in a map's text ("INPUT_BLOCK"/"OUTPUT_BLOCK"
// lines) and in a device image (the block flag and the 444-byte block area after the
// register records).

#include "core/big_endian.h"
#include "format/image_types.h"
#include "model/block_layout.h"

#include <ostream>
#include <string>

// Writes the 22 block lines (nothing when the layout has no blocks).
void write_block_lines(std::ostream& out, const block_layout& layout);

// Reading a map's block lines: begin_block_lines empties the 22 entries; read_block_line takes
// an "INPUT_BLOCK"/"OUTPUT_BLOCK" line (start "/" length) into the next entry of its
// direction, counting the lines of each kind in inputs_read/outputs_read (lines beyond the
// eleventh of a kind are ignored) and returns false for any other keyword; end_block_lines
// assigns the roles and derives the I/O sizes and Param usages.
void begin_block_lines(block_layout& layout);
bool read_block_line(block_layout& layout, const std::string& keyword, const std::string& line,
                     int& inputs_read, int& outputs_read);
void end_block_lines(block_layout& layout);

// The blocks of a device image, the I/O sizes its information block carries already in the
// layout: the default layout when the image header's block flag is clear, else the block area
// (a block area cut short leaves the sizes in place).
void decode_image_blocks(block_layout& layout, const image_header& header, byte_reader& records,
                         int device_code);
// The block definitions of a device image: they follow the register records, so the records
// the image header counts are decoded and dropped first, then the 444-byte area is read.
// False (and the layout unchanged) when the area is not there in full. The I/O sizes are
// kept; the Param usages are derived from the blocks.
bool decode_block_area(block_layout& layout, const image_header& header, byte_reader& records,
                       int device_code);
// Sets the image header's block flag when the layout has blocks.
void encode_block_flag(const block_layout& layout, image_header& header);
// Appends the 444-byte block area of an image: the inverse of decode_block_area.
void encode_block_area(const block_layout& layout, byte_writer& out);
