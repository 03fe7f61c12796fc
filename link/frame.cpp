#include "link/frame.h"

std::uint8_t frame_checksum(const std::uint8_t* payload, std::size_t n) {
    std::uint8_t check = frame_etx;
    for (std::size_t i = 0; i < n; ++i)
        check ^= payload[i];
    // A zero check byte is never sent.
    return check == 0 ? 0xFF : check;
}

std::vector<std::uint8_t> build_frame(const std::uint8_t* payload, std::size_t n) {
    std::vector<std::uint8_t> frame;
    frame.reserve(n + 3);
    frame.push_back(frame_stx);
    frame.insert(frame.end(), payload, payload + n);
    frame.push_back(frame_etx);
    frame.push_back(frame_checksum(payload, n));
    return frame;
}
