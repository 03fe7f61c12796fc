#include "model/host_register.h"

#include "core/text_lines.h"
#include "model/image_limits.h"
#include "model/map_line_source.h"
#include "model/model_tables.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t max_name = host_register::max_name_length;
constexpr std::size_t max_mnemonic = host_register::max_mnemonic_length;
constexpr std::size_t name_slot = 20;
constexpr int bits = 16;

// Item k of a bitmapped line (and of an image record) belongs to bit 15 - k.
constexpr std::size_t bit_of_item(int k) {
    return static_cast<std::size_t>(bits - 1 - k);
}

// A word of a line; longer words than the field holds are cut, so that the items after
// them stay in their places.
bool take_word(field_scanner& fields, std::string& out, std::size_t max_chars) {
    std::string word;
    if (!fields.word(word))
        return false;
    out = word.substr(0, max_chars);
    return true;
}

void append_int(std::string& text, long long v) {
    text += std::to_string(v);
}

std::string status_text(int device_code, int code) {
    std::string_view m = status_mnemonic(device_code, code);
    return m.empty() ? std::string("XXX") : std::string(m);
}

} // namespace

host_register::host_register(zrp_file* file, int number) : owner(file) {
    register_number = number != -1 ? number : (file != nullptr ? file->next_free_register(0) : 0);
}

host_register::host_register(const host_register& source, bool renumber)
    : owner(source.owner), register_number(source.register_number), name(source.name),
      group_name(source.group_name), location(source.location),
      status_array_setting(source.status_array_setting), last_line_feeder(source.last_line_feeder),
      rom_constant(source.rom_constant), fraction_count(source.fraction_count),
      whole_count(source.whole_count), format(source.format), negative(source.negative),
      word_order(source.word_order), swap(source.swap), feeder(source.feeder),
      maximum(source.maximum), minimum(source.minimum), scale(source.scale),
      decimal_shift(source.decimal_shift) {
    if (renumber && owner != nullptr)
        register_number = owner->next_free_register(location);
}

int host_register::width() const {
    return static_cast<int>(std::clamp<long long>(
        static_cast<long long>(whole_count) + fraction_count, INT_MIN, INT_MAX));
}

std::string host_register::range_text() const {
    const long long words = static_cast<long long>(whole_count) + fraction_count;
    if (words <= 1)
        return std::to_string(register_number);
    return std::to_string(register_number) + '-' + std::to_string(register_number + words - 1);
}

int host_register::effective_format() const {
    return is_array_parameter(name) ? fmt_int_array : format;
}

int host_register::device_code() const {
    return owner != nullptr && owner->header ? owner->header->device_code : device_blf;
}

void host_register::write(std::ostream& out) {
    // Array registers are stored as pass-through integers; the name makes them arrays again.
    if (is_array_parameter(name))
        format = fmt_int_passthru;

    std::string text;
    text.reserve(96);
    for (int v : {register_number, fraction_count, whole_count, format, word_order, negative}) {
        append_int(text, v);
        text += ' ';
    }
    text += "F:";
    append_int(text, feeder);

    switch (format) {
    case fmt_rom_constant:
        text += " ROMConstant ";
        append_int(text, rom_constant);
        text += '\n';
        break;
    case fmt_commands:
        text += '\n';
        for (int k = 0; k < bits; ++k) {
            text += "F:";
            append_int(text, commands[bit_of_item(k)].feeder);
            text += ' ';
        }
        text += '\n';
        for (int k = 0; k < bits; ++k) {
            const std::string& m = commands[bit_of_item(k)].mnemonic;
            text += m.empty() ? std::string("XXXX") : m;
            text += ' ';
        }
        text += '\n';
        // Codes without a name of their own (6, 8 to 15) are written as "OFF", the value
        // they read back as.
        for (int k = 0; k < bits; ++k) {
            text += command_value_words().word_or_default(commands[bit_of_item(k)].value);
            text += ' ';
        }
        text += '\n';
        break;
    case fmt_status: {
        const int device = device_code();
        text += '\n';
        for (int k = 0; k < bits; ++k) {
            text += "F:";
            append_int(text, status[bit_of_item(k)].feeder);
            text += ' ';
        }
        text += '\n';
        // Codes without a mnemonic for the device are written as unused ("XXX").
        for (int k = 0; k < bits; ++k) {
            text += status_text(device, status[bit_of_item(k)].code);
            text += ' ';
        }
        text += '\n';
        for (int k = 0; k < bits; ++k) {
            append_int(text, static_cast<unsigned>(status[bit_of_item(k)].bit_position));
            text += ' ';
        }
        text += '\n';
        break;
    }
    default:
        text += ' ';
        text += name;
        if (format == fmt_int_dec_shift) {
            text += ' ';
            append_int(text, decimal_shift);
        } else if (format == fmt_int_numeric) {
            for (float v : {maximum, minimum, scale}) {
                text += ' ';
                text += format_g(v);
            }
        }
        text += '\n';
        break;
    }
    out << text;
}

