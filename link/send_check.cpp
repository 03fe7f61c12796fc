#include "link/send_check.h"

#include "core/text_lines.h"
#include "link/send_text.h"

#include <algorithm>
#include <sstream>

std::vector<map_finding> send_findings(const zrp_file& map, std::string_view file_text) {
    // A text with a line longer than a frame carries is not sent at all (the send says so
    // before the card sees any of it): there is nothing to ask about.
    std::istringstream in{std::string(file_text)};
    std::string line;
    for (line_status s; (s = read_line(in, line, max_send_line + 1)) != line_status::end;)
        if (s == line_status::truncated || line.size() > max_send_line)
            return {};
    return check_map(map, file_text, nullptr);
}

std::string send_anyway_question(const std::vector<map_finding>& findings) {
    std::string text = "The card would not get this map as it stands:\n";
    const std::size_t shown = std::min(findings.size(), send_question_findings);
    for (std::size_t i = 0; i < shown; ++i)
        text += findings[i].line() + '\n';
    if (findings.size() > shown)
        text += "and " + std::to_string(findings.size() - shown) + " more\n";
    return text + "\nSend anyway?";
}
