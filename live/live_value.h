#pragma once
// A register's value as the host sees it: a number (integers, floats, status values and the
// bitmapped words), a text (strings) or a list of words (arrays).

#include <cstdint>
#include <string>
#include <vector>

struct live_value {
    enum class kind { number, text, words };

    kind type = kind::number;
    double number = 0;
    std::string text;
    std::vector<std::uint16_t> words;

    static live_value of_number(double v) { return {kind::number, v, {}, {}}; }
    static live_value of_text(std::string t) { return {kind::text, 0, std::move(t), {}}; }
    static live_value of_words(std::vector<std::uint16_t> w) {
        return {kind::words, 0, {}, std::move(w)};
    }
    bool operator==(const live_value&) const = default;
};
