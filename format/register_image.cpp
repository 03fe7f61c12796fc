#include "format/register_image.h"

#include "format/image_limits.h"
#include "format/register_text.h"
#include "model/host_register.h"
#include "model/model_tables.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace {

constexpr std::size_t max_name = register_name_limit;
constexpr std::size_t name_slot = 20;
constexpr int bits = 16;

// Item k of an image record belongs to bit 15 - k.
constexpr std::size_t bit_of_item(int k) {
    return static_cast<std::size_t>(bits - 1 - k);
}

// Descriptor bits of an image record.
constexpr int fraction_shift = 31;
constexpr int whole_shift = 27; // 4 bits, every device but "RDX"
constexpr int format_shift = 23;
constexpr int word_order_shift = 19;
constexpr int negative_shift = 17;
constexpr int feeder_shift = 10;
constexpr std::uint32_t rdx_whole_mask = 0x3FF; // bits 0 to 9 for "RDX"
constexpr std::size_t mnemonic_code = 3;

int field(std::uint32_t descriptor, int shift, std::uint32_t mask) {
    return static_cast<int>((descriptor >> shift) & mask);
}
std::uint32_t put(long long value, int shift, std::uint32_t mask) {
    return (static_cast<std::uint32_t>(value) & mask) << shift;
}
} // namespace

bool decode_register_image(host_register& reg, byte_reader& records, int device) {
    std::uint16_t number = 0;
    std::uint32_t descriptor = 0;
    std::vector<std::uint8_t> name_bytes;
    if (!records.u16(number) || !records.u32(descriptor) || !records.bytes(name_slot, name_bytes))
        return false;

    const int fmt = field(descriptor, format_shift, 0xF);
    std::vector<std::uint8_t> extra;
    const std::size_t extra_size = fmt == fmt_int_numeric     ? 12
                                   : fmt == fmt_int_dec_shift ? 4
                                   : fmt == fmt_rom_constant  ? 4
                                   : fmt == fmt_commands      ? 72
                                   : fmt == fmt_status        ? 40
                                                              : 0;
    if (!records.bytes(extra_size, extra))
        return false;

    reg.register_number = number;
    reg.fraction_count = field(descriptor, fraction_shift, 0x1);
    reg.whole_count = device == device_rdx ? static_cast<int>(descriptor & rdx_whole_mask)
                                           : field(descriptor, whole_shift, 0xF);
    reg.format = fmt;
    reg.word_order = field(descriptor, word_order_shift, 0xF);
    reg.negative = field(descriptor, negative_shift, 0x3);
    reg.feeder = field(descriptor, feeder_shift, 0x3F);
    reg.name = slot_text(name_bytes).substr(0, max_name);
    reg.swap = reg.format == fmt_string_val;

    const std::uint8_t* p = extra.data();
    auto nibble = [&](std::size_t offset, int k) {
        const std::uint8_t byte = p[offset + static_cast<std::size_t>(k / 2)];
        return (k % 2 == 0) ? (byte & 0x0F) : (byte >> 4);
    };
    switch (fmt) {
    case fmt_int_numeric:
        reg.maximum = std::bit_cast<float>(be32(p));
        reg.minimum = std::bit_cast<float>(be32(p + 4));
        reg.scale = std::bit_cast<float>(be32(p + 8));
        break;
    case fmt_int_dec_shift:
        reg.decimal_shift = static_cast<std::int32_t>(be32(p));
        break;
    case fmt_rom_constant:
        reg.rom_constant = static_cast<std::int32_t>(be32(p));
        break;
    case fmt_commands:
        for (int k = 0; k < bits; ++k) {
            command_bit& c = reg.commands[bit_of_item(k)];
            c.feeder = p[k]; // feeders and bit positions are unsigned bytes
            c.value = nibble(16, k);
            if (c.value == 7)
                c.value = 5;
            const char* code = reinterpret_cast<const char*>(p + 24 + mnemonic_code * k);
            const std::string chars(code, std::find(code, code + mnemonic_code, '\0'));
            c.mnemonic = chars == "XXX" ? std::string("XXXX") : "C" + chars;
        }
        break;
    case fmt_status:
        for (int k = 0; k < bits; ++k) {
            status_bit& s = reg.status[bit_of_item(k)];
            s.feeder = p[k];
            s.code = nibble(16, k);
            s.bit_position = p[24 + k];
        }
        break;
    default:
        break;
    }
    return true;
}

void encode_register_image(const host_register& reg, byte_writer& out, int device) {
    out.u16(static_cast<std::uint16_t>(reg.register_number));
    std::uint32_t descriptor =
        put(reg.fraction_count, fraction_shift, 0x1) | put(reg.format, format_shift, 0xF) |
        put(reg.word_order, word_order_shift, 0xF) | put(reg.negative, negative_shift, 0x3) |
        put(reg.feeder, feeder_shift, 0x3F);
    descriptor |= device == device_rdx ? put(reg.whole_count, 0, rdx_whole_mask)
                                       : put(reg.whole_count, whole_shift, 0xF);
    out.u32(descriptor);
    out.text_slot(reg.name, name_slot);

    auto nibbles = [&](auto code_of) {
        for (int k = 0; k < bits; k += 2)
            out.u8(static_cast<std::uint8_t>((code_of(k) & 0x0F) | ((code_of(k + 1) & 0x0F) << 4)));
    };
    switch (reg.format & 0xF) {
    case fmt_int_numeric:
        for (float v : {reg.maximum, reg.minimum, reg.scale})
            out.u32(std::bit_cast<std::uint32_t>(v));
        break;
    case fmt_int_dec_shift:
        out.u32(static_cast<std::uint32_t>(reg.decimal_shift));
        break;
    case fmt_rom_constant:
        out.u32(static_cast<std::uint32_t>(reg.rom_constant));
        break;
    case fmt_commands:
        for (int k = 0; k < bits; ++k)
            out.u8(static_cast<std::uint8_t>(reg.commands[bit_of_item(k)].feeder));
        nibbles([&](int k) { return reg.commands[bit_of_item(k)].value; });
        for (int k = 0; k < bits; ++k) {
            const std::string chars = image_mnemonic_code(reg.commands[bit_of_item(k)].mnemonic);
            for (std::size_t i = 0; i < mnemonic_code; ++i)
                out.u8(i < chars.size() ? static_cast<std::uint8_t>(chars[i]) : 0);
        }
        break;
    case fmt_status:
        for (int k = 0; k < bits; ++k)
            out.u8(static_cast<std::uint8_t>(reg.status[bit_of_item(k)].feeder));
        nibbles([&](int k) { return reg.status[bit_of_item(k)].code; });
        for (int k = 0; k < bits; ++k)
            out.u8(static_cast<std::uint8_t>(reg.status[bit_of_item(k)].bit_position));
        break;
    default:
        break;
    }
}
