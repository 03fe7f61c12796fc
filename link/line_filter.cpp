#include "link/line_filter.h"

#include "core/text_lines.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 4> device_words = {"BLF", "RDX", "WNT", "HQP"};

bool begins_with(std::string_view line, std::string_view word) {
    return line.substr(0, word.size()) == word;
}

bool is_device_line(std::string_view line) {
    for (auto word : device_words)
        if (begins_with(line, word))
            return true;
    return false;
}

// A register entry starts with five integers; the fourth is its format. Bitmapped commands
// (3), bitmapped status (4) and bit-write values (8) carry three continuation lines.
bool register_entry(std::string_view line, int& format) {
    field_scanner scan(line);
    int values[5] = {};
    for (int& v : values)
        if (!scan.decimal(v))
            return false;
    format = values[3];
    return true;
}

} // namespace

void line_filter::reset() {
    state_ = 0;
    pause_ = false;
}

line_filter::verdict line_filter::filter(std::string_view line) {
    switch (state_) {
    case 0:
    case 1:
        if (begins_with(line, "PLC_CHAN")) {
            state_ = 2;
            return verdict::send;
        }
        if (state_ == 0 && is_device_line(line)) {
            state_ = 1;
            return verdict::send;
        }
        return verdict::skip;
    case 2:
        if (!begins_with(line, "REGMAX"))
            return verdict::skip;
        state_ = 3;
        return verdict::send;
    case 3:
        if (!begins_with(line, "NODENUM"))
            return verdict::skip;
        state_ = 4;
        return verdict::send;
    case 4:
        // Every line up to "HREG" belongs to the protocol's own header, blank ones included.
        if (begins_with(line, "HREG")) {
            state_ = 5;
            pause_ = true;
        }
        return verdict::send;
    case 5: {
        int format = 0;
        if (!register_entry(line, format))
            return verdict::skip;
        if (format == 3 || format == 4 || format == 8)
            state_ = 6;
        return verdict::send;
    }
    default: // 6, 7, 8: the continuation lines of a bitmapped entry, whatever they hold
        state_ = state_ == 8 ? 5 : state_ + 1;
        return verdict::send;
    }
}
