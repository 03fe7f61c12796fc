#pragma once
// The lines of a map's text as the model's readers take them: at most 255 characters each,
// numbered from 1, with a note of every line that could not be read as written.

#include "model/map_read_report.h"

#include <istream>
#include <string>
#include <vector>

class map_line_source {
  public:
    // Reads from in; unread (may be nullptr) collects the lines not read as written;
    // lines_before is the number of lines of in already read.
    map_line_source(std::istream& in, std::vector<unread_line>* unread, int lines_before = 0)
        : in_(in), unread_(unread), number_(lines_before) {}

    // The next line, without its line end; false at the end of the text. A line cut short or
    // holding bytes that are not text is noted at once.
    bool next(std::string& line);
    // Notes the line last read as not read as written (each line once).
    void not_as_written();
    // Notes an earlier line (an entry whose lines ended before the entry did).
    void not_as_written(int number, const std::string& text);

    // The number of the line last read (0 before the first).
    int line_number() const { return number_; }
    std::istream& stream() { return in_; }

  private:
    std::istream& in_;
    std::vector<unread_line>* unread_;
    int number_;
    std::string current_;
    bool noted_ = false;
};
