#pragma once
// Whole device configuration images: the raw bytes a card returns for an extraction (32-byte
// header, 128-byte information block, records, and the block area of block-mapped maps).

#include "core/big_endian.h"
#include "format/image_types.h"
#include "model/zrp_file.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Replaces the whole content of map from a device image: the header of the protocol its
// information block names (else of the image header's protocol code) for device_code, then the
// register records; records that conflict or do not decode are left out. False when the header
// does not decode.
bool decode_map_image(zrp_file& map, const image_header& header, byte_reader& records,
                      const image_info_block& info, int device_code);

// Encodes map for device_code: the inverse of decoding, for maps whose values fit the image
// (names up to 19 characters, command mnemonics "C" + three characters or "XXXX"). Block-mapped
// maps with blocks carry the block flag and the 444-byte block area.
std::vector<std::uint8_t> encode_image(const zrp_file& map, int device_code);

// Decodes a whole raw image into map: splits it into header, information block and record
// area and calls decode_map_image. False when the image is shorter than its header and
// information block or the decode fails. The record area ends at the header's total length.
bool decode_raw_image(std::span<const std::uint8_t> image, int device_code, zrp_file& map);

// The map as a card of device_code holds it: its image decoded again into card_view, so that
// what an image cannot carry (the group name, values outside their fields) is gone. False when
// the image does not decode (a network map for a "WNT", whose information block counts as
// zero).
bool map_as_card_holds(const zrp_file& map, int device_code, zrp_file& card_view);
// What a comparison with the card says when map_as_card_holds is false.
inline constexpr const char* map_unfit_for_image_text =
    "The map cannot be carried by a device image.";

// Why map does not fit a device image for device_code (a value outside its field, a name or
// mnemonic the image cannot hold, too many registers), or an empty text when it fits.
std::string image_misfit(const zrp_file& map, int device_code);

// The block definitions an image carries after its records: 444 bytes when the information
// block names DeviceNet or EtherNet/IP ("DEVICENET", "ETHIP" with their terminating zero), else 0.
int image_block_allowance(const image_info_block& info);
// The size checks of an extraction on a record area of size bytes holding records records:
// the "Bad zrp data!" message of the first check that fails, or an empty text.
std::string image_size_problem(int size, int records, int allowance);
