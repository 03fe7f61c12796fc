#pragma once
// Numbers a user or a text file writes, read whole: a field with anything else in it, blanks
// included, is no number. The value text of a live register and the emulator's values file
// read numbers this way.

#include <optional>
#include <string_view>

// A whole number written in decimal or, after 0x, in hex, with an optional sign.
std::optional<double> parse_whole_number(std::string_view text);

// A decimal number with an optional sign, fraction and exponent; nothing for anything else
// (hex floats, infinities and NaN included).
std::optional<double> parse_decimal_number(std::string_view text);