bool host_register::read(std::istream& in) {
    map_line_source lines(in, nullptr);
    return read(lines);
}

bool host_register::read(map_line_source& lines) {
    std::string line;
    for (;;) {
        if (!lines.next(line))
            return false;
        if (is_blank_line(line))
            continue;
        if (line.find("HREG") == std::string::npos)
            break;
        // A line holding "HREG" is passed over; only the bare keyword line is meant to be.
        std::string first;
        if (!field_scanner(line).word(first) || first != "HREG")
            lines.not_as_written();
    }

    field_scanner fields(line);
    fields.integer(register_number);
    fields.integer(fraction_count);
    fields.integer(whole_count);
    fields.integer(format);
    fields.integer(word_order);
    fields.integer(negative);
    fields.skip_word(2); // "F:"
    fields.decimal(feeder);
    swap = format == fmt_string_val;

    switch (format) {
    case fmt_int_numeric:
        take_word(fields, name, max_name);
        fields.real(maximum);
        fields.real(minimum);
        fields.real(scale);
        break;
    case fmt_int_dec_shift:
        take_word(fields, name, max_name);
        fields.integer(decimal_shift);
        break;
    case fmt_rom_constant:
        fields.skip_word(); // "ROMConstant"
        fields.integer(rom_constant);
        break;
    case fmt_commands:
    case fmt_status: {
        if (fields.misread())
            lines.not_as_written();
        return read_bitmap(lines, line);
    }
    default:
        take_word(fields, name, max_name);
        break;
    }
    if (fields.misread())
        lines.not_as_written();
    return true;
}

bool host_register::read_bitmap(map_line_source& lines, const std::string& main_line) {
    const bool is_commands = format == fmt_commands;
    // The text may end inside the entry: the register is then dropped with the lines read of
    // it, and those are noted.
    std::vector<std::pair<int, std::string>> read_so_far{{lines.line_number(), main_line}};
    std::string line;
    auto next = [&] {
        if (lines.next(line)) {
            read_so_far.emplace_back(lines.line_number(), line);
            return true;
        }
        for (const auto& [number, text] : read_so_far)
            lines.not_as_written(number, text);
        return false;
    };

    if (!next())
        return false;
    field_scanner feeders(line);
    for (int k = 0; k < bits; ++k) {
        feeders.skip_word(2); // "F:"
        feeders.decimal(is_commands ? commands[bit_of_item(k)].feeder
                                    : status[bit_of_item(k)].feeder);
    }
    if (feeders.misread())
        lines.not_as_written();

    if (!next())
        return false;
    field_scanner mnemonics(line);
    const int device = device_code();
    for (int k = 0; k < bits; ++k) {
        std::string m;
        if (!take_word(mnemonics, m, max_mnemonic))
            break;
        if (is_commands)
            commands[bit_of_item(k)].mnemonic = m;
        else
            status[bit_of_item(k)].code = status_code(device, m);
    }

    if (!next())
        return false;
    field_scanner values(line);
    for (int k = 0; k < bits; ++k) {
        if (is_commands) {
            std::string v;
            if (!values.word(v))
                break;
            commands[bit_of_item(k)].value = command_value_words().code(v);
        } else {
            unsigned position = 0;
            if (!values.unsigned_decimal(position))
                break;
            status[bit_of_item(k)].bit_position = static_cast<int>(position);
        }
    }
    if (values.misread())
        lines.not_as_written();
    return true;
}

