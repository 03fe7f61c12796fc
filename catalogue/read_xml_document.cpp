#include "catalogue/read_xml_document.h"

#include "catalogue/xml_input.h"

#include <string>
#include <string_view>

namespace {

bool starts_name(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Takes characters through the end marker; false when the input ends first.
bool skip_through(xml_input& input, std::string_view marker) {
    std::string last;
    while (last != marker) {
        const int c = input.next();
        if (c == xml_input::end_of_input)
            return false;
        last.push_back(static_cast<char>(c));
        if (last.size() > marker.size())
            last.erase(0, 1);
    }
    return true;
}

// After "<!": a comment through "-->", any other declaration through ">".
bool skip_declaration(xml_input& input) {
    if (input.next() == '-') {
        if (input.next() == '-')
            return skip_through(input, "-->");
        input.push_back();
    } else {
        input.push_back();
    }
    return skip_through(input, ">");
}

std::unique_ptr<xml_tag_element> read_root(xml_input& input) {
    for (;;) {
        int c = input.next();
        if (c == xml_input::end_of_input) {
            input.fail("no root element");
            return nullptr;
        }
        if (c != '<')
            continue;
        c = input.next();
        if (c == '/') {
            input.fail("a closing tag comes before the root element");
            return nullptr;
        }
        if (c == '?') {
            if (!skip_through(input, "?>"))
                input.fail("the input ends inside a processing instruction");
            continue;
        }
        if (c == '!') {
            if (!skip_declaration(input))
                input.fail("the input ends inside a comment or declaration");
            continue;
        }
        input.push_back();
        if (!starts_name(c))
            continue; // a "<" in the text before the root
        auto root = std::make_unique<xml_tag_element>(input.read_name());
        if (root->read(input))
            return root;
        input.fail("<" + root->name() + "> is not well formed");
        return nullptr;
    }
}

} // namespace

std::unique_ptr<xml_tag_element> read_xml_document(std::istream& in, std::size_t max_bytes,
                                                   xml_read_error* error) {
    xml_input input(in, max_bytes);
    auto root = read_root(input);
    if (!root && error != nullptr)
        *error = input.error();
    return root;
}
