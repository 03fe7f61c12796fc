#pragma once
// Comma-separated text as spreadsheets read it: a field holding a comma, a double quote or a
// line break is quoted, its quotes doubled; every record ends with CR LF.

#include <string>
#include <string_view>

class csv_writer {
  public:
    // Adds a field to the current record.
    void field(std::string_view text);
    // Ends the current record.
    void end_record();

    const std::string& text() const { return text_; }
    std::string take() { return std::move(text_); }

  private:
    std::string text_;
    bool record_open_ = false;
};
