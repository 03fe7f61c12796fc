#pragma once
// Reads the first complete root element of an XML document. Anything before it that does not
// form a well-formed element (a declaration, a comment, a broken element) is skipped, and the
// search resumes at the next "<". Input after the root's closing tag is not read. Elements
// nested deeper than the reader's depth guard, or more than max_bytes of input, end the whole
// document as failed: the search never resumes inside an element it had to give up.

#include "catalogue/xml_tag_element.h"
#include "core/input_file.h"

#include <cstddef>
#include <istream>
#include <memory>

// The root element, or null when the input holds none (or a closing tag comes first).
std::unique_ptr<xml_tag_element> read_xml_document(std::istream& in,
                                                   std::size_t max_bytes = max_input_bytes);
