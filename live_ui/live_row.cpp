#include "live_ui/live_row.h"

#include "live/live_messages.h"
#include "live/poll_plan.h"
#include "live/value_text.h"
#include "model/model_tables.h"

#include <algorithm>
#include <cmath>

namespace {

std::string format_text_of(const value_layout& layout) {
    switch (layout.kind) {
    case value_kind::text:
        return "STRING_VAL";
    case value_kind::status_value:
        return "STATUS_VAL";
    case value_kind::array:
        return "INT_ARRAY";
    default:
        return std::string(format_names().word_or_default(layout.format));
    }
}

bool is_float(const value_layout& layout) {
    return layout.kind == value_kind::ieee_float || layout.kind == value_kind::kg_float;
}

} // namespace

std::string age_text(double seconds) {
    const auto s = static_cast<long long>(std::max(0.0, std::floor(seconds)));
    if (s < 60)
        return std::to_string(s) + " s";
    if (s < 3600)
        return std::to_string(s / 60) + " min";
    return std::to_string(s / 3600) + " h";
}

live_row live_row::of(const live_register& reg, std::optional<bit_names> bits) {
    live_row row;
    row.reg = reg;
    row.bits = std::move(bits);
    row.register_text = std::to_string(reg.number);
    if (reg.layout.width() > 1)
        row.register_text +=
            "-" + std::to_string(static_cast<long long>(reg.number) + reg.layout.width() - 1);
    row.format_text = format_text_of(reg.layout);
    return row;
}

bool live_row::shows(const live_register& other, const std::optional<bit_names>& other_bits) const {
    return reg.number == other.number && reg.feeder == other.feeder && reg.name == other.name &&
           reg.layout == other.layout && bits == other_bits;
}

bool live_row::has_trend() const {
    switch (reg.layout.kind) {
    case value_kind::integer:
    case value_kind::ieee_float:
    case value_kind::kg_float:
    case value_kind::status_value:
        return true;
    default:
        return false;
    }
}

bool live_row::writable() const {
    return reg.layout.writable() && reg.layout.problem.empty() &&
           holding_address(reg.number, reg.layout.width()).has_value();
}

cell_mask live_row::set_status(std::string text, bool failed_now, double now) {
    if (!write_note.empty()) {
        if (now < note_until)
            text = write_note;
        else
            write_note.clear();
    }
    cell_mask changed = 0;
    if (text != status_text || failed_now != failed)
        changed |= cell_bit(col_status);
    status_text = std::move(text);
    failed = failed_now;
    return changed;
}

cell_mask live_row::set_age(double now, const live_timing& timing) {
    cell_mask changed = 0;
    std::string age = last_good < 0 ? std::string() : ::age_text(now - last_good);
    if (age != age_text) {
        age_text = std::move(age);
        changed |= cell_bit(col_age);
    }
    const bool stale_now = last_good >= 0 && now - last_good > timing.stale_after;
    if (stale_now != stale) {
        stale = stale_now;
        changed |= whole_row;
    }
    return changed;
}

cell_mask live_row::take(const register_reading& reading, double now, const live_timing& timing) {
    cell_mask changed = 0;
    if (reading.value) {
        std::string text = ::value_text(reg.layout, *reading.value);
        if (text != value_text) {
            // The first value is news, not a change.
            if (value) {
                highlighted = true;
                highlight_until = now + timing.highlight_for;
            }
            value_text = std::move(text);
            changed |= cell_bit(col_value);
        }
        value = reading.value;
        last_good = now;
        if (has_trend() && reading.value->type == live_value::kind::number &&
            trend.add(now, reading.value->number))
            changed |= cell_bit(col_trend);
    }
    if (!reading.raw.empty() || reading.value) {
        std::string raw = ::raw_text(reading.raw);
        if (raw != raw_text) {
            raw_text = std::move(raw);
            changed |= cell_bit(col_raw);
        }
    }
    std::string status = reading.value           ? std::string("OK")
                         : reading.error.empty() ? std::string(live_messages::no_answer)
                                                 : reading.error;
    changed |= set_status(std::move(status), !reading.value, now);
    return changed | set_age(now, timing);
}

cell_mask live_row::take_failure(std::string reason, double now, const live_timing& timing) {
    return set_status(std::move(reason), true, now) | set_age(now, timing);
}

cell_mask live_row::end_highlight(double now) {
    if (!highlighted || now < highlight_until)
        return 0;
    highlighted = false;
    return cell_bit(col_value);
}

cell_mask live_row::note_write(std::string note, double until) {
    write_note = std::move(note);
    note_until = until;
    if (write_note == status_text)
        return 0;
    status_text = write_note;
    return cell_bit(col_status);
}

std::string live_row::trend_text() const {
    auto summary = trend.summarise();
    if (!summary)
        return {};
    const bool f = is_float(reg.layout);
    return "min " + number_text(summary->low, f) + ", max " + number_text(summary->high, f) +
           ", last " + number_text(summary->last, f);
}

std::string live_row::bits_text() const {
    if (!bits)
        return {};
    const bool have = value && value->type == live_value::kind::number;
    const auto word = have ? static_cast<unsigned>(value->number) : 0u;
    std::string text;
    for (int k = 15; k >= 0; --k) {
        text += "Bit " + std::to_string(k) + ": " + (*bits)[static_cast<std::size_t>(k)];
        if (have)
            text += ((word >> k) & 1u) ? " = 1" : " = 0";
        if (k > 0)
            text += "\n";
    }
    return text;
}

std::string live_row::edit_text() const {
    if (!value)
        return {};
    if (value->type == live_value::kind::text)
        return value->text;
    return value_text;
}
