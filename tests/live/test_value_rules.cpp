#include "live_test_support.h"

#include "live/live_messages.h"
#include "live/value_rules.h"
#include "live/value_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

using namespace live_test;
using words = std::vector<std::uint16_t>;

namespace {

struct rule_row {
    const char* entry; // the register's map entry
    bool lsbyte_first;
    live_value value;
    words wire;        // the words the value goes out as, lowest address first
    const char* shown; // the value text of the words decoded again
};

live_value num(double v) {
    return live_value::of_number(v);
}

// Every rule with words worked out by hand. Where the value does not survive the trip (a
// value clamped, rounded, cut or saturated), shown gives what the words decode to.
const rule_row rule_rows[] = {
    // Integers: pass thru, long, fraction word, word order, byte order.
    {"40001 0 1 0 0 0 F:1 Count", false, num(-7), {0xFFF9}, "-7"},
    {"40001 0 2 0 0 0 F:1 Total", false, num(100000), {0x0001, 0x86A0}, "100000"},
    {"40001 0 2 0 6 0 F:1 Total", false, num(100000), {0x86A0, 0x0001}, "100000"},
    {"40001 0 2 0 0 0 F:1 Total", true, num(100000), {0x0100, 0xA086}, "100000"},
    {"40001 0 2 0 6 0 F:1 Total", true, num(100000), {0xA086, 0x0100}, "100000"},
    {"40001 1 1 0 0 0 F:1 Rate", false, num(1.5), {0x0001, 0x8000}, "1.5"},
    {"40001 1 1 0 0 0 F:1 Rate", false, num(-1.5), {0xFFFE, 0x8000}, "-1.5"},
    {"40001 1 2 0 0 2 F:1 Total", false, num(4294967295.0), {0xFFFF, 0xFFFF, 0x0000}, "4294967295"},
    {"40001 0 2 0 0 2 F:1 Total", false, num(4294967295.0), {0xFFFF, 0xFFFF}, "4294967295"},
    // Rounding to nearest, halves away from zero; saturation by negative handling.
    {"40001 0 1 0 0 0 F:1 Count", false, num(2.5), {0x0003}, "3"},
    {"40001 0 1 0 0 0 F:1 Count", false, num(-2.5), {0xFFFD}, "-3"},
    {"40001 0 1 0 0 0 F:1 Count", false, num(40000), {0x7FFF}, "32767"},
    {"40001 0 1 0 0 1 F:1 Count", false, num(-40000), {0x8000}, "-32768"},
    {"40001 0 1 0 0 2 F:1 Count", false, num(-1), {0xFFFF}, "65535"},
    {"40001 0 1 0 0 2 F:1 Count", false, num(70000), {0xFFFF}, "65535"},
    {"40001 0 1 0 0 2 F:1 Count", false, num(-40000), {0x8000}, "32768"},
    {"40001 0 1 0 0 3 F:1 Count", false, num(-5), {0x0000}, "0"},
    {"40001 0 1 0 0 3 F:1 Count", false, num(70000), {0xFFFF}, "65535"},
    // Numeric: clamped to minimum..maximum, then scaled.
    {"40001 0 1 1 0 0 F:1 Speed 100 0 10", false, num(12.34), {0x007B}, "12.3"},
    {"40001 0 1 1 0 0 F:1 Speed 100 0 10", false, num(150), {0x03E8}, "100"},
    {"40001 0 1 1 0 0 F:1 Speed 100 -50 0.5", false, num(-80), {0xFFE7}, "-50"},
    // Decimal shift, both ways.
    {"40001 0 1 2 0 0 F:1 Setpoint 2", false, num(12.345), {0x04D3}, "12.35"},
    {"40001 0 1 2 0 0 F:1 Setpoint -2", false, num(12345), {0x007B}, "12300"},
    // ROM constant: the constant, whatever the value.
    {"40001 0 1 5 0 0 F:0 ROMConstant 42", false, num(7), {0x002A}, "42"},
    {"40001 0 1 8 0 0 F:1 Bit", false, num(5), {0x0005}, "5"},
    // IEEE float in both orders.
    {"40001 0 2 7 0 0 F:1 Massflow", false, num(1.0), {0x3F80, 0x0000}, "1"},
    {"40001 0 2 7 6 0 F:1 Massflow", false, num(1.0), {0x0000, 0x3F80}, "1"},
    {"40001 0 2 7 0 0 F:1 Massflow", true, num(1.0), {0x803F, 0x0000}, "1"},
    {"40001 1 1 7 0 0 F:1 Massflow", false, num(0.1), {0x3DCC, 0xCCCD}, "0.1"},
    // KG float.
    {"40001 0 2 6 0 0 F:1 Massflow", false, num(1.0), {0x0140, 0x0000}, "1"},
    {"40001 0 2 6 0 0 F:1 Massflow", false, num(100.0), {0x0764, 0x0000}, "100"},
    {"40001 0 2 6 0 0 F:1 Massflow", false, num(0), {0x8000, 0x0000}, "0"},
    {"40001 0 2 6 0 0 F:1 Massflow", false, num(-1.0), {0x01C0, 0x0000}, "-1"},
    {"40001 0 2 6 0 0 F:1 Massflow", false, num(0.5), {0x0040, 0x0000}, "0.5"},
    {"40001 0 2 6 6 0 F:1 Massflow", true, num(100.0), {0x0000, 0x6407}, "100"},
    {"40001 0 2 6 0 0 F:1 Massflow", false, num(1e300), {0x7F7F, 0xFFFF}, "1.701412e+38"},
    {"40001 0 2 6 0 0 F:1 Massflow", false, num(1e-300), {0x8000, 0x0000}, "0"},
    // Strings: format 0 on a string name, format 9 swapped; cut and padded; byte order.
    {"40001 0 2 0 0 0 F:1 FeederName",
     false,
     live_value::of_text("ABC"),
     {0x4142, 0x4300},
     "\"ABC\""},
    {"40001 0 2 9 0 0 F:1 FeederName",
     false,
     live_value::of_text("ABC"),
     {0x4241, 0x0043},
     "\"ABC\""},
    {"40001 0 2 0 6 0 F:1 FeederName",
     true,
     live_value::of_text("ABCDE"),
     {0x4241, 0x4443},
     "\"ABCD\""},
    {"40001 1 1 0 0 0 F:1 SerialNumber",
     false,
     live_value::of_text("A\n"),
     {0x410A, 0x0000},
     "\"A\\n\""},
    // Status values: format 10 swaps the bytes; format 0 on a status name; word order.
    {"40001 0 1 10 0 0 F:1 AlarmStatus", false, num(0x1234), {0x3412}, "4660"},
    {"40001 0 2 0 0 0 F:1 ProcessStatus", false, num(0x12345678), {0x1234, 0x5678}, "305419896"},
    {"40001 0 2 0 6 0 F:1 ProcessStatus", false, num(0x12345678), {0x5678, 0x1234}, "305419896"},
    {"40001 0 1 10 0 0 F:1 AlarmStatus", true, num(0x1234), {0x1234}, "4660"},
    // Arrays: padded and cut; word order does not apply, byte order does.
    {"40001 0 3 0 6 0 F:1 ProcStat", false, live_value::of_words({1, 2}), {1, 2, 0}, "1 2 0"},
    {"40001 0 2 0 0 0 F:1 AlarmStat",
     true,
     live_value::of_words({1, 2, 3}),
     {0x0100, 0x0200},
     "1 2"},
    // Bitmapped words.
    {"40001 0 1 3 0 0 F:0", false, num(0x8001), {0x8001}, "1000000000000001"},
    {"40001 0 1 3 0 0 F:0", true, num(0x8001), {0x0180}, "1000000000000001"},
    {"40001 0 1 4 0 0 F:0", false, num(5), {0x0005}, "0000000000000101"},
};

} // namespace

