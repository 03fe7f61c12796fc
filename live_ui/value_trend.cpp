#include "live_ui/value_trend.h"

#include <algorithm>
#include <cmath>

bool value_trend::add(double t, double value) {
    if (!std::isfinite(value) || !std::isfinite(t))
        return false;
    const auto number = static_cast<std::int64_t>(std::floor(t / slot_seconds));
    if (number < newest_)
        return false; // the clock never runs back; a reading from the past is not drawn
    if (!slots_)
        slots_ = std::make_unique<std::array<slot, slot_count>>();
    newest_ = number;
    auto& s = (*slots_)[static_cast<std::size_t>(number % slot_count)];
    if (s.number != number) {
        s = {value, value, value, number};
        return true;
    }
    const slot before = s;
    s.low = std::min(s.low, value);
    s.high = std::max(s.high, value);
    s.last = value;
    return s.low != before.low || s.high != before.high || s.last != before.last;
}

void value_trend::clear() {
    slots_.reset();
    newest_ = -1;
}

std::array<value_trend::slot, value_trend::slot_count> value_trend::window() const {
    std::array<slot, slot_count> out{};
    if (!slots_)
        return out;
    for (int i = 0; i < slot_count; ++i) {
        const std::int64_t number = newest_ - (slot_count - 1) + i;
        if (number < 0)
            continue;
        const auto& s = (*slots_)[static_cast<std::size_t>(number % slot_count)];
        if (s.number == number)
            out[static_cast<std::size_t>(i)] = s;
    }
    return out;
}

std::optional<value_trend::summary> value_trend::summarise() const {
    if (!slots_)
        return std::nullopt;
    std::optional<summary> out;
    for (const auto& s : window()) {
        if (s.number < 0)
            continue;
        if (!out)
            out = summary{s.low, s.high, s.last};
        out->low = std::min(out->low, s.low);
        out->high = std::max(out->high, s.high);
        out->last = s.last;
    }
    return out;
}
