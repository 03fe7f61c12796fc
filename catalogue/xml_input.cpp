#include "catalogue/xml_input.h"

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
    if (c == end_of_input)
        ended_ = true;
    last_ = c;
    return c;
}

bool xml_input::enter() {
    if (++depth_ <= max_depth)
        return true;
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