TEST(ValueRules, EncodeAndDecodeByHand) {
    for (const auto& row : rule_rows) {
        SCOPED_TRACE(std::string(row.entry) + (row.lsbyte_first ? " LSBYTE_FIRST" : ""));
        auto l = layout(row.entry, row.lsbyte_first);
        ASSERT_EQ(l.problem, "");
        EXPECT_EQ(encode_value(l, row.value), row.wire);
        auto decoded = decode_value(l, row.wire);
        ASSERT_TRUE(decoded.value);
        EXPECT_EQ(value_text(l, *decoded.value), row.shown);
    }
}

TEST(ValueRules, WidthsWithoutARuleReadAsRawWordsWithTheirNote) {
    const char* const misfits[] = {
        "40001 0 1 7 0 0 F:1 Massflow",
        "40001 1 2 6 0 0 F:1 Massflow",
        "40001 0 2 3 0 0 F:0",
        "40001 0 4 0 0 0 F:1 Total",
        "40001 0 0 0 0 0 F:1 Count",
        "40001 0 4 10 0 0 F:1 AlarmStatus",
        "40001 0 0 9 0 0 F:1 FeederName",
    };
    for (auto entry : misfits) {
        SCOPED_TRACE(entry);
        auto l = layout(entry);
        EXPECT_EQ(l.problem, live_messages::width_misfit);
        EXPECT_EQ(encode_value(l, live_value::of_number(1)), words(std::max(l.width(), 0), 0));
        auto decoded = decode_value(l, words(std::max(l.width(), 0), 0x1234));
        EXPECT_FALSE(decoded.value);
        EXPECT_EQ(decoded.note, live_messages::width_misfit);
    }
    EXPECT_EQ(layout("40001 0 1 1 0 0 F:1 Speed 100 0 0").problem, live_messages::unusable_scale);
    EXPECT_EQ(layout("40001 0 1 2 0 0 F:1 Setpoint 9").problem, live_messages::shift_outside);
    EXPECT_EQ(layout("40001 0 1 12 0 0 F:1 Count").problem, "no value rule for format 12");
    // Too few words (a card that answered short) is no value either.
    EXPECT_FALSE(decode_value(layout("40001 0 2 7 0 0 F:1 Massflow"), words{0x3F80}).value);
}

