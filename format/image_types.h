#pragma once
// The fixed parts of a device configuration image.

#include <array>
#include <cstdint>

// The 32-byte header of a device configuration image (big-endian fields).
using image_header = std::array<std::uint8_t, 32>;
// The 128-byte information block that follows it (protocol keyword and settings as text).
using image_info_block = std::array<std::uint8_t, 128>;
