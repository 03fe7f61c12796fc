#include "core/text_lines.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

line_status read_line(std::istream& in, std::string& line, std::size_t max_chars,
                      std::size_t max_scan) {
    line.clear();
    bool any = false;
    bool cut = false;
    std::size_t scanned = 0;
    std::istream::int_type c;
    while ((c = in.get()) != std::istream::traits_type::eof()) {
        any = true;
        if (c == '\n')
            break;
        if (++scanned > max_scan) {
            line.clear();
            in.setstate(std::ios::failbit);
            return line_status::end;
        }
        if (line.size() < max_chars)
            line.push_back(static_cast<char>(c));
        else
            cut = true;
    }
    if (!any)
        return line_status::end;
    // A carriage return that ends the line belongs to the line end, not to the text.
    if (!line.empty() && line.back() == '\r' && !cut)
        line.pop_back();
    if (in.eof())
        in.clear(std::ios::eofbit);
    return cut ? line_status::truncated : line_status::ok;
}

bool is_blank_line(std::string_view line) {
    for (char c : line)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

namespace {
bool is_space(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The characters a number conversion may look at: up to the next white space, however many.
// strtoll and its kin stop at white space anyway, so nothing they would take is left out.
std::string number_token(std::string_view rest) {
    std::size_t n = 0;
    while (n < rest.size() && !is_space(rest[n]))
        ++n;
    return std::string(rest.substr(0, n));
}

// Clamps a parsed long long into int range, as a saturating stand-in for C's undefined overflow.
int clamp_int(long long v) {
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}
} // namespace

void field_scanner::skip_space() {
    while (pos_ < text_.size() && is_space(text_[pos_]))
        ++pos_;
}

bool field_scanner::word(std::string& out, std::size_t max_chars) {
    if (failed_)
        return false;
    skip_space();
    std::size_t start = pos_;
    while (pos_ < text_.size() && !is_space(text_[pos_]) && pos_ - start < max_chars)
        ++pos_;
    if (pos_ == start)
        return fail();
    out.assign(text_.substr(start, pos_ - start));
    return true;
}

bool field_scanner::skip_word(std::size_t max_chars) {
    std::string dropped;
    return word(dropped, max_chars);
}

template <typename T, typename Convert> bool field_scanner::number(T& out, Convert convert) {
    if (failed_)
        return false;
    skip_space();
    const std::string chunk = number_token(rest());
    char* end = nullptr;
    const T value = convert(chunk.c_str(), &end);
    if (!took_number(static_cast<std::size_t>(end - chunk.c_str())))
        return false;
    out = value;
    return true;
}

bool field_scanner::integer(int& out) {
    return number(out, [](const char* text, char** end) {
        errno = 0;
        return clamp_int(std::strtoll(text, end, 0));
    });
}

bool field_scanner::decimal(int& out) {
    return number(
        out, [](const char* text, char** end) { return clamp_int(std::strtoll(text, end, 10)); });
}

bool field_scanner::unsigned_decimal(unsigned& out) {
    return number(out, [](const char* text, char** end) {
        return static_cast<unsigned>(std::strtoull(text, end, 10));
    });
}

bool field_scanner::real(float& out) {
    return number(out, [](const char* text, char** end) { return std::strtof(text, end); });
}

bool field_scanner::took_number(std::size_t taken) {
    // The conversion looked at the field up to the next white space; whatever it left of that
    // field (or of a field it could not take at all) was not a number as written.
    const bool field_present = pos_ < text_.size();
    pos_ += taken;
    if (taken == 0 ? field_present : pos_ < text_.size() && !is_space(text_[pos_]))
        misread_ = true;
    if (taken == 0)
        return fail();
    return true;
}

bool field_scanner::literal(char c) {
    if (failed_)
        return false;
    skip_space();
    if (pos_ < text_.size() && text_[pos_] == c) {
        ++pos_;
        return true;
    }
    return fail();
}

std::string format_g(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", value);
    return buf;
}

std::string c_quoted(std::string_view text, bool hex_other_bytes) {
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\\':
        case '"':
            out += '\\';
            out += ch;
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            if (hex_other_bytes && (c < 0x20 || c >= 0x7F)) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                out += hex;
            } else {
                out += ch;
            }
        }
    }
    return out + '"';
}
