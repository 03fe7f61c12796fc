#include "catalogue/xml_text_element.h"

#include "catalogue/xml_input.h"

namespace {
constexpr std::size_t written_line_length = 81;
}

bool xml_text_element::read(xml_input& input) {
    for (;;) {
        int c = input.next();
        if (c == xml_input::end_of_input)
            return false;
        if (c == '<') {
            input.push_back();
            return true;
        }
        text_.push_back(static_cast<char>(c));
    }
}

void xml_text_element::write(std::ostream& out, int depth) const {
    if (text_.empty())
        return;
    std::string indent(static_cast<std::size_t>(depth), '\t');
    std::size_t start = 0;
    while (start < text_.size()) {
        std::size_t end = text_.find('\n', start);
        if (end == std::string::npos)
            end = text_.size();
        std::size_t pos = start;
        do {
            std::size_t n = std::min(written_line_length, end - pos);
            out << indent;
            out.write(text_.data() + pos, static_cast<std::streamsize>(n));
            out << '\n';
            pos += n;
        } while (pos < end);
        start = end + 1;
    }
}
