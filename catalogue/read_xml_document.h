#pragma once
// Reads the root element of an XML document. Before it, text, declarations, processing
// instructions and comments are passed over (a "<" that starts no name is text too); the first
// "<" that starts a name is the root. A root that is not well formed fails the whole document:
// no later fragment is ever taken for it, so a damaged file is never read as a smaller one.
// Input after the root's closing tag is not read. Elements nested deeper than the reader's
// depth guard, more than max_bytes of input, or a byte that is not text fail it too.

#include "catalogue/xml_input.h"
#include "catalogue/xml_tag_element.h"
#include "core/input_file.h"

#include <cstddef>
#include <istream>
#include <memory>

// The root element, or null when the input holds none, a closing tag comes first, or the root
// is not well formed; error (when given) then says where and why.
std::unique_ptr<xml_tag_element> read_xml_document(std::istream& in,
                                                   std::size_t max_bytes = max_input_bytes,
                                                   xml_read_error* error = nullptr);
