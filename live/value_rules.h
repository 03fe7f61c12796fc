#pragma once
// The value rules: how a register's words carry its value, in both directions. The card
// encodes a parameter's value into the register's words by these rules; the host decodes
// the words it reads by the same rules and encodes the values it writes with them. Words
// here are always the words on the wire: the header's byte order is applied inside.

#include "live/live_value.h"
#include "live/value_layout.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct decoded_value {
    std::optional<live_value> value;
    // Why there is no value (the layout's problem, or too few words), when value is empty.
    std::string note;
};

// Decodes the words read from the register (layout.width() of them, lowest address first).
// Never fails on odd input: a layout without a rule, or too few words, gives its note.
decoded_value decode_value(const value_layout& layout, std::span<const std::uint16_t> wire);

// The words (layout.width() of them, lowest address first) that carry value. A value of
// another kind than the rule's is taken as the card takes it (a number for a text register
// as its text, a text for a number register as 0). A layout without a rule gives zero words
// (no more than the address space holds).
std::vector<std::uint16_t> encode_value(const value_layout& layout, const live_value& value);

// The values a write may carry: what the register can carry as a value (signed registers
// their signed range, unsigned and force-to-0 registers from 0), divided back through the
// fraction words, scale or decimal shift; for format 1 also within minimum..maximum.
struct value_range {
    double low = 0, high = 0;
};
// The range of a numeric register (integers, floats, command words); nothing for text and
// for a register without a value rule.
std::optional<value_range> write_range(const value_layout& layout);
