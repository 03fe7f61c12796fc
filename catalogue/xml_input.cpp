#include "catalogue/xml_input.h"

#include <cstdio>

namespace {
bool is_letter(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool is_digit(int c) {
    return c >= '0' && c <= '9';
}
} // namespace

int xml_input::next() {
    if (pushed_back_) {
        pushed_back_ = false;
        return last_;
    }
    if (ended_ || !in_) {
        last_ = end_of_input;
        return last_;
    }
    if (bytes_left_ == 0) {
        fail("the input is larger than the reader takes");
        ended_ = true;
        given_up_ = true;
        last_ = end_of_input;
        return last_;
    }
    --bytes_left_;
    int c = end_of_input;
    try {
        auto got = in_->sbumpc();
        if (got != std::streambuf::traits_type::eof())
            c = static_cast<unsigned char>(std::streambuf::traits_type::to_char_type(got));
    } catch (...) {
        // A failing stream buffer counts as the end of the input.
    }
    if (c == end_of_input) {
        ended_ = true;
    } else {
        line_ = next_line_;
        if (c == '\n')
            ++next_line_;
    }
    if (c != end_of_input && c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
        fail("byte " + xml_char_text(c) + " is not text");
        ended_ = true;
        given_up_ = true;
        c = end_of_input;
    }
    last_ = c;
    return c;
}

bool xml_input::fail(const std::string& what) {
    if (!has_error())
        error_ = {line_, what};
    return false;
}

std::string xml_char_text(int c) {
    if (c == xml_input::end_of_input)
        return "the end of the input";
    if (c > 0x20 && c < 0x7F)
        return std::string("'") + static_cast<char>(c) + "'";
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(c));
    return hex;
}

bool xml_input::enter() {
    if (++depth_ <= max_depth)
        return true;
    fail("elements are nested more than " + std::to_string(max_depth) + " deep");
    given_up_ = true;
    ended_ = true;
    return false;
}

void xml_input::skip_whitespace() {
    int c;
    do
        c = next();
    while (c != end_of_input && c <= 0x20);
    push_back();
}

std::string xml_input::read_name() {
    std::string name;
    for (;;) {
        int c = next();
        if (c == end_of_input || !(is_letter(c) || (!name.empty() && is_digit(c)))) {
            push_back();
            return name;
        }
        name.push_back(static_cast<char>(c));
    }
}

bool xml_input::read_quoted(std::string& value) {
    for (;;) {
        int c = next();
        if (c == end_of_input)
            return false;
        if (c == '"')
            return true;
        if (c == '\\') {
            c = next();
            if (c == end_of_input)
                return false;
            switch (c) {
            case 'n':
                c = '\n';
                break;
            case 'r':
                c = '\r';
                break;
            case 't':
                c = '\t';
                break;
            default:
                break;
            }
        }
        value.push_back(static_cast<char>(c));
    }
}
