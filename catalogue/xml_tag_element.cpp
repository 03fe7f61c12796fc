#include "catalogue/xml_tag_element.h"

#include "catalogue/xml_input.h"
#include "catalogue/xml_text_element.h"

#include <memory>

bool xml_tag_element::read(xml_input& input) {
    bool ok = input.enter() && read_attributes(input) && read_content(input);
    input.leave();
    return ok;
}

bool xml_tag_element::read_attributes(xml_input& input) {
    for (;;) {
        input.skip_whitespace();
        int c = input.next();
        if (c == '>' || c == xml_input::end_of_input)
            return true;
        input.push_back();
        std::string name = input.read_name();
        input.skip_whitespace();
        c = input.next();
        if (c != '=')
            return input.fail(
                name.empty() ? xml_char_text(c) + " where an attribute of <" + name_ + "> belongs"
                             : "attribute " + name + " of <" + name_ + "> has no '=' and value");
        input.skip_whitespace();
        std::string value;
        if (input.next() == '"') {
            if (!input.read_quoted(value))
                return input.fail("the input ends inside a value of <" + name_ + ">");
        } else {
            input.push_back();
            value = input.read_name();
        }
        attributes_.append(std::make_unique<xml_attribute>(std::move(name), std::move(value)));
    }
}

bool xml_tag_element::read_content(xml_input& input) {
    for (;;) {
        input.skip_whitespace();
        int c = input.next();
        if (c != '<') {
            input.push_back();
            auto text = std::make_unique<xml_text_element>();
            if (!text->read(input))
                return input.fail("the input ends inside <" + name_ + ">");
            children_.append(std::move(text));
            continue;
        }
        c = input.next();
        if (c == '/') {
            std::string closing = input.read_name();
            c = input.next();
            if (c != '>')
                return input.fail(xml_char_text(c) + " in the closing tag </" + closing + ">");
            if (closing != name_)
                return input.fail("</" + closing + "> does not close <" + name_ + ">");
            return true;
        }
        input.push_back();
        auto child = std::make_unique<xml_tag_element>(input.read_name());
        if (!child->read(input))
            return false;
        children_.append(std::move(child));
    }
}

void xml_tag_element::write(std::ostream& out, int depth) const {
    std::string indent(static_cast<std::size_t>(depth), '\t');
    out << indent << '<' << name_;
    for (std::int32_t i = 0; i < attributes_.count(); ++i) {
        const xml_attribute* a = attributes_.at(i);
        out << ' ' << a->name() << "=\"" << a->value() << '"';
    }
    out << ">\n";
    for (std::int32_t i = 0; i < children_.count(); ++i)
        children_.at(i)->write(out, depth + 1);
    out << indent << "</" << name_ << ">\n";
}
