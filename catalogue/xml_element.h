#pragma once
// A node of the XML tree: an element with a name and attributes, or a run of text. Every node
// owns its children, in document order.

#include "catalogue/object_with_destructor.h"
#include "catalogue/t_array.h"

#include <ostream>

class xml_input;

class xml_element : public object_with_destructor {
  public:
    // True for a text node, false for a tag element.
    virtual bool is_text() const = 0;
    // Parses the node's content from input; false when the input breaks the syntax.
    virtual bool read(xml_input& input) = 0;
    // Renders the node as text indented by one tab per depth.
    virtual void write(std::ostream& out, int depth = 0) const = 0;

    const t_array<xml_element>& children() const { return children_; }
    std::int32_t child_count() const { return children_.count(); }
    xml_element* child(std::int32_t i) const { return children_.at(i); }

  protected:
    t_array<xml_element> children_;
};
