#include "live/word_codec.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>

namespace word_codec {

namespace {

constexpr int kg_mantissa_bits = 23;
constexpr std::int32_t kg_mantissa_max = (1 << kg_mantissa_bits) - 1;

int bit_count(int count) {
    return 16 * count;
}

std::uint64_t mask_of(int bits) {
    return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
}

std::vector<std::uint16_t> pair(std::uint32_t value) {
    return {static_cast<std::uint16_t>(value >> 16), static_cast<std::uint16_t>(value & 0xFFFF)};
}

} // namespace

void swap_bytes(std::vector<std::uint16_t>& words) {
    for (auto& w : words)
        w = static_cast<std::uint16_t>((w << 8) | (w >> 8));
}

std::vector<std::uint16_t> unsigned_words(std::uint64_t value, int count) {
    std::vector<std::uint16_t> words(static_cast<std::size_t>(count));
    for (int i = count - 1; i >= 0; --i) {
        words[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(value & 0xFFFF);
        value = count > 4 ? 0 : value >> 16;
    }
    return words;
}

std::uint64_t words_value(std::span<const std::uint16_t> words) {
    std::uint64_t value = 0;
    for (auto w : words)
        value = (value << 16) | w;
    return value;
}

double integer_low(int count, sign_rule rule) {
    return rule == sign_rule::signed_range ? -std::ldexp(1.0, bit_count(count) - 1) : 0.0;
}

double integer_high(int count, sign_rule rule) {
    int bits = bit_count(count);
    return rule == sign_rule::signed_range ? std::ldexp(1.0, bits - 1) - 1
                                           : std::ldexp(1.0, bits) - 1;
}

std::uint64_t integer_bits(double r, int count, sign_rule rule) {
    if (std::isnan(r))
        return 0;
    const int bits = bit_count(count);
    const std::uint64_t mask = mask_of(bits);
    const double half = std::ldexp(1.0, bits - 1);
    double value = std::round(r);
    if (rule == sign_rule::signed_range) {
        if (value >= half)
            return (std::uint64_t{1} << (bits - 1)) - 1;
    } else if (value >= 2 * half) {
        return mask;
    }
    if (value < 0 && rule == sign_rule::force_zero)
        return 0;
    if (value < -half)
        value = -half;
    if (value < 0)
        return static_cast<std::uint64_t>(static_cast<std::int64_t>(value)) & mask;
    return static_cast<std::uint64_t>(value);
}

double integer_value(std::uint64_t bits, int count, bool is_signed) {
    const int width = bit_count(count);
    const std::uint64_t mask = mask_of(width);
    bits &= mask;
    if (is_signed && width <= 64 && (bits >> (width - 1)) & 1)
        return static_cast<double>(static_cast<std::int64_t>(bits | ~mask));
    return static_cast<double>(bits);
}

std::vector<std::uint16_t> ieee_words(double v) {
    float f;
    if (std::isfinite(v) && std::fabs(v) > FLT_MAX)
        f = v > 0 ? std::numeric_limits<float>::infinity()
                  : -std::numeric_limits<float>::infinity();
    else
        f = static_cast<float>(v);
    return pair(std::bit_cast<std::uint32_t>(f));
}

double ieee_value(std::uint16_t high, std::uint16_t low) {
    return std::bit_cast<float>((std::uint32_t{high} << 16) | low);
}

double kg_max() {
    return std::ldexp(static_cast<double>(kg_mantissa_max), 127 - kg_mantissa_bits);
}

std::vector<std::uint16_t> kg_words(double v) {
    const std::vector<std::uint16_t> zero{0x8000, 0x0000};
    if (v == 0 || std::isnan(v))
        return zero;
    int e = 0;
    double f = std::frexp(v, &e); // 0.5 <= |f| < 1, or f = v for infinities
    std::int32_t m = 0;
    if (std::isfinite(v)) {
        m = static_cast<std::int32_t>(std::round(std::ldexp(f, kg_mantissa_bits)));
        if (m == (1 << kg_mantissa_bits) || m == -(1 << kg_mantissa_bits)) {
            m /= 2; // rounding reached |m / 2^23| = 1: one more in the exponent
            ++e;
        }
    }
    if (!std::isfinite(v) || e > 127) {
        e = 127;
        m = v > 0 ? kg_mantissa_max : -kg_mantissa_max;
    }
    if (e < -128)
        return zero;
    auto bits =
        (static_cast<std::uint32_t>(e & 0xFF) << 24) | (static_cast<std::uint32_t>(m) & 0xFFFFFFu);
    return pair(bits);
}

double kg_value(std::uint16_t high, std::uint16_t low) {
    int e = static_cast<std::int8_t>(high >> 8);
    std::int32_t m = static_cast<std::int32_t>(((high & 0xFFu) << 16) | low);
    if (m & 0x800000)
        m -= 0x1000000;
    return std::ldexp(static_cast<double>(m), e - kg_mantissa_bits);
}

std::vector<std::uint16_t> text_words(const std::string& text, int count, bool low_first) {
    std::vector<std::uint16_t> words(static_cast<std::size_t>(count), 0);
    const std::size_t chars = std::min(text.size(), 2 * words.size());
    for (std::size_t i = 0; i < chars; ++i) {
        auto byte = static_cast<std::uint8_t>(text[i]);
        bool high = (i % 2 == 0) != low_first;
        words[i / 2] |= static_cast<std::uint16_t>(high ? byte << 8 : byte);
    }
    return words;
}

std::string words_text(std::span<const std::uint16_t> words, bool low_first) {
    std::string text;
    for (auto w : words) {
        char first = static_cast<char>(low_first ? w & 0xFF : w >> 8);
        char second = static_cast<char>(low_first ? w >> 8 : w & 0xFF);
        if (first == '\0')
            break;
        text += first;
        if (second == '\0')
            break;
        text += second;
    }
    return text;
}

} // namespace word_codec
