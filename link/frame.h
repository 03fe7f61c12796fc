#pragma once
// The acknowledged frame of the card protocol: STX, payload, ETX, block check.

#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr std::uint8_t frame_stx = 0x02;
inline constexpr std::uint8_t frame_etx = 0x03;
inline constexpr std::uint8_t frame_ack = 0x06;
// Transmissions of one frame before the sender gives up.
inline constexpr int frame_transmissions = 3;

// The block check: XOR of the payload bytes and ETX (STX excluded); a zero XOR is sent as
// 0xFF so that the check byte is never 0.
std::uint8_t frame_checksum(const std::uint8_t* payload, std::size_t n);

// The whole frame for a payload: n + 3 bytes.
std::vector<std::uint8_t> build_frame(const std::uint8_t* payload, std::size_t n);
