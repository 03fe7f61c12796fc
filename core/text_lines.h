#pragma once
// Line-oriented reading into bounded buffers, and the scanf-style field scanner that the
// text formats use. Every reader of the program goes through these two so that an
// over-long line, a missing field or binary bytes are handled the same way everywhere.

#include "core/input_file.h"

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

enum class line_status {
    end,       // nothing left to read
    ok,        // a whole line was read
    truncated, // the line was longer than allowed: it was cut and the rest skipped
};

// Reads the next line (without its line feed, and without a carriage return before it),
// keeping at most max_chars characters. Longer lines are cut; the remainder of the line is
// consumed so that reading always moves on. A last line without a line feed still counts.
// A line that runs on for more than max_scan characters without a line feed is endless input
// (a device, a broken pipe): reading stops there, the stream is put in its fail state and
// the result is end, so that every reader ends.
line_status read_line(std::istream& in, std::string& line, std::size_t max_chars,
                      std::size_t max_scan = max_input_bytes);

// True when the line is empty or holds only blanks and tabs.
bool is_blank_line(std::string_view line);

// Pulls whitespace-separated fields out of one line as sscanf does: each conversion skips
// leading white space; once a conversion fails every later one fails too, and the targets of
// failed conversions keep their values. A number is one field whatever its length: a value
// too large for its type saturates, as the C conversions do.
class field_scanner {
  public:
    explicit field_scanner(std::string_view text) : text_(text) {}

    // A word of at most max_chars non-blank characters (like %Ns).
    bool word(std::string& out, std::size_t max_chars = std::string::npos);
    // A word that is dropped.
    bool skip_word(std::size_t max_chars = std::string::npos);
    // An integer with C prefix rules: 0x hexadecimal, leading 0 octal (like %i).
    bool integer(int& out);
    // A decimal integer (like %d).
    bool decimal(int& out);
    // An unsigned decimal integer (like %u); a leading minus wraps as in C.
    bool unsigned_decimal(unsigned& out);
    // A floating-point number (like %f).
    bool real(float& out);
    // Expects the literal character c after optional white space (like " /" in a format).
    bool literal(char c);

    bool failed() const { return failed_; }
    // True once a number conversion met a field that is not wholly a number: the conversion
    // took a leading part of it ("41O25" gives 41) or none of it ("F:0" where a number
    // belongs). A field missing at the end of the text is not such a field.
    bool misread() const { return misread_; }
    // What has not been consumed yet.
    std::string_view rest() const { return text_.substr(pos_); }

  private:
    void skip_space();
    bool fail() {
        failed_ = true;
        return false;
    }
    // Converts the next field with convert (strtoll and its kin, handed the field and the end
    // pointer to set) into out, as every number conversion does.
    template <typename T, typename Convert> bool number(T& out, Convert convert);
    // Ends a number conversion that took `taken` characters at the current position.
    bool took_number(std::size_t taken);

    std::string_view text_;
    std::size_t pos_ = 0;
    bool failed_ = false;
    bool misread_ = false;
};

// Formats like printf("%g"): six significant digits, no trailing zeros.
std::string format_g(double value);

// The text between double quotes with C escapes for backslash, double quote, tab, carriage
// return and line feed. With hex_other_bytes every other byte below 0x20 or from 0x7F up is
// written \xHH (upper-case hex), which keeps the text safe on a terminal and in a message box;
// without, such bytes stay as they are.
std::string c_quoted(std::string_view text, bool hex_other_bytes);
