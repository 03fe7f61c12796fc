#pragma once
// A host register's record in a device image: number, descriptor, name slot and the values of
// its format (26 to 98 bytes).

#include "core/big_endian.h"

#include <cstddef>

class host_register;

// The shortest image record: number, descriptor and name slot.
inline constexpr std::size_t register_record_min_size = 26;

// Reads one record for a device; false when it cannot be read in full.
bool decode_register_image(host_register& reg, byte_reader& records, int device_code);
// Appends the record: the inverse of decode_register_image.
void encode_register_image(const host_register& reg, byte_writer& out, int device_code);
