#include "sim/feeder_values.h"

#include "core/number_parse.h"
#include "core/text_lines.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <sstream>

namespace {

constexpr std::size_t max_line = 4096;
constexpr int max_feeder = 63;
constexpr double wander_period_s = 60;

std::string_view trimmed(std::string_view text) {
    auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A number in decimal (with a fraction or exponent) or a whole number with 0x in hex.
std::optional<double> number_value(std::string_view text) {
    if (auto v = parse_whole_number(text))
        return v;
    return parse_decimal_number(text);
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

struct escape {
    char letter;
    char byte;
};
constexpr escape simple_escapes[] = {{'n', '\n'}, {'r', '\r'},  {'t', '\t'}, {'a', '\a'},
                                     {'b', '\b'}, {'f', '\f'},  {'v', '\v'}, {'\\', '\\'},
                                     {'"', '"'},  {'\'', '\''}, {'?', '?'}};

// A double-quoted string with C escapes and nothing after it; nothing when malformed.
std::optional<std::string> quoted_value(std::string_view text, std::string& why) {
    std::string out;
    std::size_t i = 1;
    while (i < text.size() && text[i] != '"') {
        char c = text[i++];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i >= text.size())
            break;
        char e = text[i++];
        bool known = false;
        for (const auto& s : simple_escapes)
            if (s.letter == e) {
                out += s.byte;
                known = true;
            }
        if (known)
            continue;
        int value = 0, digits = 0;
        if (e == 'x') {
            while (i < text.size() && digits < 2 && hex_digit(text[i]) >= 0) {
                value = value * 16 + hex_digit(text[i++]);
                ++digits;
            }
        } else if (e >= '0' && e <= '7') {
            value = e - '0';
            digits = 1;
            while (i < text.size() && digits < 3 && text[i] >= '0' && text[i] <= '7') {
                value = value * 8 + (text[i++] - '0');
                ++digits;
            }
        }
        if (digits == 0 || value > 0xFF) {
            why = "unknown escape in the string";
            return std::nullopt;
        }
        out += static_cast<char>(value);
    }
    if (i >= text.size()) {
        why = "the string has no closing quote";
        return std::nullopt;
    }
    if (!trimmed(text.substr(i + 1)).empty()) {
        why = "text after the closing quote";
        return std::nullopt;
    }
    return out;
}

std::optional<std::vector<std::uint16_t>> word_list(std::string_view text) {
    std::vector<std::uint16_t> words;
    while (true) {
        auto comma = text.find(',');
        auto v = parse_whole_number(trimmed(text.substr(0, comma)));
        if (!v || *v < 0 || *v > 0xFFFF)
            return std::nullopt;
        words.push_back(static_cast<std::uint16_t>(*v));
        if (comma == std::string_view::npos)
            return words;
        text.remove_prefix(comma + 1);
    }
}

// One line's value; nothing with the reason when it is not a value.
std::optional<live_value> line_value(std::string_view text, std::string& why) {
    if (text.front() == '"') {
        auto s = quoted_value(text, why);
        return s ? std::optional(live_value::of_text(*s)) : std::nullopt;
    }
    if (text.find(',') != std::string_view::npos) {
        auto words = word_list(text);
        if (!words)
            why = "array words must be numbers from 0 to 65535";
        return words ? std::optional(live_value::of_words(*words)) : std::nullopt;
    }
    auto number = number_value(text);
    if (!number)
        why = "not a number, a quoted string or a list of words: " + std::string(text);
    return number ? std::optional(live_value::of_number(*number)) : std::nullopt;
}

} // namespace

std::optional<feeder_values> feeder_values::parse(std::string_view text, std::string& error) {
    feeder_values values;
    std::istringstream in{std::string(text)};
    std::string line;
    for (int number = 1;; ++number) {
        auto status = read_line(in, line, max_line);
        if (status == line_status::end)
            break;
        auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(number) + ": " + why;
            return std::nullopt;
        };
        if (status == line_status::truncated)
            return fail("the line is too long");
        auto rest = trimmed(line);
        if (rest.empty() || rest.front() == '#')
            continue;
        if (rest.substr(0, 2) != "F:")
            return fail("expected F:<feeder> <name> <value>");
        rest.remove_prefix(2);
        int feeder = -1;
        auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), feeder);
        if (ec != std::errc() || feeder < 0 || feeder > max_feeder ||
            (end != rest.data() + rest.size() && *end != ' ' && *end != '\t'))
            return fail("the feeder must be a number from 0 to 63");
        rest = trimmed(rest.substr(static_cast<std::size_t>(end - rest.data())));
        auto blank = rest.find_first_of(" \t");
        if (rest.empty() || blank == std::string_view::npos)
            return fail("expected F:<feeder> <name> <value>");
        std::string name(rest.substr(0, blank));
        std::string why;
        auto value = line_value(trimmed(rest.substr(blank)), why);
        if (!value)
            return fail(why);
        values.entries_[{feeder, name}] = {std::move(*value), false};
    }
    return values;
}

live_value feeder_values::value(int feeder, const std::string& name, double t) const {
    auto it = entries_.find({feeder, name});
    if (it == entries_.end())
        return live_value::of_number(0);
    const auto& e = it->second;
    if (!wander_ || e.host_written || e.start.type != live_value::kind::number)
        return e.start;
    double v0 = e.start.number;
    double swing = 0.1 * std::sin(2 * std::numbers::pi * t / wander_period_s);
    return live_value::of_number(v0 == 0 ? swing : v0 * (1 + swing));
}

void feeder_values::set_by_host(int feeder, const std::string& name, live_value value) {
    entries_[{feeder, name}] = {std::move(value), true};
}
