#include "live/value_rules.h"

#include "live/live_messages.h"
#include "live/word_codec.h"
#include "model/model_tables.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>

namespace {

using word_codec::sign_rule;

sign_rule sign_rule_of(const value_layout& layout) {
    if (layout.is_signed())
        return sign_rule::signed_range;
    return layout.negative == negative_force_0 ? sign_rule::force_zero : sign_rule::unsigned_bits;
}

// Multiplies by 10^shift (shift -8..8) exactly where a double can: dividing by 10^-shift
// rather than multiplying by an inexact 0.01.
double shift_up(double v, int shift) {
    double p = std::pow(10.0, std::abs(shift));
    return shift >= 0 ? v * p : v / p;
}

// x from v: the register's scaling (format 1 clamps first).
double scaled(const value_layout& layout, double v) {
    switch (layout.format) {
    case fmt_int_numeric: {
        double lo = std::fmin(layout.minimum, layout.maximum);
        double hi = std::fmax(layout.minimum, layout.maximum);
        return std::fmin(std::fmax(v, lo), hi) * layout.scale;
    }
    case fmt_int_dec_shift:
        return shift_up(v, layout.decimal_shift);
    case fmt_rom_constant:
        return layout.rom_constant;
    default:
        return v;
    }
}

// v from x: the inverse of scaled.
double unscaled(const value_layout& layout, double x) {
    switch (layout.format) {
    case fmt_int_numeric:
        return x / layout.scale;
    case fmt_int_dec_shift:
        return shift_up(x, -layout.decimal_shift);
    default:
        return x;
    }
}

// Value-order words (most significant first) to wire order and back: word order, then the
// byte swaps. Both directions are the same permutation.
void to_wire(std::vector<std::uint16_t>& words, bool reversed, bool swap) {
    if (reversed)
        std::reverse(words.begin(), words.end());
    if (swap)
        word_codec::swap_bytes(words);
}

double as_number(const live_value& value) {
    switch (value.type) {
    case live_value::kind::number:
        return value.number;
    case live_value::kind::words:
        return value.words.empty() ? 0 : value.words.front();
    case live_value::kind::text:
        break;
    }
    return 0;
}

std::string as_text(const live_value& value) {
    if (value.type == live_value::kind::text)
        return value.text;
    if (value.type == live_value::kind::number) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.10g", value.number);
        return buffer;
    }
    return {};
}

std::vector<std::uint16_t> as_words(const live_value& value) {
    if (value.type == live_value::kind::words)
        return value.words;
    if (value.type == live_value::kind::number)
        return {static_cast<std::uint16_t>(
            word_codec::integer_bits(value.number, 1, sign_rule::unsigned_bits))};
    return {};
}

std::vector<std::uint16_t> encode_words(const value_layout& layout, const live_value& value) {
    const bool swap = layout.byte_swap;
    std::vector<std::uint16_t> words;
    switch (layout.kind) {
    case value_kind::integer: {
        double r = std::ldexp(scaled(layout, as_number(value)), 16 * layout.fraction);
        auto bits = word_codec::integer_bits(r, layout.width(), sign_rule_of(layout));
        words = word_codec::unsigned_words(bits, layout.width());
        to_wire(words, layout.reversed, swap);
        break;
    }
    case value_kind::ieee_float:
        words = word_codec::ieee_words(as_number(value));
        to_wire(words, layout.reversed, swap);
        break;
    case value_kind::kg_float:
        words = word_codec::kg_words(as_number(value));
        to_wire(words, layout.reversed, swap);
        break;
    case value_kind::status_value: {
        auto bits =
            word_codec::integer_bits(as_number(value), layout.whole, sign_rule::unsigned_bits);
        words = word_codec::unsigned_words(bits, layout.whole);
        to_wire(words, layout.reversed, swap != layout.swapped);
        break;
    }
    case value_kind::text:
        words = word_codec::text_words(as_text(value), layout.whole, layout.swapped);
        to_wire(words, false, swap);
        break;
    case value_kind::array:
        words = as_words(value);
        words.resize(static_cast<std::size_t>(layout.whole), 0);
        to_wire(words, false, swap);
        break;
    case value_kind::commands:
    case value_kind::status_bits:
        words = {static_cast<std::uint16_t>(
            word_codec::integer_bits(as_number(value), 1, sign_rule::unsigned_bits))};
        to_wire(words, false, swap);
        break;
    }
    return words;
}

