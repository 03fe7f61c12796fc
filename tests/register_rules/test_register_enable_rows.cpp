// Every row of the register dialog's enable table, each reached from at least two other rows
// so that what a row enables was disabled before and what it sets was cleared before.

#include "tests/register_rules/register_rules_support.h"

#include <functional>

using namespace rules_test;

namespace {

using setup = std::function<void(dialog&)>;

// Opens the dialog on a register of format named name with every choice opposite to what the
// rows set, then runs the further steps.
setup from(int format, std::string name, std::function<void(dialog&)> then = {}) {
    return [=](dialog& d) {
        d.state = std::make_unique<register_dialog_state>(opposite(preset(format, name)), true,
                                                          d.catalogue.get(), false);
        d.state->open(&d.visitor);
        if (then)
            then(d);
    };
}

std::function<void(dialog&)> type(int t, std::function<void(dialog&)> before = {}) {
    return [=](dialog& d) {
        if (before)
            before(d);
        d->choose_type(t);
    };
}
std::function<void(dialog&)> pick(std::string name) {
    return [=](dialog& d) { d.pick(name); };
}
void reversed(dialog& d) {
    d->choose_word_order(1);
}

struct row_case {
    const char* what;
    enable_row row;
    std::vector<setup> setups;
    std::initializer_list<std::string_view> enabled, disabled, on, off;
};

} // namespace

