#include "model/image_limits.h"

#include "model/host_register.h"
#include "model/model_tables.h"

#include <algorithm>

namespace {

constexpr int max_register_number = 65535;
constexpr int max_nibble = 15;
constexpr int max_negative = 3;
constexpr int max_byte = 255;

bool outside(long long v, long long low, long long high) {
    return v < low || v > high;
}

std::string range_text(const std::string& what, long long value, long long low, long long high) {
    return what + " " + std::to_string(value) + " is outside " + std::to_string(low) + " to " +
           std::to_string(high);
}

std::string bit_field(int bit) {
    return "Bit " + std::to_string(bit);
}

} // namespace

int image_max_whole_count(int device_code) {
    return device_code == device_rdx ? 1023 : 15;
}

bool image_carries_mnemonic(std::string_view mnemonic) {
    return mnemonic == "XXXX" || (mnemonic.size() == 4 && mnemonic[0] == 'C' &&
                                  mnemonic != "CXXX" && mnemonic.find('\0') == mnemonic.npos);
}

std::string image_mnemonic_code(std::string_view mnemonic) {
    if (mnemonic == "XXXX")
        return "XXX";
    return std::string(mnemonic.substr(mnemonic.empty() ? 0 : 1, 3));
}

std::string card_command_mnemonic(std::string_view mnemonic) {
    std::string code = image_mnemonic_code(mnemonic);
    // The card's text ends at a zero byte.
    code.resize(std::min(code.size(), code.find('\0')));
    return code == "XXX" ? std::string("XXXX") : "C" + code;
}

std::vector<image_misfit_item> register_image_misfits(const host_register& reg, int device_code) {
    std::vector<image_misfit_item> out;
    auto check = [&](const char* field, const char* what, long long value, long long high) {
        if (outside(value, 0, high))
            out.push_back({field, -1, what, range_text(what, value, 0, high)});
    };
    check("Register", "register number", reg.register_number, max_register_number);
    if (reg.name.size() > image_name_chars)
        out.push_back({"Parameter", -1, "parameter name",
                       "parameter name \"" + reg.name + "\" is longer than 19 characters"});
    check("Fractional words", "fraction count", reg.fraction_count, 1);
    check("Whole words", "whole count", reg.whole_count, image_max_whole_count(device_code));
    check("Format", "format", reg.format, max_nibble);
    check("Word order", "word order", reg.word_order, max_nibble);
    check("Negative", "negative handling", reg.negative, max_negative);
    check("Feeder", "feeder", reg.feeder, image_max_feeder);

    auto check_bit = [&](int bit, const char* what, long long value, long long high) {
        if (outside(value, 0, high))
            out.push_back({bit_field(bit), bit, what, range_text(what, value, 0, high)});
    };
    // Bits in the order the map file lists them: bit 15 first.
    if (reg.format == fmt_commands) {
        for (int bit = 15; bit >= 0; --bit) {
            const command_bit& c = reg.commands[static_cast<std::size_t>(bit)];
            if (!image_carries_mnemonic(c.mnemonic))
                out.push_back({bit_field(bit), bit, "command mnemonic",
                               "command mnemonic \"" + c.mnemonic +
                                   "\" is not \"XXXX\" or \"C\" and three characters; the card "
                                   "gets \"" +
                                   card_command_mnemonic(c.mnemonic) + "\""});
            check_bit(bit, "feeder", c.feeder, max_byte);
            check_bit(bit, "value code", c.value, max_nibble);
        }
    } else if (reg.format == fmt_status) {
        for (int bit = 15; bit >= 0; --bit) {
            const status_bit& s = reg.status[static_cast<std::size_t>(bit)];
            check_bit(bit, "feeder", s.feeder, max_byte);
            check_bit(bit, "bit position", s.bit_position, max_byte);
            check_bit(bit, "status code", s.code, max_nibble);
        }
    }
    return out;
}
