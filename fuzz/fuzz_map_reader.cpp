// Reads arbitrary bytes as a register map and checks that saving is a fixed point: load, save,
// load the saved text, save again, and the two saved texts are the same. Every input must end
// in a loaded map or a failed load, never in a crash or a hang. And the reader names every line
// it did not read as written: checked against a reading of the lines of its own, by whole
// blank-separated words, that knows only which fields hold numbers.

#include "core/silent_ui.h"
#include "fuzz/map_round_trip.h"
#include "model/map_read_report.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kept = 255; // characters the reader keeps of a line

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> words_of(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (char c : line) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

// True when the whole word is a number by the rules of strtoll with base (0: C prefixes).
bool whole_integer(const std::string& word, int base, long long* value = nullptr) {
    char* end = nullptr;
    const long long v = std::strtoll(word.c_str(), &end, base);
    if (value)
        *value = v;
    return !word.empty() && end == word.c_str() + word.size();
}

// Whether a register main line's numbers are all numbers as written: the six integers, and the
// feeder after its two-character token. format is set when the line is.
bool main_line_as_written(const std::string& line, long long& format) {
    const std::vector<std::string> words = words_of(line);
    for (std::size_t i = 0; i < 6 && i < words.size(); ++i) {
        long long v = 0;
        if (!whole_integer(words[i], 0, &v))
            return false;
        if (i == 3)
            format = v;
    }
    if (words.size() <= 6)
        return true;
    const std::string& token = words[6];
    if (token.size() > 2)
        return whole_integer(token.substr(2), 10);
    return words.size() <= 7 || whole_integer(words[7], 10);
}

bool has_non_text(const std::string& line) {
    return std::any_of(line.begin(), line.end(),
                       [](char c) { return is_non_text_byte(static_cast<unsigned char>(c)); });
}

// The numbers of the lines that must be named.
std::set<int> lines_to_name(const std::string& text, int header_lines) {
    std::set<int> out;
    const std::vector<std::string> lines = lines_of(text);
    int continuation = 0;
    // After a line not read as written the reader may take later lines otherwise than these
    // words say (a format read from part of a field): only the plain checks go on from there.
    bool in_step = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::string& raw = lines[i];
        const bool cr_end = !raw.empty() && raw.back() == '\r';
        std::string line = raw.substr(0, kept);
        if (raw.size() <= kept && cr_end)
            line.pop_back();
        if (raw.size() > kept + (cr_end ? 1 : 0) || has_non_text(line))
            out.insert(number);
        if (number <= header_lines || !in_step)
            continue;
        if (continuation > 0) {
            --continuation; // feeder, mnemonic and value lines: checked by the reader itself
            continue;
        }
        const std::vector<std::string> words = words_of(line);
        if (words.empty() || line.find_first_not_of(" \t") == std::string::npos)
            continue;
        if (line.find("HREG") != std::string::npos) {
            if (words.front() != "HREG")
                out.insert(number);
            continue;
        }
        long long format = 0;
        if (!main_line_as_written(line, format)) {
            out.insert(number);
            in_step = false;
        } else if (format == 3 || format == 4) {
            continuation = 3;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static silent_ui quiet;
    scoped_ui use(quiet);

    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    zrp_file map;
    map_read_report report;
    if (!map.read(in, report))
        return 0;

    std::set<int> named;
    for (const unread_line& line : report.unread_lines)
        named.insert(line.number);
    for (int number : lines_to_name(text, report.header_lines))
        if (named.count(number) == 0)
            std::abort();

    map.sort_registers();
    map.next_free_register(0);
    map.next_free_register(1);
    check_save_is_a_fixed_point(map);
    return 0;
}
