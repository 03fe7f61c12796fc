#include "core/text_lines.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <sstream>

TEST(ReadLine, SplitsLinesAndHandlesEndsCutsAndCarriageReturns) {
    std::istringstream in("ab\r\n\nlonger line here\nlast");
    std::string line;
    EXPECT_EQ(read_line(in, line, 10), line_status::ok);
    EXPECT_EQ(line, "ab");
    EXPECT_EQ(read_line(in, line, 10), line_status::ok);
    EXPECT_EQ(line, "");
    EXPECT_EQ(read_line(in, line, 10), line_status::truncated);
    EXPECT_EQ(line, "longer lin");
    EXPECT_EQ(read_line(in, line, 10), line_status::ok);
    EXPECT_EQ(line, "last");
    EXPECT_EQ(read_line(in, line, 10), line_status::end);
    EXPECT_EQ(read_line(in, line, 10), line_status::end);
}

TEST(ReadLine, BinaryBytesAndNulsAreKeptAsText) {
    std::string data("a\0b\xff\n", 5);
    std::istringstream in(data);
    std::string line;
    ASSERT_EQ(read_line(in, line, 255), line_status::ok);
    EXPECT_EQ(line, std::string("a\0b\xff", 4));
}

TEST(FieldScanner, BehavesLikeScanfConversions) {
    struct row {
        const char* text;
        int expect_a, expect_b;
        bool ok;
    };
    // %i then %d: C prefixes apply to the first only; a failure keeps later targets.
    const row rows[] = {
        {"0x10 010", 16, 10, true}, {"010 7", 8, 7, true},
        {"-5 +3", -5, 3, true},     {"12", 12, -1, false},
        {"abc 4", -1, -1, false},   {"99999999999 1", 2147483647, 1, true},
    };
    for (const auto& r : rows) {
        field_scanner s(r.text);
        int a = -1, b = -1;
        s.integer(a);
        s.decimal(b);
        EXPECT_EQ(a, r.expect_a) << r.text;
        EXPECT_EQ(b, r.expect_b) << r.text;
        EXPECT_EQ(!s.failed(), r.ok) << r.text;
    }
}

TEST(FieldScanner, BoundedWordsLeaveTheRestForTheNextConversion) {
    field_scanner s("F:12 Name 1.5 0/16");
    std::string tok, name;
    int feeder = 0, start = 0, length = 0;
    float f = 0;
    EXPECT_TRUE(s.word(tok, 2));
    EXPECT_TRUE(s.decimal(feeder));
    EXPECT_TRUE(s.word(name, 19));
    EXPECT_TRUE(s.real(f));
    EXPECT_TRUE(s.decimal(start));
    EXPECT_TRUE(s.literal('/'));
    EXPECT_TRUE(s.decimal(length));
    EXPECT_EQ(tok, "F:");
    EXPECT_EQ(feeder, 12);
    EXPECT_EQ(name, "Name");
    EXPECT_FLOAT_EQ(f, 1.5f);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(length, 16);
    EXPECT_FALSE(s.word(tok));
}

TEST(FormatG, MatchesPrintfG) {
    EXPECT_EQ(format_g(100.0), "100");
    EXPECT_EQ(format_g(0.5), "0.5");
    EXPECT_EQ(format_g(1234567.0), "1.23457e+06");
}

// A number is one field however many characters it has; its value saturates as C's does.
TEST(FieldScanner, LongNumbersAreOneField) {
    const std::string zeros(70, '0');
    const std::string nines(70, '9');
    struct row {
        std::string text;
        int number;
        std::string next; // the word after the number
        float real;
    };
    const row rows[] = {
        {zeros + "40001 next 0.5", 40001, "next", 0.5f},  // %d: leading zeros, decimal
        {"-" + nines + " next 1", INT_MIN, "next", 1.0f}, // saturates below
        {nines + " next " + zeros + "2.5", INT_MAX, "next", 2.5f},
        {"1" + zeros + " next 1e" + nines, INT_MAX, "next", HUGE_VALF},
    };
    for (const auto& r : rows) {
        field_scanner s(r.text);
        int number = 0;
        std::string next;
        float real = 0;
        EXPECT_TRUE(s.decimal(number)) << r.text;
        EXPECT_TRUE(s.word(next)) << r.text;
        EXPECT_TRUE(s.real(real)) << r.text;
        EXPECT_EQ(number, r.number) << r.text;
        EXPECT_EQ(next, r.next) << r.text;
        EXPECT_EQ(real, r.real) << r.text;
        EXPECT_TRUE(s.rest().empty()) << r.text;
    }
    // %i takes the leading zero as the octal prefix, whatever follows it.
    const std::string octal_text = zeros + "17 " + zeros + "9";
    field_scanner octal(octal_text);
    int a = 0;
    unsigned b = 0;
    EXPECT_TRUE(octal.integer(a));
    EXPECT_TRUE(octal.unsigned_decimal(b));
    EXPECT_EQ(a, 15);
    EXPECT_EQ(b, 9u);
}

// Input without a line feed stops the reader once it has run past the scan bound.
TEST(ReadLine, EndlessLinesStopAtTheScanBound) {
    struct row {
        std::string input;
        line_status first;
        std::string line;
        bool failed;
    };
    const row rows[] = {
        {std::string(100, 'x') + "\nnext", line_status::truncated, "xxxx", false},
        {std::string(99, 'x'), line_status::truncated, "xxxx", false},
        {std::string(101, 'x'), line_status::end, "", true},
        {std::string(5000, '\0'), line_status::end, "", true},
    };
    for (const auto& r : rows) {
        std::istringstream in(r.input);
        std::string line;
        EXPECT_EQ(read_line(in, line, 4, 100), r.first) << r.input.size();
        EXPECT_EQ(line, r.line) << r.input.size();
        EXPECT_EQ(in.fail(), r.failed) << r.input.size();
        // A stopped reader stays stopped.
        if (r.failed) {
            EXPECT_EQ(read_line(in, line, 4, 100), line_status::end);
        }
    }
}
