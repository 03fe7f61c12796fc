#include "sim/card_faults.h"

#include <charconv>

namespace {

bool parse_number(std::string_view text, int& out, int least) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < least)
        return false;
    out = value;
    return true;
}

// NUMBER or NUMBER:COUNT; `count` keeps its default without the second part.
bool parse_fault_value(std::string_view text, card_fault& fault) {
    auto colon = text.find(':');
    if (!parse_number(text.substr(0, colon), fault.number, 1))
        return false;
    return colon == std::string_view::npos || parse_number(text.substr(colon + 1), fault.count, 0);
}

struct fault_option {
    std::string_view name;
    std::vector<card_fault> card_faults::*list; // nullptr: dead-after
    int default_count;                          // -1: "half the answer" for short answers
};

const fault_option fault_table[] = {
    {"refuse", &card_faults::refuse, 1},
    {"silent", &card_faults::silent, 1},
    {"short", &card_faults::cut_short, -1},
    {"garbage", &card_faults::garbage, 3},
    {"dead-after", nullptr, 0},
};

} // namespace

const std::vector<std::string_view>& card_fault_options() {
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> out;
        for (const auto& option : fault_table)
            out.push_back(option.name);
        return out;
    }();
    return names;
}

bool parse_card_fault(std::string_view option, std::string_view value, card_faults& faults,
                      std::string& error) {
    for (const auto& entry : fault_table) {
        if (entry.name != option)
            continue;
        if (!entry.list) {
            if (parse_number(value, faults.dead_after, 1))
                return true;
            error = "--" + std::string(option) + " wants a frame count, not '" +
                    std::string(value) + "'";
            return false;
        }
        card_fault fault{0, entry.default_count};
        if (!parse_fault_value(value, fault)) {
            error = "--" + std::string(option) + " wants NUMBER or NUMBER:COUNT, not '" +
                    std::string(value) + "'";
            return false;
        }
        (faults.*entry.list).push_back(fault);
        return true;
    }
    error = "unknown fault --" + std::string(option);
    return false;
}
