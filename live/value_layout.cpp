#include "live/value_layout.h"

#include "live/live_messages.h"
#include "model/host_register.h"
#include "model/model_tables.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

struct format_rule {
    int format;
    value_kind kind;
    bool writable;
};

// Formats by value rule; a format 0 register on a string or status word parameter and the
// "ProcStat"/"AlarmStat" registers are decided by name before this table is asked.
constexpr format_rule format_rules[] = {
    {fmt_int_passthru, value_kind::integer, true},
    {fmt_int_numeric, value_kind::integer, true},
    {fmt_int_dec_shift, value_kind::integer, true},
    {fmt_commands, value_kind::commands, true},
    {fmt_status, value_kind::status_bits, false},
    {fmt_rom_constant, value_kind::integer, false},
    {fmt_siemens_float, value_kind::kg_float, true},
    {fmt_ieee_float, value_kind::ieee_float, true},
    {fmt_bitwrite_val, value_kind::integer, true},
    {fmt_string_val, value_kind::text, true},
    {fmt_status_val, value_kind::status_value, false},
    {fmt_int_array, value_kind::array, false},
};

const format_rule* rule_of(int format) {
    for (const auto& rule : format_rules)
        if (rule.format == format)
            return &rule;
    return nullptr;
}

// Whether W and F give a width the rule can carry.
bool width_fits(const value_layout& layout) {
    if (layout.whole < 0 || layout.fraction < 0 || layout.width() > max_register_words)
        return false;
    switch (layout.kind) {
    case value_kind::integer:
        return layout.width() >= 1 && layout.width() <= max_integer_words;
    case value_kind::ieee_float:
    case value_kind::kg_float:
        return layout.width() == 2;
    case value_kind::text:
    case value_kind::array:
        return layout.whole >= 1;
    case value_kind::status_value:
        return layout.whole >= 1 && layout.whole <= max_integer_words;
    case value_kind::commands:
    case value_kind::status_bits:
        return layout.width() == 1;
    }
    return false;
}

std::string problem_of(const value_layout& layout) {
    if (!rule_of(layout.format))
        return live_messages::unknown_format(layout.format);
    if (!width_fits(layout))
        return std::string(live_messages::width_misfit);
    if (layout.format == fmt_int_numeric && (layout.scale == 0 || !std::isfinite(layout.scale)))
        return std::string(live_messages::unusable_scale);
    if (layout.format == fmt_int_dec_shift &&
        (layout.decimal_shift < -8 || layout.decimal_shift > 8))
        return std::string(live_messages::shift_outside);
    return {};
}

} // namespace

int value_layout::width() const {
    return static_cast<int>(
        std::clamp<long long>(static_cast<long long>(whole) + fraction, INT_MIN, INT_MAX));
}

int value_layout::value_words() const {
    switch (kind) {
    case value_kind::text:
    case value_kind::status_value:
    case value_kind::array:
        return whole;
    default:
        return width();
    }
}

bool value_layout::writable() const {
    const auto* rule = rule_of(format);
    return rule && rule->writable && (kind != value_kind::status_value);
}

value_layout layout_of(const host_register& reg, bool lsbyte_first) {
    value_layout layout;
    layout.format = reg.effective_format();
    layout.whole = reg.whole_count;
    layout.fraction = reg.fraction_count;
    layout.reversed = reg.word_order == 6;
    layout.negative = reg.negative;
    layout.byte_swap = lsbyte_first;
    layout.minimum = reg.minimum;
    layout.maximum = reg.maximum;
    layout.scale = reg.scale;
    layout.decimal_shift = reg.decimal_shift;
    layout.rom_constant = reg.rom_constant;
    if (layout.format == fmt_int_passthru && is_string_parameter(reg.name)) {
        layout.kind = value_kind::text;
    } else if (layout.format == fmt_int_passthru && is_status_word_parameter(reg.name)) {
        layout.kind = value_kind::status_value;
    } else if (const auto* rule = rule_of(layout.format)) {
        layout.kind = rule->kind;
        layout.swapped = layout.format == fmt_string_val || layout.format == fmt_status_val;
    }
    layout.problem = problem_of(layout);
    return layout;
}
