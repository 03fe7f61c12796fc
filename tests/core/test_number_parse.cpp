#include "core/number_parse.h"

#include <gtest/gtest.h>

#include <optional>

TEST(NumberParse, WholeAndDecimalNumbersAreReadWholeOrNotAtAll) {
    struct row {
        const char* text;
        std::optional<double> whole;
        std::optional<double> decimal;
    };
    const std::optional<double> none;
    const row rows[] = {
        {"42", 42, 42},
        {"+42", 42, 42},
        {"-42", -42, -42},
        {"0x1F", 31, none},
        {"-0X10", -16, none},
        {"0x", none, none},
        {"0x-1", none, none},
        {"+-1", none, none},
        {"1.5", none, 1.5},
        {"-2.5e3", none, -2500},
        {"18446744073709551615", 18446744073709551615.0, 18446744073709551615.0},
        {"18446744073709551616", none, 18446744073709551616.0},
        {"1e400", none, none},
        {"nan", none, none},
        {"inf", none, none},
        {"0x1p3", none, none},
        {" 1", none, none},
        {"1 ", none, none},
        {"", none, none},
        {"-", none, none},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(parse_whole_number(r.text), r.whole);
        EXPECT_EQ(parse_decimal_number(r.text), r.decimal);
    }
}
