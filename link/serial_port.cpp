#include "link/serial_port.h"

#include <cctype>
#include <charconv>
#include <string_view>
#include <vector>

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool whole_number(std::string_view s, int& out) {
    if (s.empty())
        return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

} // namespace

bool parse_serial_settings(const std::string& text, serial_settings& out) {
    std::vector<std::string_view> fields;
    std::string_view rest(text);
    for (;;) {
        std::size_t comma = rest.find(',');
        fields.push_back(trim(rest.substr(0, comma)));
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    if (fields.size() != 4)
        return false;

    serial_settings parsed;
    if (!whole_number(fields[0], parsed.baud) || parsed.baud <= 0)
        return false;
    if (fields[1].size() != 1)
        return false;
    parsed.parity = static_cast<char>(std::tolower(static_cast<unsigned char>(fields[1][0])));
    if (std::string_view("neoms").find(parsed.parity) == std::string_view::npos)
        return false;
    if (!whole_number(fields[2], parsed.data_bits) || parsed.data_bits < 5 || parsed.data_bits > 8)
        return false;
    if (!whole_number(fields[3], parsed.stop_bits) ||
        (parsed.stop_bits != 1 && parsed.stop_bits != 2))
        return false;
    out = parsed;
    return true;
}
