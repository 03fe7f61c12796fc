#include "link/platform/serial_port_names.h"

#include <cctype>
#include <charconv>
#include <string_view>

namespace {
constexpr std::string_view com_prefix = "COM";
constexpr std::string_view serial_device_prefix = "/dev/ttyS";

// A decimal number without sign or leading zeros, from 0 to max.
std::optional<unsigned> plain_number(std::string_view digits, unsigned max) {
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0'))
        return std::nullopt;
    for (char c : digits)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
    unsigned value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || value > max)
        return std::nullopt;
    return value;
}
} // namespace

std::optional<unsigned> com_number(const std::string& name) {
    if (name.size() <= com_prefix.size())
        return std::nullopt;
    for (std::size_t i = 0; i < com_prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != com_prefix[i])
            return std::nullopt;
    std::optional<unsigned> n =
        plain_number(std::string_view(name).substr(com_prefix.size()), max_com_number);
    if (!n || *n == 0)
        return std::nullopt;
    return n;
}

std::string port_device_path(const std::string& name) {
    if (std::optional<unsigned> n = com_number(name))
        return std::string(serial_device_prefix) + std::to_string(*n - 1);
    return name;
}

std::optional<std::string> com_name_for_device(const std::string& path, unsigned highest) {
    std::string_view p(path);
    if (p.substr(0, serial_device_prefix.size()) != serial_device_prefix)
        return std::nullopt;
    std::optional<unsigned> index =
        plain_number(p.substr(serial_device_prefix.size()), max_com_number - 1);
    if (!index || *index + 1 > highest)
        return std::nullopt;
    return std::string(com_prefix) + std::to_string(*index + 1);
}