TEST(RegisterEnableRows, EveryRowFromOtherRows) {
    const row_case rows[] = {
        {"Numeric",
         enable_row::numeric,
         {from(7, "Flow", type(1, reversed)), from(2, "Count", type(1)), from(5, "Count", type(1))},
         {"tree", "#fract", "# whole", "Signed", "Unsigned", "Min", "Max", "Scale", "feeder"},
         {"word order", "decimal shift", "ROM value", "Swapped"},
         {"Normal"},
         {"Reversed", "Swapped"}},
        {"Shift",
         enable_row::shift,
         {from(1, "Flow", type(2)), from(7, "Flow", type(2, reversed)), from(5, "Count", type(2))},
         {"tree", "#fract", "# whole", "Signed", "Unsigned", "decimal shift", "feeder"},
         {"word order", "Min", "Max", "Scale", "ROM value", "Swapped"},
         {"Normal"},
         {"Reversed", "Swapped"}},
        {"Bitmap",
         enable_row::bitmap,
         {from(1, "Flow", type(3)), from(7, "Flow", type(4, reversed)),
          from(9, "Bits",
               [](dialog& d) {
                   d.pick("Flow"); // class float, type 10: the plain row enables the types
                   d->choose_type(3);
               })},
         {"the eight standard types"},
         {"tree", "#fract", "# whole", "Integer Type", "word order", "decimal shift", "Min", "Max",
          "Scale", "ROM value", "feeder", "the four special types", "Swapped"},
         {"\"0\" fract", "\"1\" whole", "Unsigned", "Normal"},
         {"\"1\" fract", "\"2\" whole", "Signed", "Reversed", "Swapped"}},
        {"ROM",
         enable_row::rom,
         {from(1, "Flow", type(5)), from(7, "Flow", type(5, reversed)),
          from(0, "Unknown", type(5))},
         {"# whole", "Signed", "Unsigned", "ROM value", "feeder"},
         {"tree", "#fract", "Force to 0", "word order", "decimal shift", "Min", "Max", "Scale",
          "the four special types", "Swapped"},
         {"Normal", "\"0\" fract"},
         {"Reversed", "\"1\" fract", "Swapped"}},
        {"Float",
         enable_row::floating,
         {from(1, "Flow", type(7)), from(5, "Count", type(6)), from(2, "Count", type(7))},
         {"tree", "word order", "feeder"},
         {"#fract", "# whole", "Integer Type", "decimal shift", "Min", "Max", "Scale", "ROM value",
          "Swapped"},
         {"\"0\" fract", "\"2\" whole", "Signed"},
         {"\"1\" fract", "\"1\" whole", "Unsigned", "Force to 0", "Swapped"}},
        {"Integer",
         enable_row::integer,
         {from(1, "Count", type(0)), from(7, "Count", type(0, reversed)), from(9, "Count"),
          from(5, "Flow", type(0))},
         {"tree", "Force to 0", "#fract", "# whole", "Signed", "Unsigned", "feeder"},
         {"decimal shift", "Min", "Max", "Scale", "ROM value", "length", "the four special types",
          "Swapped"},
         {"Normal"},
         {"Reversed", "the four special types", "Swapped"}},
        {"Long",
         enable_row::long_integer,
         {from(1, "Big"), from(9, "Text", pick("Big")), from(3, "Big")},
         {"tree", "word order", "feeder"},
         {"Integer Type", "# whole", "decimal shift", "Min", "Max", "Scale", "ROM value", "length",
          "the four special types", "Swapped"},
         {"\"2\" whole", "Unsigned", "Integer (pass thru)"},
         {"\"1\" whole", "Force to 0", "the four special types", "Swapped"}},
        {"String",
         enable_row::string,
         {from(1, "Flow", pick("Text")), from(7, "Flow", pick("Text")),
          from(10, "Bits", pick("Text"))},
         {"String Value", "Swapped", "feeder"},
         {"the eight standard types", "Integer Type", "#fract", "word order", "decimal shift",
          "Min", "Max", "Scale", "ROM value", "length"},
         {"String Value", "Unsigned"},
         {"Bit Write Value", "Status Value", "IntArray(pass thru)"}},
        {"Status",
         enable_row::status,
         {from(1, "Flow", pick("Bits")), from(9, "Text", pick("Bits")),
          from(11, "Words", pick("Bits"))},
         {"Status Value", "Swapped", "word order", "feeder"},
         {"the eight standard types", "Integer Type", "#fract", "# whole", "ROM value",
          "Bit Write Value", "String Value", "IntArray(pass thru)"},
         {"Status Value", "Unsigned", "\"2\" whole"},
         {"\"1\" whole", "Force to 0", "Bit Write Value", "String Value", "IntArray(pass thru)"}},
        {"Array",
         enable_row::array,
         {from(9, "Text", pick("Words")),
          from(7, "Flow",
               [](dialog& d) {
                   reversed(d);
                   d.pick("Words");
               }),
          from(10, "Bits", pick("Words"))},
         {"length", "IntArray(pass thru)", "feeder"},
         {"the eight standard types", "Signed", "Force to 0", "#fract", "# whole", "word order",
          "decimal shift", "Min", "Max", "Scale", "ROM value", "Bit Write Value", "String Value",
          "Status Value", "Swapped"},
         {"IntArray(pass thru)", "Unsigned", "Normal"},
         {"Reversed", "Signed", "Bit Write Value", "String Value", "Status Value", "Swapped"}},
        {"Plain",
         enable_row::plain,
         {from(1, "Unknown"), from(9, "Text", pick("Flow")), from(4, "Unknown"),
          from(10, "Bits", pick("Flow"))},
         {"Integer (pass thru)", "Integer (numeric)", "Integer (decimal shift)", "Bitmap command",
          "Bitmap status", "ROM constant", "IEEE float", "tree", "Integer Type", "#fract",
          "# whole", "feeder"},
         {"word order", "decimal shift", "Min", "Max", "Scale", "ROM value", "length",
          "the four special types", "Swapped"},
         {"Normal", "Line 1"},
         {"Reversed", "the four special types", "Swapped", "Line 2"}},
    };
    for (const row_case& r : rows) {
        for (std::size_t i = 0; i < r.setups.size(); ++i) {
            SCOPED_TRACE(std::string(r.what) + " from setup " + std::to_string(i));
            dialog d(preset(0, ""));
            r.setups[i](d);
            const register_dialog_state& s = *d.state;
            EXPECT_EQ(s.row(), r.row);
            for (const std::string& n : expand(r.enabled))
                EXPECT_TRUE(enabled(s, n)) << n << " enabled";
            for (const std::string& n : expand(r.disabled))
                EXPECT_FALSE(enabled(s, n)) << n << " disabled";
            for (const std::string& n : expand(r.on))
                EXPECT_TRUE(chosen(s, n)) << n << " on";
            for (const std::string& n : expand(r.off))
                EXPECT_FALSE(chosen(s, n)) << n << " off";
            // The length shows for strings and arrays only, the whole-word choice otherwise.
            const bool length_row = r.row == enable_row::string || r.row == enable_row::array;
            EXPECT_EQ(s.controls().length_shown, length_row);
            EXPECT_EQ(s.controls().whole_shown, !length_row);
        }
    }
}

