#include "format/register_text.h"

#include "core/text_lines.h"
#include "format/map_line_source.h"
#include "model/host_register.h"
#include "model/model_tables.h"

#include <utility>
#include <vector>

namespace {

constexpr std::size_t max_name = register_name_limit;
constexpr std::size_t max_mnemonic = register_mnemonic_limit;
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

// Appends a line of the sixteen bit items, bit 15 first, each followed by a blank; item(bit)
// gives the text of one.
template <typename Item> void append_bit_line(std::string& text, Item item) {
    for (int k = 0; k < bits; ++k) {
        text += item(bit_of_item(k));
        text += ' ';
    }
    text += '\n';
}

// The feeders line of a bitmapped register ("F:n" a bit).
template <typename Bits> void append_feeder_line(std::string& text, Bits& bit_items) {
    append_bit_line(text,
                    [&](std::size_t bit) { return "F:" + std::to_string(bit_items[bit].feeder); });
}

std::string status_text(int device_code, int code) {
    std::string_view m = status_mnemonic(device_code, code);
    return m.empty() ? std::string("XXX") : std::string(m);
}

// The three lines after the main line of a bitmapped command or status entry.
bool read_bitmap(map_line_source& lines, const std::string& main_line, host_register& reg) {
    const bool is_commands = reg.format == fmt_commands;
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
        feeders.decimal(is_commands ? reg.commands[bit_of_item(k)].feeder
                                    : reg.status[bit_of_item(k)].feeder);
    }
    if (feeders.misread())
        lines.not_as_written();

    if (!next())
        return false;
    field_scanner mnemonics(line);
    const int device = register_device(reg);
    for (int k = 0; k < bits; ++k) {
        std::string m;
        if (!take_word(mnemonics, m, max_mnemonic))
            break;
        if (is_commands)
            reg.commands[bit_of_item(k)].mnemonic = m;
        else
            reg.status[bit_of_item(k)].code = status_code(device, m);
    }

    if (!next())
        return false;
    field_scanner values(line);
    for (int k = 0; k < bits; ++k) {
        if (is_commands) {
            std::string v;
            if (!values.word(v))
                break;
            reg.commands[bit_of_item(k)].value = command_value_words().code(v);
        } else {
            unsigned position = 0;
            if (!values.unsigned_decimal(position))
                break;
            reg.status[bit_of_item(k)].bit_position = static_cast<int>(position);
        }
    }
    if (values.misread())
        lines.not_as_written();
    return true;
}

} // namespace

void write_register(std::ostream& out, host_register& reg) {
    // Array registers are stored as pass-through integers; the name makes them arrays again.
    if (is_array_parameter(reg.name))
        reg.format = fmt_int_passthru;

    std::string text;
    text.reserve(96);
    for (int v : {reg.register_number, reg.fraction_count, reg.whole_count, reg.format,
                  reg.word_order, reg.negative}) {
        append_int(text, v);
        text += ' ';
    }
    text += "F:";
    append_int(text, reg.feeder);

    switch (reg.format) {
    case fmt_rom_constant:
        text += " ROMConstant ";
        append_int(text, reg.rom_constant);
        text += '\n';
        break;
    case fmt_commands:
        text += '\n';
        append_feeder_line(text, reg.commands);
        append_bit_line(text, [&](std::size_t bit) {
            const std::string& m = reg.commands[bit].mnemonic;
            return m.empty() ? std::string("XXXX") : m;
        });
        // Codes without a name of their own (6, 8 to 15) are written as "OFF", the value
        // they read back as.
        append_bit_line(text, [&](std::size_t bit) {
            return command_value_words().word_or_default(reg.commands[bit].value);
        });
        break;
    case fmt_status: {
        const int device = register_device(reg);
        text += '\n';
        append_feeder_line(text, reg.status);
        // Codes without a mnemonic for the device are written as unused ("XXX").
        append_bit_line(text,
                        [&](std::size_t bit) { return status_text(device, reg.status[bit].code); });
        append_bit_line(text, [&](std::size_t bit) {
            return std::to_string(static_cast<unsigned>(reg.status[bit].bit_position));
        });
        break;
    }
    default:
        text += ' ';
        text += reg.name;
        if (reg.format == fmt_int_dec_shift) {
            text += ' ';
            append_int(text, reg.decimal_shift);
        } else if (reg.format == fmt_int_numeric) {
            for (float v : {reg.maximum, reg.minimum, reg.scale}) {
                text += ' ';
                text += format_g(v);
            }
        }
        text += '\n';
        break;
    }
    out << text;
}

bool read_register(std::istream& in, host_register& reg) {
    map_line_source lines(in, nullptr);
    return read_register(lines, reg);
}

bool read_register(map_line_source& lines, host_register& reg) {
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
    fields.integer(reg.register_number);
    fields.integer(reg.fraction_count);
    fields.integer(reg.whole_count);
    fields.integer(reg.format);
    fields.integer(reg.word_order);
    fields.integer(reg.negative);
    fields.skip_word(2); // "F:"
    fields.decimal(reg.feeder);
    reg.swap = reg.format == fmt_string_val;

    switch (reg.format) {
    case fmt_int_numeric:
        take_word(fields, reg.name, max_name);
        fields.real(reg.maximum);
        fields.real(reg.minimum);
        fields.real(reg.scale);
        break;
    case fmt_int_dec_shift:
        take_word(fields, reg.name, max_name);
        fields.integer(reg.decimal_shift);
        break;
    case fmt_rom_constant:
        fields.skip_word(); // "ROMConstant"
        fields.integer(reg.rom_constant);
        break;
    case fmt_commands:
    case fmt_status: {
        if (fields.misread())
            lines.not_as_written();
        return read_bitmap(lines, line, reg);
    }
    default:
        take_word(fields, reg.name, max_name);
        break;
    }
    if (fields.misread())
        lines.not_as_written();
    return true;
}
