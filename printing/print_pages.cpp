#include "printing/print_pages.h"

#include "core/input_file.h"
#include "core/text_lines.h"
#include "core/user_interface.h"

#include <algorithm>
#include <sstream>

namespace {
const char* const save_first = "You need to save the file before printing !";
}

int print_page_count(int line_count) {
    if (line_count <= 0)
        return 1;
    return (line_count + print_lines_per_page - 1) / print_lines_per_page;
}

print_line_range print_page_lines(int page, int line_count) {
    if (page < 1 || line_count <= 0)
        return {};
    const long long first = static_cast<long long>(page - 1) * print_lines_per_page;
    if (first >= line_count)
        return {};
    const long long end = std::min<long long>(first + print_lines_per_page, line_count);
    return {static_cast<int>(first), static_cast<int>(end)};
}

std::vector<std::string> read_print_lines(std::istream& in) {
    std::vector<std::string> lines;
    std::string line;
    while (read_line(in, line, print_line_length) != line_status::end)
        lines.push_back(line);
    return lines;
}

std::optional<print_document> prepare_print(const std::string& path, bool modified,
                                            user_interface& ui) {
    if (path.empty() || modified) {
        ui.message(save_first);
        return std::nullopt;
    }
    std::string contents;
    if (read_regular_file(path, contents) != file_read_result::ok) {
        ui.message("Failed to open File: " + path + " !\n" + save_first);
        return std::nullopt;
    }
    std::istringstream in(std::move(contents));
    print_document document;
    document.path = path;
    document.lines = read_print_lines(in);
    return document;
}
