#include "core/big_endian.h"

#include <algorithm>

bool byte_reader::u8(std::uint8_t& out) {
    if (remaining() < 1)
        return false;
    out = bytes_[pos_++];
    return true;
}

bool byte_reader::u16(std::uint16_t& out) {
    if (remaining() < 2)
        return false;
    out = be16(bytes_.data() + pos_);
    pos_ += 2;
    return true;
}

bool byte_reader::u32(std::uint32_t& out) {
    if (remaining() < 4)
        return false;
    out = be32(bytes_.data() + pos_);
    pos_ += 4;
    return true;
}

bool byte_reader::bytes(std::size_t n, std::vector<std::uint8_t>& out) {
    if (remaining() < n)
        return false;
    out.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
               bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
    pos_ += n;
    return true;
}

bool byte_reader::skip(std::size_t n) {
    if (remaining() < n)
        return false;
    pos_ += n;
    return true;
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
