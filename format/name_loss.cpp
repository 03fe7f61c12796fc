#include "format/name_loss.h"

#include "format/register_text.h"

#include "model/host_register.h"
#include "model/model_tables.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

bool has_space(std::string_view word) {
    return std::any_of(word.begin(), word.end(),
                       [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; });
}

// The format the register's line is written with: array registers are stored as format 0.
int written_format(const host_register& reg) {
    return is_array_parameter(reg.name) ? int{fmt_int_passthru} : reg.format;
}

bool writes_name(int format) {
    return format != fmt_commands && format != fmt_status && format != fmt_rom_constant;
}

bool values_follow_name(int format) {
    return format == fmt_int_numeric || format == fmt_int_dec_shift;
}

std::string mnemonic_loss(const host_register& reg) {
    for (int bit = 15; bit >= 0; --bit) {
        const std::string& m = reg.commands[static_cast<std::size_t>(bit)].mnemonic;
        const std::string which = "the command mnemonic of bit " + std::to_string(bit);
        if (has_space(m))
            return which + " holds white space: it would be read back as several";
        if (m.size() > register_mnemonic_limit)
            return which + " is longer than 4 characters: it would be cut";
    }
    return {};
}

} // namespace

std::string name_loss_on_save(const host_register& reg) {
    const int format = written_format(reg);
    if (format == fmt_commands)
        return mnemonic_loss(reg);
    if (!writes_name(format))
        return {};
    if (reg.name.empty())
        return values_follow_name(format)
                   ? "the parameter name is empty: the first value would be read as the name"
                   : std::string();
    if (has_space(reg.name))
        return "the parameter name holds white space: only its first word would be read back";
    if (reg.name.size() > register_name_limit)
        return "the parameter name is longer than 19 characters: it would be cut";
    if (reg.name.find("HREG") != std::string::npos)
        return "the parameter name holds HREG: the register's line would be skipped";
    return {};
}

bool loses_name_on_save(const host_register& reg) {
    return !name_loss_on_save(reg).empty();
}
