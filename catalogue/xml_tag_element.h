#pragma once
// An XML element: a name, attributes in document order (duplicates kept) and child nodes.

#include "catalogue/xml_attribute.h"
#include "catalogue/xml_element.h"

#include <string>

class xml_tag_element : public xml_element {
  public:
    explicit xml_tag_element(std::string name) : name_(std::move(name)) {}

    bool is_text() const override { return false; }
    // Reads from just after the element's name up to and including its matching closing tag.
    bool read(xml_input& input) override;
    void write(std::ostream& out, int depth = 0) const override;

    const std::string& name() const { return name_; }
    std::int32_t attribute_count() const { return attributes_.count(); }
    xml_attribute* attribute(std::int32_t i) const { return attributes_.at(i); }

  private:
    bool read_attributes(xml_input& input);
    bool read_content(xml_input& input);

    std::string name_;
    t_array<xml_attribute> attributes_;
};
