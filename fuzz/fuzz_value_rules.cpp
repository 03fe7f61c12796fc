// Words off the wire and typed values for a register described by arbitrary bytes. The input
// is a map entry line, a line of typed text, then the words (two bytes each). Decoding must
// give a value or a note, never fail; a value decoded from the words must encode to words
// that decode to the same value text (where the rule keeps every value: not for the clamped
// numeric format, ROM constants, or KG floats below the smallest exponent); a typed value the rules
// accept must encode to the register's width. Nothing may crash or read out of bounds.

#include "format/register_text.h"
#include "live/value_rules.h"
#include "live/value_text.h"
#include "model/host_register.h"
#include "model/model_tables.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    auto first = input.find('\n');
    auto second = first == std::string::npos ? first : input.find('\n', first + 1);
    if (second == std::string::npos)
        return 0;
    host_register reg(nullptr, 0);
    std::istringstream entry(input.substr(0, first + 1));
    read_register(entry, reg);
    const std::string typed = input.substr(first + 1, second - first - 1);
    const std::string bytes = input.substr(second + 1);
    std::vector<std::uint16_t> wire;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        wire.push_back(static_cast<std::uint16_t>((static_cast<std::uint8_t>(bytes[i]) << 8) |
                                                  static_cast<std::uint8_t>(bytes[i + 1])));

    for (bool lsbyte_first : {false, true}) {
        const auto layout = layout_of(reg, lsbyte_first);
        const auto width =
            static_cast<std::size_t>(std::clamp(layout.width(), 0, max_register_words));
        auto decoded = decode_value(layout, wire);
        if (decoded.value.has_value() != decoded.note.empty())
            std::abort();
        const bool keeps_values = layout.format != fmt_int_numeric &&
                                  layout.format != fmt_rom_constant &&
                                  layout.kind != value_kind::kg_float;
        if (decoded.value && keeps_values) {
            auto text = value_text(layout, *decoded.value);
            auto again = decode_value(layout, encode_value(layout, *decoded.value));
            bool nan = decoded.value->type == live_value::kind::number &&
                       std::isnan(decoded.value->number);
            if (!again.value || (!nan && value_text(layout, *again.value) != text))
                std::abort();
        }
        std::string message;
        if (auto value = parse_write_value(layout, typed, message))
            if (encode_value(layout, *value).size() != width)
                std::abort();
    }
    return 0;
}
