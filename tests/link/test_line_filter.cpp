// The line filter's states and the send-request command text.

#include "link/line_filter.h"
#include "link/send_request.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Runs lines through a fresh filter: "S" for send, "-" for skip, one letter per line.
std::string verdicts(const std::vector<std::string>& lines, std::vector<int>* states = nullptr) {
    line_filter filter;
    std::string out;
    for (const auto& line : lines) {
        out += filter.filter(line) == line_filter::verdict::send ? 'S' : '-';
        if (states)
            states->push_back(filter.state());
    }
    return out;
}

} // namespace

TEST(LineFilter, Verdicts) {
    struct row {
        const char* name;
        std::vector<std::string> lines;
        std::string expected;
    };
    const row rows[] = {
        {"a whole map",
         {"RDX Modbus protocol", "PLC_CHAN 1", "REGMAX 2", "NODENUM 3", "MBTCP 1.2.3.4", "", "HREG",
          "40001 0 1 0 0 0 F:0 Massflow"},
         "SSSSSSSS"},
        {"no device line: everything before PLC_CHAN is skipped",
         {"; comment", "BLF later is no device line", "PLC_CHAN 1", "REGMAX 2", "NODENUM 3",
          "HREG"},
         "-SSSSS"},
        {"a second device line is skipped",
         {"RDX Modbus protocol", "HQP Modbus protocol", "PLC_CHAN 1"},
         "S-S"},
        {"lines between the common header lines are skipped",
         {"WNT x", "junk", "PLC_CHAN", "junk", "REGMAX", "junk", "NODENUM", "HREG"},
         "S-S-S-SS"},
        {"prefixes are case-sensitive, on the word's characters only",
         {"rdx Modbus", "plc_chan", "PLC_CHA", "PLC_CHANNEL 1", "Regmax", "REGMAX"},
         "---S-S"},
        {"registers: five leading integers, blank and other lines skipped",
         {"PLC_CHAN", "REGMAX", "NODENUM", "HREG", "", "1 2 3 0 5 rest", "1 2 3 4", "x 1 2 3 4 5",
          "  -1 +2 3 0 5", "1 2 0x3 0 5", "1 2 3 1 5"},
         "SSSS-S--S-S"},
        {"formats 3, 4 and 8 carry three lines sent whatever they hold",
         {"PLC_CHAN", "REGMAX", "NODENUM", "HREG", "1 1 1 3 1", "", "junk", "1 1 1 0 1", "x",
          "1 1 1 4 1", "a", "b", "c", "1 1 1 8 1", "1", "2", "3", "junk"},
         "SSSSSSSS-SSSSSSSS-"},
        {"HREG is recognised only after NODENUM", {"HREG", "PLC_CHAN", "HREG"}, "-S-"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(verdicts(r.lines), r.expected) << r.name;
}

TEST(LineFilter, PauseIsPendingFromHregToTheFirstRegisterLine) {
    line_filter filter;
    for (const char* line : {"PLC_CHAN", "REGMAX", "NODENUM", "PROTO"})
        filter.filter(line);
    EXPECT_FALSE(filter.pause_pending());
    filter.filter("HREG");
    EXPECT_TRUE(filter.pause_pending());
    EXPECT_EQ(filter.state(), 5);
    filter.filter("not a register");
    EXPECT_TRUE(filter.pause_pending());
    filter.reset();
    EXPECT_FALSE(filter.pause_pending());
    EXPECT_EQ(filter.state(), 0);
}

TEST(SendRequest, Parsing) {
    struct row {
        std::string command;
        std::optional<std::string> path;
        bool looks_like;
    };
    const row rows[] = {
        {"[send(\"/home/a/map.zrp\")]", "/home/a/map.zrp", true},
        {"[send(\"C:\\maps\\x.zrp\")]", "C:\\maps\\x.zrp", true},
        {"[send(\"a b\"", "a b", true},   // only the closing quote matters
        {"[send(\"\")]", "", true},       // an empty path: the open then fails
        {"[send(\"", std::nullopt, true}, // nothing after the seven characters
        {"[send(\"no end)]", std::nullopt, true},
        {"[send(x)]", std::nullopt, false},
        {"[open(\"a.zrp\")]", std::nullopt, false},
        {" [send(\"a\")]", std::nullopt, false},
        {"[SEND(\"a\")]", std::nullopt, false},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(parse_send_request(r.command), r.path) << r.command;
        EXPECT_EQ(looks_like_send_request(r.command), r.looks_like) << r.command;
    }
}

// A path is refused before sending exactly when the request could not bring it back whole.
TEST(SendRequest, CarriesAPathOnlyWhenItComesBackWhole) {
    const std::string paths[] = {"/home/a/map.zrp", "/a/b c.zrp", "/a/)].zrp", "/a/line\nbreak", "",
                                 "/a/\"q\".zrp",    "\"",         "/a/b.zrp\""};
    for (const auto& p : paths) {
        const bool whole = parse_send_request("[send(\"" + p + "\")]") == p;
        EXPECT_EQ(send_request_carries(p), whole && !p.empty()) << p;
    }
    EXPECT_TRUE(send_request_carries("/home/a/map.zrp"));
    EXPECT_FALSE(send_request_carries("/a/\"q\".zrp"));
}
