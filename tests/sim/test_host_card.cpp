// The card's host side in-process: the values file, and what reads and writes of the host
// registers answer and change.

#include "sim/feeder_values.h"
#include "sim/host_card.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

const char* const card_map = "RDX Modbus protocol\n"
                             "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                             "REGMAX 65535\nNODENUM 7\nHREG\n"
                             "40001 0 2 0 0 0 F:1 Total\n"
                             "40003 0 1 5 0 0 F:0 ROMConstant 42\n"
                             "40004 0 1 4 0 0 F:0\n"
                             "F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:2 F:1 F:1 F:1 \n"
                             "XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX PSR ASR PSR PSR \n"
                             "0 0 0 0 0 0 0 0 0 0 0 0 4 31 4 0 \n"
                             "40010 0 1 0 0 0 F:1 Count\n";

} // namespace

TEST(FeederValues, LinesAndTheirRefusals) {
    std::string error;
    auto values =
        feeder_values::parse("# plant\n\nF:1 Massflow 12.5\nF:1 Total 0x10\n"
                             "F:2 FeederName \"A \\\"b\\\"\\n\\x41\"\nF:1 ProcStat 1, 0x2,3\n"
                             "  F:63 Setpoint -1e3  \n",
                             error);
    ASSERT_TRUE(values) << error;
    EXPECT_EQ(values->value(1, "Massflow", 0), live_value::of_number(12.5));
    EXPECT_EQ(values->value(1, "Total", 0), live_value::of_number(16));
    EXPECT_EQ(values->value(2, "FeederName", 0), live_value::of_text("A \"b\"\nA"));
    EXPECT_EQ(values->value(1, "ProcStat", 0), live_value::of_words({1, 2, 3}));
    EXPECT_EQ(values->value(63, "Setpoint", 0), live_value::of_number(-1000));
    EXPECT_EQ(values->value(3, "Massflow", 0), live_value::of_number(0)); // never given

    const std::pair<const char*, const char*> bad[] = {
        {"F:1 Massflow\n", "line 1: expected F:<feeder> <name> <value>"},
        {"\nMassflow 3\n", "line 2: expected F:<feeder> <name> <value>"},
        {"F:64 Massflow 3\n", "line 1: the feeder must be a number from 0 to 63"},
        {"F:x Massflow 3\n", "line 1: the feeder must be a number from 0 to 63"},
        {"F:1 Massflow 3kg\n", "line 1: not a number, a quoted string or a list of words: 3kg"},
        {"F:1 Massflow inf\n", "line 1: not a number, a quoted string or a list of words: inf"},
        {"F:1 Name \"open\n", "line 1: the string has no closing quote"},
        {"F:1 Name \"a\" b\n", "line 1: text after the closing quote"},
        {"F:1 Name \"\\q\"\n", "line 1: unknown escape in the string"},
        {"F:1 ProcStat 1,70000\n", "line 1: array words must be numbers from 0 to 65535"},
        {"F:1 ProcStat 1,,2\n", "line 1: array words must be numbers from 0 to 65535"},
    };
    for (const auto& [text, message] : bad) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(feeder_values::parse(text, error));
        EXPECT_EQ(error, message);
    }
    EXPECT_FALSE(feeder_values::parse(std::string(5000, 'x'), error));
    EXPECT_EQ(error, "line 1: the line is too long");
}

TEST(FeederValues, WanderMovesTheNumbersTheHostHasNotWritten) {
    std::string error;
    auto values = feeder_values::parse("F:1 A 50\nF:1 Zero 0\nF:1 B 7\nF:1 Name \"x\"\n", error);
    ASSERT_TRUE(values);
    values->set_wander(true);
    values->set_by_host(1, "B", live_value::of_number(8));
    // A quarter of the minute: the top of the swing.
    EXPECT_DOUBLE_EQ(values->value(1, "A", 15).number, 55);
    EXPECT_DOUBLE_EQ(values->value(1, "Zero", 15).number, 0.1);
    EXPECT_DOUBLE_EQ(values->value(1, "A", 45).number, 45);
    EXPECT_EQ(values->value(1, "B", 15), live_value::of_number(8));
    EXPECT_EQ(values->value(1, "Name", 15), live_value::of_text("x"));
}

TEST(HostCard, ValuesNeverGivenAreZeroOrEmpty) {
    host_card card(feeder_values{});
    card.set_map(lines_of("RDX Modbus protocol\nREGMAX 65535\nNODENUM 1\nHREG\n"
                          "40001 0 2 9 0 0 F:1 FeederName\n40003 0 1 0 0 0 F:1 Count\n"));
    std::vector<std::uint16_t> words;
    ASSERT_EQ(card.read(0, 3, 0, words), 0);
    EXPECT_EQ(words, (std::vector<std::uint16_t>{0, 0, 0}));
}

TEST(HostCard, AnswersTheMapsRegistersAndRefusesTheRest) {
    std::string error;
    auto values = feeder_values::parse("F:1 Total 0x12345678\nF:1 PSR 0x11\nF:1 ASR 0x80000000\n"
                                       "F:2 PSR 0x08\n",
                                       error);
    ASSERT_TRUE(values) << error;
    host_card card(std::move(*values));
    std::vector<std::uint16_t> words;
    EXPECT_EQ(card.read(0, 1, 0, words), host_card::illegal_data_address); // no map yet
    EXPECT_EQ(card.node(), 1);

    card.set_map(lines_of(card_map));
    EXPECT_EQ(card.node(), 7);
    ASSERT_EQ(card.read(0, 4, 0, words), 0);
    // Status bits (listed from bit 15 down): bit 3 F:2 PSR bit 4 (clear), bit 2 F:1 ASR bit 31,
    // bit 1 F:1 PSR bit 4, bit 0 F:1 PSR bit 0.
    EXPECT_EQ(words, (std::vector<std::uint16_t>{0x1234, 0x5678, 42, 0b0111}));
    EXPECT_EQ(card.read(1, 2, 0, words), 0); // part of a register
    EXPECT_EQ(words, (std::vector<std::uint16_t>{0x5678, 42}));

    struct refusal {
        int address, count;
    };
    for (auto r : {refusal{0, 5}, refusal{4, 1}, refusal{9, 2}, refusal{65535, 1}}) {
        SCOPED_TRACE(r.address);
        EXPECT_EQ(card.read(r.address, r.count, 0, words), host_card::illegal_data_address);
    }
    // Read-only registers (ROM constant, status bits) refuse a write, alone or among others.
    std::vector<std::uint16_t> one{1}, three{1, 2, 3};
    EXPECT_EQ(card.write(2, one, 0), host_card::illegal_data_address);
    EXPECT_EQ(card.write(3, one, 0), host_card::illegal_data_address);
    EXPECT_EQ(card.write(0, three, 0), host_card::illegal_data_address);
    EXPECT_EQ(card.write(8, one, 0), host_card::illegal_data_address);

    // A write of one word of a two-word register keeps the other word.
    std::vector<std::uint16_t> low{0x0001};
    ASSERT_EQ(card.write(1, low, 0), 0);
    ASSERT_EQ(card.read(0, 2, 0, words), 0);
    EXPECT_EQ(words, (std::vector<std::uint16_t>{0x1234, 0x0001}));

    // A new map: the values stay, keyed by feeder and name.
    card.set_map(lines_of(card_map));
    ASSERT_EQ(card.read(0, 2, 0, words), 0);
    EXPECT_EQ(words, (std::vector<std::uint16_t>{0x1234, 0x0001}));
    card.set_map({});
    EXPECT_EQ(card.read(0, 2, 0, words), host_card::illegal_data_address);
}
