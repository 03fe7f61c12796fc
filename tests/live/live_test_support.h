#pragma once
// A register's value layout from its map entry as a map file writes it, so that the tests
// read like the maps users write.

#include "format/register_text.h"
#include "live/value_layout.h"
#include "model/host_register.h"

#include <sstream>
#include <string>

namespace live_test {

inline value_layout layout(const std::string& entry, bool lsbyte_first = false) {
    host_register reg(nullptr, 0);
    std::istringstream in(entry + "\n");
    read_register(in, reg); // bitmapped entries without their bit lines still give their main line
    return layout_of(reg, lsbyte_first);
}

} // namespace live_test
