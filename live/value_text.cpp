#include "live/value_text.h"

#include "core/number_parse.h"
#include "core/text_lines.h"
#include "live/live_messages.h"
#include "live/value_rules.h"

#include <cmath>
#include <cstdio>

namespace {

bool is_float_kind(value_kind kind) {
    return kind == value_kind::ieee_float || kind == value_kind::kg_float;
}

std::string binary_word(double number) {
    auto word = static_cast<unsigned>(number) & 0xFFFFu;
    std::string bits(16, '0');
    for (int bit = 0; bit < 16; ++bit)
        if (word & (1u << bit))
            bits[static_cast<std::size_t>(15 - bit)] = '1';
    return bits;
}

} // namespace

std::string number_text(double v, bool float_style) {
    if (v == 0)
        v = 0; // no "-0"
    char buffer[400];
    if (float_style)
        std::snprintf(buffer, sizeof buffer, "%.7g", v);
    else if (std::isfinite(v) && v == std::trunc(v))
        std::snprintf(buffer, sizeof buffer, "%.0f", v);
    else
        std::snprintf(buffer, sizeof buffer, "%.10g", v);
    return buffer;
}

std::string quoted_text(std::string_view text) {
    return c_quoted(text, true);
}

std::string raw_text(std::span<const std::uint16_t> words) {
    std::string out;
    char buffer[8];
    for (auto w : words) {
        std::snprintf(buffer, sizeof buffer, "%04X", static_cast<unsigned>(w));
        if (!out.empty())
            out += ' ';
        out += buffer;
    }
    return out;
}

std::string value_text(const value_layout& layout, const live_value& value) {
    switch (layout.kind) {
    case value_kind::text:
        return quoted_text(value.text);
    case value_kind::array: {
        std::string out;
        for (auto w : value.words)
            out += (out.empty() ? "" : " ") + std::to_string(w);
        return out;
    }
    case value_kind::commands:
    case value_kind::status_bits:
        return binary_word(value.number);
    default:
        return number_text(value.number, is_float_kind(layout.kind));
    }
}

std::optional<live_value> parse_write_value(const value_layout& layout, std::string_view typed,
                                            std::string& message) {
    if (!layout.problem.empty()) {
        message = layout.problem;
        return std::nullopt;
    }
    if (layout.kind == value_kind::text)
        return live_value::of_text(std::string(typed));
    auto range = write_range(layout);
    auto number = layout.kind == value_kind::commands ? parse_whole_number(typed)
                                                      : parse_decimal_number(typed);
    if (!range || !number) {
        message = live_messages::not_a_number(typed);
        return std::nullopt;
    }
    if (*number < range->low || *number > range->high) {
        bool float_style = is_float_kind(layout.kind);
        message = live_messages::out_of_range(typed, number_text(range->low, float_style),
                                              number_text(range->high, float_style));
        return std::nullopt;
    }
    return live_value::of_number(*number);
}
