#pragma once
// What a printed register list holds: the saved file's text lines, cut into pages of 66
// lines. Toolkit-free; the painting of a page is CRegisterPrinter's.

#include <istream>
#include <optional>
#include <string>
#include <vector>

constexpr int print_lines_per_page = 66;
// Lines are read as the map reader reads them: at most 255 characters, longer ones are cut.
constexpr std::size_t print_line_length = 255;

// The pages needed for line_count lines: at least one, even for an empty file.
int print_page_count(int line_count);

// The lines of page (1-based) as [first, end) indices into the print lines; empty for a page
// past the end.
struct print_line_range {
    int first = 0;
    int end = 0;
};
print_line_range print_page_lines(int page, int line_count);

// Reads every line of in (without line breaks).
std::vector<std::string> read_print_lines(std::istream& in);

// The print job of a saved document: its path and lines.
class user_interface;

struct print_document {
    std::string path;
    std::vector<std::string> lines;
    int page_count() const { return print_page_count(static_cast<int>(lines.size())); }
};

// Prepares printing the document saved at path. A document never saved (empty path) or
// modified since, or a file that cannot be opened, is refused with the matching message
// through ui; nothing is returned then.
std::optional<print_document> prepare_print(const std::string& path, bool modified,
                                            user_interface& ui);
