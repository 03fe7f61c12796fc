#pragma once
// The XML reader's view of its input: one byte at a time with one character of push-back,
// plus the character classes and token readers that every node's read shares. Once the end
// of the input has been seen every further read reports it again, so no loop can wait past
// the end.

#include "core/input_file.h"

#include <cstddef>
#include <istream>
#include <string>

// Where and why the reader gave a document up.
struct xml_read_error {
    int line = 0;     // counted from 1
    std::string what; // "</parm> does not close <param>", ...

    // "line N: what"
    std::string text() const { return "line " + std::to_string(line) + ": " + what; }
};

class xml_input {
  public:
    static constexpr int end_of_input = -1;
    // Elements nested deeper than this fail, so that hostile input cannot exhaust the stack.
    static constexpr int max_depth = 256;

    // At most max_bytes are taken from in; past them the input counts as ended.
    explicit xml_input(std::istream& in, std::size_t max_bytes = max_input_bytes)
        : in_(in.rdbuf()), bytes_left_(max_bytes) {}

    // The next character (0 to 255) or end_of_input; after push_back the last one again. A
    // byte that is not text (a control character other than tab, line feed and carriage
    // return) gives the document up: it is reported and the input counts as ended.
    int next();
    // Delivers the last character once more on the following next().
    void push_back() { pushed_back_ = true; }
    // Takes characters up to 0x20 (space and every control character) and pushes back the
    // first other one.
    void skip_whitespace();
    // Letters and underscores, and digits from the second character on; the first other
    // character is pushed back. The result may be empty.
    std::string read_name();
    // After the opening double quote: the characters up to the closing one, with backslash
    // escapes \n, \r, \t and \<any> for that character. False when the input ends first.
    bool read_quoted(std::string& value);

    // Nesting bookkeeping for element reads. Passing the depth guard, or the byte bound,
    // gives the whole document up: what follows is inside an element that could not be
    // read, so no later element may be taken for a root.
    bool enter();
    void leave() { --depth_; }
    bool given_up() const { return given_up_; }

    // Records why reading failed, at the line of the last character taken; only the first
    // record counts (it is where things went wrong, the enclosing elements fail after it).
    // Returns false, for `return input.fail(...)`.
    bool fail(const std::string& what);
    const xml_read_error& error() const { return error_; }
    bool has_error() const { return error_.line != 0; }
    // The line of the last character taken.
    int line() const { return line_; }

  private:
    std::streambuf* in_;
    int last_ = end_of_input;
    bool pushed_back_ = false;
    bool ended_ = false;
    bool given_up_ = false;
    std::size_t bytes_left_;
    int depth_ = 0;
    int line_ = 1;
    int next_line_ = 1;
    xml_read_error error_;
};

// A character as an error message names it: 'c', or 0xHH for a byte that is not printable.
std::string xml_char_text(int c);
