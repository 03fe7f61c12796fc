#pragma once
// Big-endian fields of device images and frames: a bounds-checked reader over a byte range
// and an appending writer. Every multi-byte field on the wire goes through these.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

inline std::uint16_t be16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
inline std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           std::uint32_t(p[3]);
}

// Reads fields from a byte range; a read that would pass the end fails and leaves the position
// where it was, so a truncated image can never be read past its end.
class byte_reader {
  public:
    byte_reader() = default;
    explicit byte_reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool u8(std::uint8_t& out);
    bool u16(std::uint16_t& out);
    bool u32(std::uint32_t& out);
    // Copies n bytes.
    bool bytes(std::size_t n, std::vector<std::uint8_t>& out);
    bool skip(std::size_t n);

    std::size_t position() const { return pos_; }
    void seek(std::size_t pos) { pos_ = pos <= bytes_.size() ? pos : bytes_.size(); }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    std::span<const std::uint8_t> data() const { return bytes_; }

  private:
    // The next n bytes, moving past them; nothing, the position kept, when fewer are left.
    std::optional<std::span<const std::uint8_t>> take(std::size_t n);

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

class byte_writer {
  public:
    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void bytes(std::span<const std::uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
    // Writes text into a fixed slot of width bytes, zero-padded; the text is cut so that at
    // least one terminating zero byte remains.
    void text_slot(const std::string& text, std::size_t width);
    std::vector<std::uint8_t>& data() { return out_; }
    const std::vector<std::uint8_t>& data() const { return out_; }

  private:
    std::vector<std::uint8_t> out_;
};

// The text of a zero-terminated string stored in a fixed slot; stops at the slot's end when
// the terminating zero is missing.
std::string slot_text(std::span<const std::uint8_t> slot);
