#pragma once
// Whole device configuration images: the raw bytes a card returns for an extraction (32-byte
// header, 128-byte information block, records, and the block area of block-mapped maps).

#include "model/zrp_file.h"

#include <cstdint>
#include <span>
#include <vector>

// Encodes map for device_code: the inverse of decoding, for maps whose values fit the image
// (names up to 19 characters, command mnemonics "C" + three characters or "XXXX"). Block-mapped
// maps with blocks carry the block flag and the 444-byte block area.
std::vector<std::uint8_t> encode_image(const zrp_file& map, int device_code);

// Decodes a whole raw image into map: splits it into header, information block and record
// area and calls zrp_file::decode_image. False when the image is shorter than its header and
// information block or the decode fails. The record area ends at the header's total length.
bool decode_raw_image(std::span<const std::uint8_t> image, int device_code, zrp_file& map);
