#pragma once
// Reads comma-separated text record by record: fields separated by commas, quoted fields
// (which may hold commas, quotes written twice and line breaks), records ended by LF, CR LF or
// a CR alone.
// A UTF-8 byte-order mark at the start is skipped. Blanks between a closing quote and the
// next comma are tolerated; a quote inside an unquoted field is taken as it stands.

#include <string>
#include <string_view>
#include <vector>

class csv_reader {
  public:
    explicit csv_reader(std::string_view text);

    // The next record's fields; false at the end of the text, or after a syntax error (then
    // error() says what is wrong).
    bool next(std::vector<std::string>& fields);

    // The 1-based number of the record last read (or being read when an error stopped it).
    int record_number() const { return record_; }
    // What stopped reading, and the 0-based field of the record it happened in; empty while
    // the text is well-formed.
    const std::string& error() const { return error_; }
    int error_field() const { return error_field_; }

  private:
    // Reads one field into out; false after a syntax error.
    bool read_field(std::string& out, bool& record_ended);
    bool read_quoted(std::string& out, bool& record_ended);
    // At a line end or the end of the text: consumes the line end and returns true.
    bool at_record_end();

    std::string_view text_;
    std::size_t pos_ = 0;
    int record_ = 0;
    std::string error_;
    int error_field_ = -1;
};
