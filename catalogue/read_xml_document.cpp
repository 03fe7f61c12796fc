#include "catalogue/read_xml_document.h"

#include "catalogue/xml_input.h"

std::unique_ptr<xml_tag_element> read_xml_document(std::istream& in, std::size_t max_bytes) {
    xml_input input(in, max_bytes);
    for (;;) {
        int c = input.next();
        if (c == xml_input::end_of_input)
            return nullptr;
        if (c != '<')
            continue;
        c = input.next();
        if (c == xml_input::end_of_input)
            continue;
        if (c == '/')
            return nullptr;
        input.push_back();
        auto root = std::make_unique<xml_tag_element>(input.read_name());
        if (root->read(input))
            return root;
        if (input.given_up())
            return nullptr;
    }
}
