#include "format/register_table.h"

#include "core/text_lines.h"
#include "format/csv_writer.h"
#include "model/host_register.h"
#include "model/zrp_file.h"

namespace {

constexpr word_code word_order_rows[] = {{"NORMAL", 0}, {"REVERSED", 6}};
constexpr word_code negative_rows[] = {{"SIGNED", 0}, {"UNSIGNED", 2}, {"FORCE_0", 3}};
const word_table word_order_table{word_order_rows, 0};
const word_table negative_table{negative_rows, 0};

std::array<std::string, table_column_count> make_column_names() {
    std::array<std::string, table_column_count> names = {
        "Register",    "Feeder",     "Parameter",     "Format",      "Fractional words",
        "Whole words", "Word order", "Negative",      "Swap",        "Maximum",
        "Minimum",     "Scale",      "Decimal shift", "ROM constant"};
    for (int bit = 15; bit >= 0; --bit)
        names[static_cast<std::size_t>(bit_column(bit))] = "Bit " + std::to_string(bit);
    return names;
}

std::string command_cell(const command_bit& c) {
    // As the map file writes a command bit: feeder, mnemonic (unset: "XXXX"), value name
    // (codes without a name as "OFF").
    return "F:" + std::to_string(c.feeder) + ' ' + (c.mnemonic.empty() ? "XXXX" : c.mnemonic) +
           ' ' + std::string(command_value_words().word_or_default(c.value));
}

std::string status_cell(const status_bit& s, int device_code) {
    // As the map file writes a status bit: codes without a mnemonic for the device as "XXX",
    // the bit position as an unsigned number.
    const std::string_view m = status_mnemonic(device_code, s.code);
    return "F:" + std::to_string(s.feeder) + ' ' + std::string(m.empty() ? "XXX" : m) + ' ' +
           std::to_string(static_cast<unsigned>(s.bit_position));
}

} // namespace

const std::array<std::string, table_column_count>& table_column_names() {
    static const std::array<std::string, table_column_count> names = make_column_names();
    return names;
}

const word_table& table_word_order_words() {
    return word_order_table;
}
const word_table& table_negative_words() {
    return negative_table;
}

int saved_format(const host_register& reg) {
    return is_array_parameter(reg.name) ? fmt_int_passthru : reg.format;
}

bool format_writes_name(int format) {
    return format != fmt_commands && format != fmt_status && format != fmt_rom_constant;
}

std::string word_or_number(const word_table& table, int code) {
    if (auto word = table.word(code))
        return std::string(*word);
    return std::to_string(code);
}

register_row register_row_cells(const host_register& reg) {
    register_row row;
    const int format = saved_format(reg);
    row[col_register] = std::to_string(reg.register_number);
    row[col_feeder] = std::to_string(reg.feeder);
    if (format_writes_name(format))
        row[col_parameter] = reg.name;
    row[col_format] = is_array_parameter(reg.name) ? std::string("INT_ARRAY")
                                                   : word_or_number(format_names(), format);
    row[col_fractional_words] = std::to_string(reg.fraction_count);
    row[col_whole_words] = std::to_string(reg.whole_count);
    row[col_word_order] = word_or_number(word_order_table, reg.word_order);
    row[col_negative] = word_or_number(negative_table, reg.negative);
    row[col_swap] = format == fmt_string_val   ? "STRING_SWAP"
                    : format == fmt_status_val ? "STATUS_SWAP"
                                               : "NO_SWAP";
    switch (format) {
    case fmt_int_numeric:
        row[col_maximum] = format_g(reg.maximum);
        row[col_minimum] = format_g(reg.minimum);
        row[col_scale] = format_g(reg.scale);
        break;
    case fmt_int_dec_shift:
        row[col_decimal_shift] = std::to_string(reg.decimal_shift);
        break;
    case fmt_rom_constant:
        row[col_rom_constant] = std::to_string(reg.rom_constant);
        break;
    case fmt_commands:
        for (int bit = 0; bit < 16; ++bit)
            row[static_cast<std::size_t>(bit_column(bit))] =
                command_cell(reg.commands[static_cast<std::size_t>(bit)]);
        break;
    case fmt_status: {
        const int device = register_device(reg);
        for (int bit = 0; bit < 16; ++bit)
            row[static_cast<std::size_t>(bit_column(bit))] =
                status_cell(reg.status[static_cast<std::size_t>(bit)], device);
        break;
    }
    default:
        break;
    }
    return row;
}

std::string export_register_table(const zrp_file& map) {
    csv_writer out;
    for (const std::string& name : table_column_names())
        out.field(name);
    out.end_record();
    for (const auto& reg : map.registers) {
        for (const std::string& cell : register_row_cells(*reg))
            out.field(cell);
        out.end_record();
    }
    return out.take();
}
