// The lines the map reader could not read as written: which are named and which are not, and
// how they are shown.

#include "model/map_read_report.h"
#include "model/zrp_file.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string head = "RDX Modbus protocol\n"
                         "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                         "REGMAX 65535\n"
                         "NODENUM 0\n"
                         "HREG\n"; // lines 1 to 5

const std::string feeder_line =
    "F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:1 \n";
const std::string command_lines =
    feeder_line +
    "XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX CRUN \n"
    "OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF HIT \n";

std::vector<int> unread_numbers(const std::string& text, bool* loaded = nullptr) {
    scripted_ui ui;
    scoped_ui use(ui);
    std::istringstream in(text);
    zrp_file map;
    map_read_report report;
    const bool ok = map.read(in, report);
    if (loaded)
        *loaded = ok;
    std::vector<int> out;
    for (const unread_line& line : report.unread_lines)
        out.push_back(line.number);
    return out;
}

TEST(MapReadReport, NamesEveryLineNotReadAsWrittenAndNothingElse) {
    const struct {
        const char* what;
        std::string text;
        std::vector<int> unread;
    } rows[] = {
        {"well-formed entries, C prefixes, blank lines, fields missing at the end",
         head +
             "0x9C41 0 1 0 0 0 F:1 Massflow\n\n \t\n0116104 0 1 1 0 0 F:1 A 100 0 1.5e2\n"
             "40010 0 1\n40011 0 1 3 0 0 F:0\n" +
             command_lines + "HREG\n",
         {}},
        {"comments between header lines",
         "RDX Modbus protocol\nbefore\nPLC-CHAN 1\n" + head.substr(20),
         {}},
        {"a letter in a number, and the continuation lines it turns into registers",
         head + "41O25 0 1 3 0 0 F:0\n" + command_lines,
         {6, 7, 8, 9}},
        {"a number with a tail", head + "41025x 0 1 0 0 0 F:0 A\n", {6}},
        {"an octal number with a digit octal has not", head + "09 0 1 0 0 0 F:0 A\n", {6}},
        {"a float with a tail", head + "40001 0 1 1 0 0 F:0 A 100 0 1,5\n", {6}},
        {"a feeder with a tail", head + "40001 0 1 0 0 0 F:1x A\n", {6}},
        {"a word where the feeder belongs", head + "40001 0 1 0 0 0 Massflow\n", {6}},
        {"a bit position with a tail",
         head + "40001 0 1 4 0 0 F:0\n" + feeder_line +
             "XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX PSR\n"
             "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 3a\n",
         {9}},
        {"a NUL byte and a control character",
         head + std::string("40001 0 1 0 0 0 F:0 A\0B\n", 24) + "40002 0 1 0 0 0 F:0 C\x1b[2J\n",
         {6, 7}},
        {"bytes that are not text among the header lines",
         "RDX Modbus protocol\nPLC_CHAN 19200\x01\n" + head.substr(71),
         {2}},
        {"a line longer than the reader keeps",
         head + "40001 0 1 0 0 0 F:0 A " + std::string(300, 'x') + "\n",
         {6}},
        {"a bitmapped entry cut short by the end of the text",
         head + "40001 0 1 0 0 0 F:0 A\n40002 0 1 3 0 0 F:0\n" + feeder_line,
         {7, 8}},
        {"a register line dropped for holding HREG", head + "40001 0 1 0 0 0 F:0 HREGister\n", {6}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        bool loaded = false;
        EXPECT_EQ(unread_numbers(r.text, &loaded), r.unread);
        EXPECT_TRUE(loaded);
    }
}

// The reading rules stay as they are: the report only names what they guessed at.
TEST(MapReadReport, TheReadingRulesAreKept) {
    scripted_ui ui;
    scoped_ui use(ui);
    std::istringstream in(head + "41O25 0 1 3 0 0 F:0\n");
    zrp_file map;
    map_read_report report;
    ASSERT_TRUE(map.read(in, report));
    ASSERT_EQ(map.register_count(), 1);
    EXPECT_EQ(map.registers[0]->register_number, 41);
    EXPECT_EQ(map.registers[0]->format, 0);
    EXPECT_EQ(report.unread_lines, (std::vector<unread_line>{{6, "41O25 0 1 3 0 0 F:0"}}));
}

TEST(MapReadReport, LinesAreQuotedSafelyAndListedTwentyAtATime) {
    EXPECT_EQ((unread_line{3, std::string("a\"b\\c\td\re\0f\x1b\x7f\xe9", 14)}.message()),
              "Line 3 was not read as written: \"a\\\"b\\\\c\\td\\re\\x00f\\x1B\\x7F\\xE9\"");
    std::vector<unread_line> lines;
    for (int i = 1; i <= 23; ++i)
        lines.push_back({i, "x"});
    const std::string text = unread_lines_text(lines);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20);
    EXPECT_NE(text.find("Line 20 was not"), std::string::npos);
    EXPECT_EQ(text.find("Line 21 was not"), std::string::npos);
    EXPECT_EQ(text.substr(text.rfind('\n')), "\nand 3 more");
    EXPECT_EQ(unread_lines_text({}), "");
}

} // namespace
