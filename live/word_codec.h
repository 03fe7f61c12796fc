#pragma once
// The word-level pieces of the value rules: byte and word order, n-word integers with
// saturation, the two float layouts and packed strings. Each works on words in value order
// (most significant first) unless it says otherwise.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace word_codec {

// Both bytes of every word swapped.
void swap_bytes(std::vector<std::uint16_t>& words);

// The words of an unsigned integer of `count` words, most significant first.
std::vector<std::uint16_t> unsigned_words(std::uint64_t value, int count);
// The unsigned integer the words (most significant first, at most four) carry.
std::uint64_t words_value(std::span<const std::uint16_t> words);

// R rounded to nearest (halves away from zero) and saturated for an integer of `count`
// words: signed keeps the two's-complement range; unsigned sends a negative value as its
// two's-complement bits (saturating at the signed minimum) and saturates above; force_zero
// sends a negative value as 0. NaN gives 0. The result is the integer's bits.
enum class sign_rule { signed_range, unsigned_bits, force_zero };
std::uint64_t integer_bits(double r, int count, sign_rule rule);
// The integer the bits of a `count`-word register stand for (sign-extended when signed).
double integer_value(std::uint64_t bits, int count, bool is_signed);
// Lowest and highest integer a `count`-word register carries by the rule.
double integer_low(int count, sign_rule rule);
double integer_high(int count, sign_rule rule);

// IEEE 754 binary32 in two words.
std::vector<std::uint16_t> ieee_words(double v);
double ieee_value(std::uint16_t high, std::uint16_t low);

// The KG float: high byte of the high word the exponent e (8-bit two's complement), the
// other 24 bits the mantissa m (two's complement), v = m / 2^23 * 2^e, normalised to
// 0.5 <= |m / 2^23| < 1; zero is e = -128, m = 0. Too large a value saturates; too small
// a value gives zero.
std::vector<std::uint16_t> kg_words(double v);
double kg_value(std::uint16_t high, std::uint16_t low);
// The largest magnitude a KG float carries.
double kg_max();

// Two characters a word, padded with NUL bytes and cut at 2 * count characters; the first
// character in the high byte, or in the low byte when low_first.
std::vector<std::uint16_t> text_words(const std::string& text, int count, bool low_first);
// The characters of the words up to the first NUL byte.
std::string words_text(std::span<const std::uint16_t> words, bool low_first);

} // namespace word_codec
