#include "editing/register_cells.h"

#include "format/name_loss.h"
#include "model/host_register.h"
#include "model/model_tables.h"

#include <cstdio>

namespace {

constexpr std::array<register_column, register_column_count> columns{{
    {"Reg#", 50},
    {"Fdr#", 50},
    {"Parameter", 150},
    {"Format (Scaling)", 120},
    {"Num Frac", 70},
    {"Num Whole", 70},
    {"Scaling", 120},
    {"Word Order", 80},
    {"Neg.Handling", 80},
    {"Max Value", 80},
    {"Min Value", 80},
    {"Scale Factor", 100},
}};

// Multipliers shown for decimal shifts -8 to 8.
constexpr std::array<std::string_view, 17> multipliers{
    "0.00000001", "0.0000001", "0.000001", "0.00001",  "0.0001",   "0.001",
    "0.01",       "0.1",       "1",        "10",       "100",      "1000",
    "10000",      "100000",    "1000000",  "10000000", "100000000"};

constexpr int word_order_reversed = 6;

std::string format_int(int value) {
    return std::to_string(value);
}

std::string format_fixed(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    return buffer;
}

// "%s (%i)"
std::string word_and_code(std::string_view word, int code) {
    std::string text(word);
    text += " (";
    text += std::to_string(code);
    text += ')';
    return text;
}

std::string not_applicable() {
    return "N/A";
}

std::string word_order_cell(const host_register& reg) {
    return word_and_code(reg.word_order == word_order_reversed ? "REVERSED" : "N/A",
                         reg.word_order);
}

std::string negative_cell(const host_register& reg) {
    return word_and_code(negative_words().word_or_default(reg.negative), reg.negative);
}

std::string decimal_shift_cell(int shift) {
    if (shift < -8 || shift > 8) // only a hand-edited file holds such a shift
        return word_and_code("N/A", shift);
    return word_and_code(multipliers[static_cast<std::size_t>(shift + 8)], shift);
}

} // namespace

const std::array<register_column, register_column_count>& register_columns() {
    return columns;
}

std::array<std::string, register_column_count> register_cells(const host_register& reg) {
    // "ProcStat" and "AlarmStat" registers are arrays wherever they are shown, also after a
    // save has stored them with format 0.
    const int own = reg.effective_format();
    const int shown = is_status_word_parameter(reg.name) ? int{fmt_status_val} : own;
    const bool string_name = is_string_parameter(reg.name);

    std::array<std::string, register_column_count> cell;
    cell[0] = format_int(reg.register_number);
    cell[1] = format_int(reg.feeder);
    if (shown != fmt_commands && shown != fmt_status && shown != fmt_rom_constant)
        cell[parameter_column] = reg.name;
    if (loses_name_on_save(reg)) {
        std::string marked(name_loss_marker);
        if (!cell[parameter_column].empty())
            marked += ' ' + cell[parameter_column];
        cell[parameter_column] = marked;
    }
    if (shown == fmt_int_passthru && reg.fraction_count == 0 && reg.whole_count == 2)
        cell[3] = "INT_LONG";
    else if (string_name)
        cell[3] = "STRING_VAL";
    else
        cell[3] = std::string(format_names().word_or_default(shown));
    cell[4] = format_int(reg.fraction_count);
    cell[5] = format_int(reg.whole_count);
    cell[6] = format_int(shown);
    cell[7] = word_order_cell(reg);
    cell[8] = negative_cell(reg);
    cell[9] = cell[10] = cell[11] = not_applicable();
    const std::string na_negative = word_and_code("N/A", reg.negative);

    switch (shown) {
    case fmt_int_passthru:
        if (string_name)
            cell[6] = word_and_code(reg.swap ? "STRING_SWAP" : "NO_SWAP", shown);
        break;
    case fmt_int_numeric:
        cell[9] = format_fixed(reg.maximum);
        cell[10] = format_fixed(reg.minimum);
        cell[11] = format_fixed(reg.scale);
        break;
    case fmt_int_dec_shift:
        cell[11] = decimal_shift_cell(reg.decimal_shift);
        break;
    case fmt_commands:
    case fmt_status:
        cell[8] = na_negative;
        break;
    case fmt_rom_constant:
        cell[9] = "RC " + format_int(reg.rom_constant);
        break;
    case fmt_ieee_float:
        cell[7] = word_and_code(reg.word_order == word_order_reversed ? "REVERSED" : "NORMAL",
                                reg.word_order);
        cell[8] = na_negative;
        break;
    case fmt_string_val:
        cell[6] = word_and_code(reg.swap ? "STRING_SWAP" : "NO_SWAP", shown);
        cell[8] = na_negative;
        break;
    case fmt_status_val:
        cell[6] = word_and_code(own == fmt_status_val ? "STATUS_SWAP" : "NO_SWAP", own);
        cell[8] = na_negative;
        break;
    case fmt_int_array:
        cell[6] = format_int(shown - fmt_int_array);
        break;
    case fmt_siemens_float:
    case fmt_bitwrite_val:
        cell[4] = not_applicable();
        cell[6] = word_and_code("N/A", shown);
        break;
    default:
        break;
    }
    return cell;
}

std::string parameter_cell_tip(const host_register& reg) {
    const std::string why = name_loss_on_save(reg);
    if (why.empty())
        return {};
    return "Saving does not keep this register as it is: " + why + ".";
}
