#pragma once
// What reading a map's text met besides its values: the lines the reader could not read as
// written, and why a load failed. The reader keeps its tolerant rules (stored maps rely on
// them), but every line it had to guess at is named, so that nothing is lost silently.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A line of a map file that the reader could not read as written: a field where a number
// belongs whose text is not wholly a number, bytes that are not text, a line longer than the
// reader keeps, or a register line dropped for holding the word "HREG".
struct unread_line {
    int number = 0;   // counted from 1, as an editor numbers lines
    std::string text; // as read: without its line end, cut at the reader's line length
    bool operator==(const unread_line&) const = default;

    // Line N was not read as written: "<the line, quoted>"
    std::string message() const;
};

struct map_read_report {
    std::vector<unread_line> unread_lines;
    // The lines the device line and the header took; the register entries follow them.
    int header_lines = 0;
    // Why the load failed ("no NODENUM line", "not text", ...); empty after a load that
    // succeeded.
    std::string failure;
};

// The text between double quotes with C escapes, safe on a terminal and in a message box:
// \\, \", \t, \r, \n, and \xHH (upper-case hex) for every other byte below 0x20 or from 0x7F up.
std::string quoted_line(std::string_view text);

// True for the bytes a text line never holds: control characters other than tab and carriage
// return (NUL included), and DEL.
bool is_non_text_byte(unsigned char c);

// One message for all unread lines: their messages, one a line, the first `shown` of them,
// then "and N more" for the rest. Empty when there is none.
std::string unread_lines_text(const std::vector<unread_line>& lines, std::size_t shown = 20);