// Descriptor bits of an image record.
namespace {
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

bool host_register::decode_image(const image_header& /*header*/, byte_reader& records,
                                 const image_info_block& /*info*/, int device) {
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

    register_number = number;
    fraction_count = field(descriptor, fraction_shift, 0x1);
    whole_count = device == device_rdx ? static_cast<int>(descriptor & rdx_whole_mask)
                                       : field(descriptor, whole_shift, 0xF);
    format = fmt;
    word_order = field(descriptor, word_order_shift, 0xF);
    negative = field(descriptor, negative_shift, 0x3);
    feeder = field(descriptor, feeder_shift, 0x3F);
    name = slot_text(name_bytes).substr(0, max_name);
    swap = format == fmt_string_val;

    const std::uint8_t* p = extra.data();
    auto nibble = [&](std::size_t offset, int k) {
        const std::uint8_t byte = p[offset + static_cast<std::size_t>(k / 2)];
        return (k % 2 == 0) ? (byte & 0x0F) : (byte >> 4);
    };
    switch (fmt) {
    case fmt_int_numeric:
        maximum = std::bit_cast<float>(be32(p));
        minimum = std::bit_cast<float>(be32(p + 4));
        scale = std::bit_cast<float>(be32(p + 8));
        break;
    case fmt_int_dec_shift:
        decimal_shift = static_cast<std::int32_t>(be32(p));
        break;
    case fmt_rom_constant:
        rom_constant = static_cast<std::int32_t>(be32(p));
        break;
    case fmt_commands:
        for (int k = 0; k < bits; ++k) {
            command_bit& c = commands[bit_of_item(k)];
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
            status_bit& s = status[bit_of_item(k)];
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

void host_register::encode_image(byte_writer& out, int device) const {
    out.u16(static_cast<std::uint16_t>(register_number));
    std::uint32_t descriptor = put(fraction_count, fraction_shift, 0x1) |
                               put(format, format_shift, 0xF) |
                               put(word_order, word_order_shift, 0xF) |
                               put(negative, negative_shift, 0x3) | put(feeder, feeder_shift, 0x3F);
    descriptor |= device == device_rdx ? put(whole_count, 0, rdx_whole_mask)
                                       : put(whole_count, whole_shift, 0xF);
    out.u32(descriptor);
    out.text_slot(name, name_slot);

    auto nibbles = [&](auto code_of) {
        for (int k = 0; k < bits; k += 2)
            out.u8(static_cast<std::uint8_t>((code_of(k) & 0x0F) | ((code_of(k + 1) & 0x0F) << 4)));
    };
    switch (format & 0xF) {
    case fmt_int_numeric:
        for (float v : {maximum, minimum, scale})
            out.u32(std::bit_cast<std::uint32_t>(v));
        break;
    case fmt_int_dec_shift:
        out.u32(static_cast<std::uint32_t>(decimal_shift));
        break;
    case fmt_rom_constant:
        out.u32(static_cast<std::uint32_t>(rom_constant));
        break;
    case fmt_commands:
        for (int k = 0; k < bits; ++k)
            out.u8(static_cast<std::uint8_t>(commands[bit_of_item(k)].feeder));
        nibbles([&](int k) { return commands[bit_of_item(k)].value; });
        for (int k = 0; k < bits; ++k) {
            const std::string chars = image_mnemonic_code(commands[bit_of_item(k)].mnemonic);
            for (std::size_t i = 0; i < mnemonic_code; ++i)
                out.u8(i < chars.size() ? static_cast<std::uint8_t>(chars[i]) : 0);
        }
        break;
    case fmt_status:
        for (int k = 0; k < bits; ++k)
            out.u8(static_cast<std::uint8_t>(status[bit_of_item(k)].feeder));
        nibbles([&](int k) { return status[bit_of_item(k)].code; });
        for (int k = 0; k < bits; ++k)
            out.u8(static_cast<std::uint8_t>(status[bit_of_item(k)].bit_position));
        break;
    default:
        break;
    }
}
