#include "core/big_endian.h"

#include <algorithm>

std::optional<std::span<const std::uint8_t>> byte_reader::take(std::size_t n) {
    if (remaining() < n)
        return std::nullopt;
    const std::span<const std::uint8_t> taken = bytes_.subspan(pos_, n);
    pos_ += n;
    return taken;
}

bool byte_reader::u8(std::uint8_t& out) {
    const auto taken = take(1);
    if (taken)
        out = taken->front();
    return taken.has_value();
}

bool byte_reader::u16(std::uint16_t& out) {
    const auto taken = take(2);
    if (taken)
        out = be16(taken->data());
    return taken.has_value();
}

bool byte_reader::u32(std::uint32_t& out) {
    const auto taken = take(4);
    if (taken)
        out = be32(taken->data());
    return taken.has_value();
}

bool byte_reader::bytes(std::size_t n, std::vector<std::uint8_t>& out) {
    const auto taken = take(n);
    if (taken)
        out.assign(taken->begin(), taken->end());
    return taken.has_value();
}

bool byte_reader::skip(std::size_t n) {
    return take(n).has_value();
}

void byte_writer::u16(std::uint16_t v) {
    out_.push_back(static_cast<std::uint8_t>(v >> 8));
    out_.push_back(static_cast<std::uint8_t>(v));
}

void byte_writer::u32(std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out_.push_back(static_cast<std::uint8_t>(v >> shift));
}

void byte_writer::text_slot(const std::string& text, std::size_t width) {
    if (width == 0)
        return;
    std::size_t n = std::min(text.size(), width - 1);
    out_.insert(out_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
    out_.insert(out_.end(), width - n, 0);
}

std::string slot_text(std::span<const std::uint8_t> slot) {
    auto end = std::find(slot.begin(), slot.end(), std::uint8_t{0});
    return std::string(slot.begin(), end);
}
