#pragma once
// A register's value as text (the read command's value field, the editor's value column)
// and the text a user types for a write turned into a value.

#include "live/live_value.h"
#include "live/value_layout.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// IEEE and KG floats with "%.7g"; any other whole number as an exact integer, else with
// "%.10g"; status values and array words as unsigned decimals (arrays separated by blanks);
// command and status words as 16 binary digits, bit 15 first; strings quoted.
std::string value_text(const value_layout& layout, const live_value& value);

// A number as value text writes it: float_style "%.7g", else an exact integer when it is a
// whole number and "%.10g" when it is not.
std::string number_text(double v, bool float_style);

// The text in double quotes with \" \\ \n \r \t and \xHH (upper-case hex) for every other
// byte below 0x20 or from 0x7F up.
std::string quoted_text(std::string_view text);

// Words as 4-digit upper-case hex separated by blanks.
std::string raw_text(std::span<const std::uint16_t> words);

// The value a user typed for a write to the register: a number (decimal, with a fraction or
// exponent), a 16-bit number (decimal or 0x hex) for a command word, the text itself for a
// string register. Nothing, with the message to show, when the text is not such a value or
// is outside the register's write range, or the register has no value rule (its note).
std::optional<live_value> parse_write_value(const value_layout& layout, std::string_view typed,
                                            std::string& message);
