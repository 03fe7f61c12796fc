#include "live/live_messages.h"

#include <array>

namespace live_messages {

namespace {

struct exception_row {
    int code;
    std::string_view name;
};

constexpr std::array<exception_row, 9> exception_names{{
    {1, "Illegal function"},
    {2, "Illegal data address"},
    {3, "Illegal data value"},
    {4, "Server device failure"},
    {5, "Acknowledge"},
    {6, "Server device busy"},
    {8, "Memory parity error"},
    {10, "Gateway path unavailable"},
    {11, "Gateway target device failed to respond"},
}};

} // namespace

std::string unknown_format(int format) {
    return "no value rule for format " + std::to_string(format);
}

std::string out_of_range(std::string_view typed, std::string_view low, std::string_view high) {
    return "Value out of range: " + std::string(typed) + " is outside " + std::string(low) +
           " to " + std::string(high) + ".";
}

std::string could_not_connect(std::string_view target, std::string_view reason) {
    return "Could not connect to " + std::string(target) + ": " + std::string(reason);
}

std::string not_a_number(std::string_view typed) {
    return "Not a number: " + std::string(typed) + ".";
}

std::string read_only(int number) {
    return "Register " + std::to_string(number) + " is read-only.";
}

std::string not_in_map(int number) {
    return "Register " + std::to_string(number) + " is not in the map.";
}

std::string register_note(int number, std::string_view note) {
    return "Register " + std::to_string(number) + ": " + std::string(note);
}

std::string exception_name(int code) {
    for (const auto& row : exception_names)
        if (row.code == code)
            return std::string(row.name);
    return "Exception " + std::to_string(code);
}

} // namespace live_messages