TEST(ValueRules, WriteRangesAndRefusals) {
    struct row {
        const char* entry;
        const char* typed;
        const char* message; // empty: accepted
    };
    const row rows[] = {
        {"40001 0 1 0 0 0 F:1 Count", "-7", ""},
        {"40001 0 1 0 0 0 F:1 Count", "-32768", ""},
        {"40001 0 1 0 0 0 F:1 Count", "32768",
         "Value out of range: 32768 is outside -32768 to 32767."},
        {"40001 0 1 0 0 2 F:1 Count", "-1", "Value out of range: -1 is outside 0 to 65535."},
        {"40001 0 2 0 0 3 F:1 Total", "4294967296",
         "Value out of range: 4294967296 is outside 0 to 4294967295."},
        {"40001 1 1 0 0 0 F:1 Rate", "32768",
         "Value out of range: 32768 is outside -32768 to 32767.99998."},
        {"40001 0 1 1 0 0 F:1 Speed 100 0 10", "100.5",
         "Value out of range: 100.5 is outside 0 to 100."},
        {"40001 0 1 1 0 0 F:1 Speed 100000 -5 1", "40000",
         "Value out of range: 40000 is outside -5 to 32767."},
        {"40001 0 1 2 0 0 F:1 Setpoint 2", "327.68",
         "Value out of range: 327.68 is outside -327.68 to 327.67."},
        {"40001 0 2 7 0 0 F:1 Massflow", "1e39",
         "Value out of range: 1e39 is outside -3.402823e+38 to 3.402823e+38."},
        {"40001 0 2 6 0 0 F:1 Massflow", "-1e39",
         "Value out of range: -1e39 is outside -1.701412e+38 to 1.701412e+38."},
        {"40001 0 1 3 0 0 F:0", "0xFFFF", ""},
        {"40001 0 1 3 0 0 F:0", "65536", "Value out of range: 65536 is outside 0 to 65535."},
        {"40001 0 1 3 0 0 F:0", "1.5", "Not a number: 1.5."},
        {"40001 0 1 0 0 0 F:1 Count", "abc", "Not a number: abc."},
        {"40001 0 1 0 0 0 F:1 Count", "nan", "Not a number: nan."},
        {"40001 0 1 0 0 0 F:1 Count", "", "Not a number: ."},
        {"40001 0 2 0 0 0 F:1 FeederName", "any text at all", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.entry) + " <- " + r.typed);
        std::string message;
        auto value = parse_write_value(layout(r.entry), r.typed, message);
        EXPECT_EQ(value.has_value(), std::string(r.message).empty());
        EXPECT_EQ(message, r.message);
    }
}

