#pragma once
// A run of text inside an element, kept byte for byte: no entity is decoded and trailing
// whitespace stays part of the text.

#include "catalogue/xml_element.h"

#include <string>

class xml_text_element : public xml_element {
  public:
    bool is_text() const override { return true; }
    // Takes characters up to the next "<", which is left for the enclosing element; false when
    // the input ends first.
    bool read(xml_input& input) override;
    // Writes the text on lines of its own, at most 81 characters each; a line break in the
    // text starts a new line too.
    void write(std::ostream& out, int depth = 0) const override;

    const std::string& text() const { return text_; }

  private:
    std::string text_;
};
