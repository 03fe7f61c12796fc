#include "format/ip_address.h"

std::string format_dotted(std::uint32_t address) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (shift != 24)
            text += '.';
        text += std::to_string((address >> shift) & 0xFF);
    }
    return text;
}

std::uint32_t parse_dotted(std::string_view text) {
    std::uint32_t parts[4] = {0, 0, 0, 0};
    int part = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            parts[part] = (parts[part] * 10 + static_cast<std::uint32_t>(c - '0')) & 0xFF;
        } else if (c == '.') {
            if (++part == 4)
                break; // anything after the fourth part is ignored
        } else {
            break; // the address ends at the first character that is neither digit nor dot
        }
    }
    return (parts[0] << 24) | (parts[1] << 16) | (parts[2] << 8) | parts[3];
}