live_value decode_words(const value_layout& layout, std::vector<std::uint16_t> words) {
    const bool swap = layout.byte_swap;
    switch (layout.kind) {
    case value_kind::integer: {
        to_wire(words, layout.reversed, swap);
        double r = word_codec::integer_value(word_codec::words_value(words), layout.width(),
                                             layout.is_signed());
        return live_value::of_number(unscaled(layout, std::ldexp(r, -16 * layout.fraction)));
    }
    case value_kind::ieee_float:
        to_wire(words, layout.reversed, swap);
        return live_value::of_number(word_codec::ieee_value(words[0], words[1]));
    case value_kind::kg_float:
        to_wire(words, layout.reversed, swap);
        return live_value::of_number(word_codec::kg_value(words[0], words[1]));
    case value_kind::status_value:
        to_wire(words, layout.reversed, swap != layout.swapped);
        return live_value::of_number(static_cast<double>(word_codec::words_value(words)));
    case value_kind::text:
        to_wire(words, false, swap);
        return live_value::of_text(word_codec::words_text(words, layout.swapped));
    case value_kind::array:
        to_wire(words, false, swap);
        return live_value::of_words(std::move(words));
    case value_kind::commands:
    case value_kind::status_bits:
        to_wire(words, false, swap);
        return live_value::of_number(words[0]);
    }
    return {};
}

} // namespace

decoded_value decode_value(const value_layout& layout, std::span<const std::uint16_t> wire) {
    if (!layout.problem.empty())
        return {std::nullopt, layout.problem};
    if (wire.size() < static_cast<std::size_t>(layout.width()))
        return {std::nullopt, std::string(live_messages::width_misfit)};
    std::vector<std::uint16_t> words(wire.begin(), wire.begin() + layout.value_words());
    return {decode_words(layout, std::move(words)), {}};
}

std::vector<std::uint16_t> encode_value(const value_layout& layout, const live_value& value) {
    const auto width = static_cast<std::size_t>(std::clamp(layout.width(), 0, max_register_words));
    if (!layout.problem.empty())
        return std::vector<std::uint16_t>(width, 0);
    auto words = encode_words(layout, value);
    words.resize(width, 0); // the words after W of strings, status values and arrays
    return words;
}

std::optional<value_range> write_range(const value_layout& layout) {
    if (!layout.problem.empty())
        return std::nullopt;
    switch (layout.kind) {
    case value_kind::ieee_float:
        return value_range{-FLT_MAX, FLT_MAX};
    case value_kind::kg_float:
        return value_range{-word_codec::kg_max(), word_codec::kg_max()};
    case value_kind::commands:
    case value_kind::status_bits:
        return value_range{0, 65535};
    case value_kind::integer:
        break;
    default:
        return std::nullopt;
    }
    auto rule = sign_rule_of(layout);
    double a = unscaled(
        layout, std::ldexp(word_codec::integer_low(layout.width(), rule), -16 * layout.fraction));
    double b = unscaled(
        layout, std::ldexp(word_codec::integer_high(layout.width(), rule), -16 * layout.fraction));
    value_range range{std::fmin(a, b), std::fmax(a, b)};
    if (layout.format == fmt_int_numeric) {
        range.low = std::fmax(range.low, std::fmin(layout.minimum, layout.maximum));
        range.high = std::fmin(range.high, std::fmax(layout.minimum, layout.maximum));
    }
    return range;
}