TEST(ValueRules, ReadOnlyFormats) {
    for (auto entry : {"40001 0 1 5 0 0 F:0 ROMConstant 1", "40001 0 1 10 0 0 F:1 AlarmStatus",
                       "40001 0 1 0 0 0 F:1 ProcessStatus", "40001 0 2 0 0 0 F:1 ProcStat",
                       "40001 0 1 4 0 0 F:0"})
        EXPECT_FALSE(layout(entry).writable()) << entry;
    for (auto entry :
         {"40001 0 1 0 0 0 F:1 Count", "40001 0 1 1 0 0 F:1 Speed 1 0 1", "40001 0 1 2 0 0 F:1 S 1",
          "40001 0 2 6 0 0 F:1 M", "40001 0 2 7 0 0 F:1 M", "40001 0 1 8 0 0 F:1 B",
          "40001 0 2 9 0 0 F:1 FeederName", "40001 0 1 3 0 0 F:0"})
        EXPECT_TRUE(layout(entry).writable()) << entry;
}

TEST(ValueRules, ValueTextEscapesAndDigits) {
    EXPECT_EQ(quoted_text("a\"b\\\r\t\x01\x7F\xC3"), "\"a\\\"b\\\\\\r\\t\\x01\\x7F\\xC3\"");
    EXPECT_EQ(number_text(4294967295.0, false), "4294967295");
    EXPECT_EQ(number_text(-0.0, false), "0");
    EXPECT_EQ(number_text(1.0 / 3, false), "0.3333333333");
    EXPECT_EQ(number_text(16777216.0, true), "1.677722e+07");
    EXPECT_EQ(raw_text(words{0x0140, 0x0000, 0xABCD}), "0140 0000 ABCD");
}

// Random words decoded and encoded again give the same words, for every rule that carries
// every word pattern (integers, status values, arrays, command words, IEEE floats that are
// numbers, normalised KG floats), in every word and byte order; and random values encode to
// words that decode within the register's resolution.
TEST(ValueRules, RandomRoundTrips) {
    const char* const bijective[] = {
        "40001 0 1 0 0 0 F:1 A",        "40001 0 2 0 6 2 F:1 A",
        "40001 1 2 0 0 0 F:1 A",        "40001 1 1 8 6 3 F:1 A",
        "40001 0 2 10 6 0 F:1 A",       "40001 0 3 0 0 0 F:1 ProcessStatus",
        "40001 0 4 0 0 0 F:1 ProcStat", "40001 0 1 3 0 0 F:0",
        "40001 0 2 7 6 0 F:1 A",
    };
    std::mt19937 random(22);
    std::uniform_int_distribution<int> word(0, 0xFFFF);
    for (auto entry : bijective) {
        for (bool lsbyte_first : {false, true}) {
            auto l = layout(entry, lsbyte_first);
            for (int i = 0; i < 500; ++i) {
                words wire(static_cast<std::size_t>(l.width()));
                for (auto& w : wire)
                    w = static_cast<std::uint16_t>(word(random));
                auto decoded = decode_value(l, wire);
                ASSERT_TRUE(decoded.value);
                if (l.kind == value_kind::ieee_float && std::isnan(decoded.value->number))
                    continue;
                ASSERT_EQ(encode_value(l, *decoded.value), wire) << entry;
            }
        }
    }
    struct valued {
        const char* entry;
        double resolution;
    };
    const valued numeric[] = {
        {"40001 0 1 0 0 0 F:1 A", 1},
        {"40001 1 2 0 6 0 F:1 A", 1.0 / 65536},
        {"40001 0 1 1 0 0 F:1 A 300 -300 100", 0.01},
        {"40001 0 2 2 0 0 F:1 A -3", 1000},
        {"40001 0 2 7 0 0 F:1 A", 0},
        {"40001 0 2 6 6 0 F:1 A", 0},
    };
    for (const auto& n : numeric) {
        auto l = layout(n.entry, true);
        auto range = write_range(l);
        ASSERT_TRUE(range);
        double low = std::max(range->low, -1e6), high = std::min(range->high, 1e6);
        std::uniform_real_distribution<double> value(low, high);
        for (int i = 0; i < 500; ++i) {
            double v = value(random);
            auto back = decode_value(l, encode_value(l, live_value::of_number(v)));
            ASSERT_TRUE(back.value);
            // Floats carry 24 significant bits: a relative resolution.
            double allowed = n.resolution > 0 ? n.resolution / 2 : std::fabs(v) * 0x1p-23;
            EXPECT_NEAR(back.value->number, v, allowed * (1 + 1e-9)) << n.entry;
        }
    }
}
