#include "format/csv_writer.h"

void csv_writer::field(std::string_view text) {
    if (record_open_)
        text_ += ',';
    record_open_ = true;
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        text_ += text;
        return;
    }
    text_ += '"';
    for (char c : text) {
        if (c == '"')
            text_ += '"';
        text_ += c;
    }
    text_ += '"';
}

void csv_writer::end_record() {
    text_ += "\r\n";
    record_open_ = false;
}
