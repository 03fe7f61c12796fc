#include "format/map_read_report.h"

#include "core/text_lines.h"

bool is_non_text_byte(unsigned char c) {
    return (c < 0x20 && c != '\t' && c != '\r') || c == 0x7F;
}

std::string quoted_line(std::string_view text) {
    return c_quoted(text, true);
}

std::string unread_line::message() const {
    return "Line " + std::to_string(number) + " was not read as written: " + quoted_line(text);
}

std::string unread_lines_text(const std::vector<unread_line>& lines, std::size_t shown) {
    std::string out;
    for (std::size_t i = 0; i < lines.size() && i < shown; ++i) {
        if (i > 0)
            out += '\n';
        out += lines[i].message();
    }
    if (lines.size() > shown)
        out += "\nand " + std::to_string(lines.size() - shown) + " more";
    return out;
}
