#pragma once
// The protocol header in a map's text and in a device image, for every protocol from its
// description: the device line, the "PLC_CHAN", "REGMAX" and "NODENUM" lines, the protocol's
// keyword line and block lines; the image header's serial fields and the information block's
// keyword and slots.

#include "core/big_endian.h"
#include "format/image_types.h"

#include <istream>
#include <ostream>

class protocol_header;

// Writes the device line and the header lines. A protocol whose common lines carry 0 for the
// node number and REGMAX has both set to 0 first.
void write_header(std::ostream& out, protocol_header& header);
// Reads the header lines after the device line (already consumed): up to "NODENUM" for the
// plain generic protocol, up to "HREG" for every other. False when the stream ends first.
bool read_header(std::istream& in, protocol_header& header);

// Fills the header from a device image: the serial fields of the image header, then the
// protocol's values from the information block, which must start with its keyword (false
// otherwise), then the blocks of a block-mapped protocol.
bool decode_header_image(protocol_header& header, const image_header& image, byte_reader& records,
                         const image_info_block& info, int device_code);
// The inverse: the image header (offsets 2 to 29, with the block flag of a header with
// blocks) and the information block.
void encode_header_image(const protocol_header& header, image_header& image,
                         image_info_block& info);
