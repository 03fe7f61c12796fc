#include "link/transfer_messages.h"

#include <cstdio>

namespace {
template <typename... Args> std::string format(const char* pattern, Args... args) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}
} // namespace

std::string no_answer_note(int transmission, int transmissions) {
    return format("No answer from the card, transmission %d of %d", transmission, transmissions);
}

std::string line_too_long_message(int line_number, const std::string& line) {
    constexpr std::size_t shown = 40;
    std::string start = line.substr(0, shown);
    return format("Line %d of the file is longer than 199 characters:\n%s...\nFile not sent.",
                  line_number, start.c_str());
}

std::string image_too_large_message(int size, int records, int max_record_size) {
    return format("Bad zrp data!\nFile size (%d bytes) is greater than size for max. Number of "
                  "Records (%d * %d bytes).\nFile not extracted!",
                  size, records, max_record_size);
}

std::string image_too_small_message(int size, int records, int min_record_size) {
    return format("Bad zrp data!\nFile size (%d bytes) is less than size for min. Number of "
                  "Records (%d * %d bytes).\nFile not extracted!",
                  size, records, min_record_size);
}

std::string too_many_records_message(int records, int max_records) {
    return format("Bad zrp data!\nNumber of Records (%d) exceeds allowed Maximum (%d).\nFile "
                  "not extracted!",
                  records, max_records);
}