TEST(RegisterEnableRows, RowsTheirSetValuesAndUnnamedControlsKeepTheirState) {
    // The bitmap row sets the feeder to 0, the string row the length to 7, the array row a
    // length of 1 when there is none.
    dialog bitmap(preset(1, "Flow"));
    bitmap->choose_type(3);
    EXPECT_EQ(bitmap->fields().feeder, "0");
    dialog text(preset(0, "Text"));
    EXPECT_EQ(text->fields().length, "7");
    register_dialog_values unset = preset(0, "Words");
    unset.whole_count = 0;
    dialog array(unset);
    EXPECT_EQ(array->fields().length, "1");

    // Min, Max and Scale are not named by the status row: enabled by the numeric row, they
    // stay enabled once a bits parameter is picked.
    dialog numeric(preset(1, "Flow"));
    numeric.pick("Bits");
    EXPECT_EQ(numeric->row(), enable_row::status);
    EXPECT_TRUE(numeric->controls().minimum);
    dialog shift(preset(2, "Flow"));
    shift.pick("Bits");
    EXPECT_FALSE(shift->controls().minimum);
    EXPECT_TRUE(shift->controls().decimal_shift);
}

TEST(RegisterEnableRows, RowChoice) {
    struct c {
        param_class cls;
        int type;
        enable_row row;
    };
    using p = param_class;
    const c cases[] = {
        {p::integer, 1, enable_row::numeric}, {p::floating, 2, enable_row::shift},
        {p::bits, 3, enable_row::bitmap},     {p::floating, 4, enable_row::bitmap},
        {p::none, 5, enable_row::rom},        {p::integer, 5, enable_row::rom},
        {p::bits, 5, enable_row::integer},    {p::integer, 6, enable_row::floating},
        {p::integer, 9, enable_row::integer}, {p::floating, 0, enable_row::integer},
        {p::floating, 9, enable_row::plain},  {p::bits, 10, enable_row::status},
        {p::bits, 1, enable_row::integer},    {p::long_integer, 3, enable_row::long_integer},
        {p::string, 5, enable_row::string},   {p::array, 1, enable_row::array},
        {p::none, 3, enable_row::plain},      {p::none, 11, enable_row::plain},
    };
    for (const c& x : cases)
        EXPECT_EQ(register_dialog_state::row_for(x.cls, x.type), x.row)
            << static_cast<int>(x.cls) << " " << x.type;
}

TEST(RegisterEnableRows, DeviceRules) {
    // "Siemens float" is not offered to "RDX" and "HQP" maps, whichever row applies; "Bit
    // Write Value" never.
    for (int device : {0, 1, 2, 3}) {
        for (int format : {0, 1, 3, 7}) {
            dialog d(preset(format, "Flow", device));
            EXPECT_EQ(d->controls().type[6], device == 0 || device == 2) << device << " " << format;
            EXPECT_FALSE(d->controls().type[8]);
        }
        dialog d(preset(0, "", device));
        EXPECT_EQ(d->controls().feeder_shown, device == 2 || device == 3);
        EXPECT_EQ(d->controls().line_shown, device == 3);
    }
    // Location for the four protocols whose registers sit in a read or a write block.
    for (const char* protocol : {"Profibus", "Modbus/TCP", "ProfinetIO", "Modbus+", "Modbus",
                                 "Siemens", "DeviceNet", "Ethernet/IP", "Allen-Bradley"}) {
        register_dialog_values v = preset(0, "Flow");
        v.protocol_name = protocol;
        dialog d(v);
        const std::string_view p = protocol;
        EXPECT_EQ(d->controls().location_shown,
                  p == "Profibus" || p == "Modbus/TCP" || p == "ProfinetIO" || p == "Modbus+")
            << protocol;
    }
}

TEST(RegisterEnableRows, LineParameters) {
    // "HQP": a "Line..." parameter enables the Line choice, and the feeder follows it,
    // read-only; any other parameter or device disables the Line choice.
    dialog hqp(preset(1, "LineRate", 3));
    EXPECT_TRUE(hqp->controls().line);
    EXPECT_FALSE(hqp->controls().feeder);
    EXPECT_EQ(hqp->fields().feeder, "0");
    hqp->choose_line(1);
    EXPECT_EQ(hqp->fields().feeder, "101");
    hqp->choose_line(0);
    EXPECT_EQ(hqp->fields().feeder, "0");

    dialog other(preset(1, "Flow", 3));
    EXPECT_FALSE(other->controls().line);
    EXPECT_TRUE(other->controls().feeder);
    other->choose_line(1);
    EXPECT_EQ(other->fields().feeder, "5");

    // Another device: the feeder of a "Line..." register is read-only but keeps its number.
    dialog wnt(preset(0, "LineSpeed", 2));
    EXPECT_FALSE(wnt->controls().line);
    EXPECT_FALSE(wnt->controls().feeder);
    EXPECT_EQ(wnt->fields().feeder, "5");
}
