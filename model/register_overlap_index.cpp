#include "model/register_overlap_index.h"

#include "model/host_register.h"

#include <algorithm>
#include <iterator>

namespace {
long long width_of(const host_register& reg) {
    return static_cast<long long>(reg.whole_count) + reg.fraction_count;
}
} // namespace

bool register_overlap_index::conflicts(int number, long long width) const {
    if (!ascending_numbers_.empty() && number <= ascending_numbers_.back() &&
        std::binary_search(ascending_numbers_.begin(), ascending_numbers_.end(), number))
        return true;
    if (!other_numbers_.empty() && other_numbers_.count(number) != 0)
        return true;
    if (width <= 0)
        return false;
    const long long last = static_cast<long long>(number) + width - 1;
    if (!ascending_ranges_.empty() && number <= ascending_ranges_.back().second) {
        auto it = std::upper_bound(ascending_ranges_.begin(), ascending_ranges_.end(), last,
                                   [](long long v, const range& r) { return v < r.first; });
        if (it != ascending_ranges_.begin() && std::prev(it)->second >= number)
            return true;
    }
    if (!other_ranges_.empty()) {
        auto it = other_ranges_.upper_bound(last);
        if (it != other_ranges_.begin() && std::prev(it)->second >= number)
            return true;
    }
    return false;
}

void register_overlap_index::insert(int number, long long width) {
    if (ascending_numbers_.empty() || number > ascending_numbers_.back())
        ascending_numbers_.push_back(number);
    else
        other_numbers_.insert(number);
    if (width <= 0)
        return;
    const range r{number, static_cast<long long>(number) + width - 1};
    if (ascending_ranges_.empty() || r.first > ascending_ranges_.back().first)
        ascending_ranges_.push_back(r);
    else
        other_ranges_.insert(r);
}

bool register_overlap_index::conflicts(const host_register& reg) const {
    return conflicts(reg.register_number, width_of(reg));
}

void register_overlap_index::insert(const host_register& reg) {
    insert(reg.register_number, width_of(reg));
}

std::string conflicting_register_message(const host_register& reg) {
    return "Conflicting Register Ignored\nRegister Num: " + std::to_string(reg.register_number) +
           "\nParameter: " + reg.name;
}
