// The register dialog's opening, its events, OK's checks and what OK hands to the register,
// without a window.

#include "tests/register_rules/register_rules_support.h"

#include "format/register_text.h"
#include "model/host_register.h"
#include "model/register_values.h"
#include "model/zrp_file.h"

#include <sstream>

using namespace rules_test;

namespace {

register_dialog_values confirmed(const register_dialog_state& s) {
    register_dialog_values v;
    const auto refusal = s.confirm(v);
    EXPECT_FALSE(refusal) << (refusal ? refusal->message : "");
    return v;
}

} // namespace

TEST(RegisterDialogOpening, FieldsOkAndLocation) {
    // "# whole": a new register takes its status-array setting, an existing one its word
    // count; the feeder of a new register its last line feeder when there is one.
    register_dialog_values v = preset(0, "Unknown");
    v.whole_count = 2;
    v.status_array_setting = 0;
    v.last_line_feeder = 7;
    EXPECT_EQ(dialog(v, false)->fields().whole, 0);
    EXPECT_EQ(dialog(v, false)->fields().feeder, "7");
    EXPECT_EQ(dialog(v, true)->fields().whole, 1);
    EXPECT_EQ(dialog(v, true)->fields().feeder, "5");

    // OK: for types 3 to 5, for an existing register, or once a parameter shows.
    struct ok_case {
        int format;
        std::string name;
        bool existing, ok;
    };
    const ok_case oks[] = {{0, "Unknown", false, false}, {0, "Unknown", true, true},
                           {3, "", false, true},         {4, "", false, true},
                           {5, "", false, true},         {1, "Flow", false, true}};
    for (const ok_case& c : oks)
        EXPECT_EQ(dialog(preset(c.format, c.name), c.existing)->controls().ok, c.ok)
            << c.format << " " << c.name;

    // The preselected parameter shows above the tree; a group that names another device
    // finds nothing; an empty group finds the name under any device.
    dialog picked(preset(1, "Flow"));
    EXPECT_EQ(picked->fields().selected_text, "Flow");
    EXPECT_EQ(picked->fields().selected_item, picked.visitor.param("Flow"));
    register_dialog_values elsewhere = preset(1, "Flow");
    elsewhere.group_name = "Line";
    EXPECT_EQ(dialog(elsewhere)->fields().selected_text, "");
    // A device not shown for the map's device code is not in the tree.
    EXPECT_EQ(dialog(preset(1, "LineRate", 1))->fields().selected_text, "");
    EXPECT_EQ(dialog(preset(1, "LineRate", 3))->fields().selected_text, "LineRate");

    // Location: "Write Block" from the first register of the write area on.
    for (auto [number, location] : {std::pair{1023, 0}, {1024, 1}, {5000, 1}}) {
        register_dialog_values p = preset(0, "Flow");
        p.protocol_name = "Profibus";
        p.output_base = 1024;
        p.register_number = number;
        EXPECT_EQ(dialog(p)->fields().location, location) << number;
    }
}

TEST(RegisterDialogEvents, PickingAndChangingTheType) {
    dialog d(preset(0, "", 0), false);
    EXPECT_FALSE(d->controls().ok);
    d.pick("Flow");
    EXPECT_TRUE(d->controls().ok);
    EXPECT_EQ(d->fields().name, "Flow");
    EXPECT_EQ(d->fields().group_name, "Feeder");
    // A device disables OK.
    d->pick_item(d.visitor.devices.front()->handle());
    EXPECT_FALSE(d->controls().ok);
    d.pick("Count");

    // "Bitmap command" adds the Commands page, clears the line and the tree's selection but
    // keeps the name, and enables OK; another type takes the page away again.
    d->choose_type(3);
    EXPECT_TRUE(d->commands_page());
    EXPECT_FALSE(d->status_page());
    EXPECT_EQ(d->fields().selected_text, "");
    EXPECT_EQ(d->fields().selected_item, nullptr);
    EXPECT_EQ(d->fields().name, "Count");
    EXPECT_TRUE(d->controls().ok);
    d->choose_type(4);
    EXPECT_FALSE(d->commands_page());
    EXPECT_TRUE(d->status_page());
    // Back to a plain type: the line is empty, so OK waits for a parameter.
    d->choose_type(0);
    EXPECT_FALSE(d->status_page());
    EXPECT_FALSE(d->controls().ok);

    // The status-array setting: two words for the floats, one otherwise.
    dialog f(preset(1, "Flow"));
    for (auto [type, setting] : {std::pair{6, 1}, {1, 0}, {7, 1}, {2, 0}}) {
        f->choose_type(type);
        EXPECT_EQ(f->fields().status_array, setting) << type;
        EXPECT_EQ(f->fields().whole, setting) << type;
    }
    // A type the rules disabled cannot be chosen.
    dialog rdx(preset(0, "Flow", 1));
    rdx->choose_type(6);
    EXPECT_EQ(rdx->fields().type, 0);
}

TEST(RegisterDialogEvents, PickedClassesSetTheType) {
    struct c {
        const char* param;
        int from_type, type;
        int integer_type; // -1: unchanged
        int whole;
    };
    const c cases[] = {
        {"Bits", 1, 10, 1, 1}, // "Status Value", "Unsigned", "2" whole
        {"Count", 2, 2, -1, 0},  {"Flow", 7, 7, 0, 1}, {"Text", 1, 9, 1, -1},
        {"Words", 0, 11, 1, -1}, {"Big", 1, 0, 1, 1},  {"Other", 2, 2, -1, 0},
    };
    for (const c& x : cases) {
        dialog d(preset(x.from_type, ""), false);
        d.pick(x.param);
        EXPECT_EQ(d->fields().type, x.type) << x.param;
        if (x.integer_type >= 0) {
            EXPECT_EQ(d->fields().integer_type, x.integer_type) << x.param;
        }
        if (x.whole >= 0) {
            EXPECT_EQ(d->fields().whole, x.whole) << x.param;
        }
    }
    // A "long" parameter opens as "Integer (pass thru)", "2" whole, "Unsigned", whatever
    // format the register had.
    for (int format = 0; format < register_type_count; ++format) {
        dialog d(preset(format, "Big"));
        EXPECT_EQ(d->fields().type, 0) << format;
        EXPECT_EQ(d->fields().whole, 1) << format;
        EXPECT_EQ(d->fields().integer_type, 1) << format;
    }
}

TEST(RegisterDialogEvents, WordsLengthAndSwap) {
    // "# whole" "2" forces "#fract" "0" and disables it; "1" gives it back.
    dialog d(opposite(preset(1, "Flow")));
    d->choose_whole(0);
    d->choose_fract(1);
    d->choose_whole(1);
    EXPECT_EQ(d->fields().fract, 0);
    EXPECT_FALSE(d->controls().fract);
    EXPECT_EQ(d->fields().length, "2");
    EXPECT_EQ(d->fields().status_array, 1);
    d->choose_whole(0);
    EXPECT_TRUE(d->controls().fract);
    EXPECT_EQ(d->fields().status_array, 0);
    // ...except where the row keeps "#fract" disabled.
    dialog rom(preset(5, "Flow"));
    rom->choose_whole(1);
    rom->choose_whole(0);
    EXPECT_FALSE(rom->controls().fract);

    // An array's length: at most 16; the whole-word choice and the setting follow it; the
    // type stays.
    dialog a(preset(0, "Words"));
    for (auto [typed, shown, whole, setting] :
         {std::tuple{"20", "16", 1, 16}, {"1", "1", 0, 1}, {"5", "5", 1, 5}, {"x", "x", 1, 5}}) {
        a->edit_length(typed);
        EXPECT_EQ(a->fields().length, shown) << typed;
        EXPECT_EQ(a->fields().whole, whole) << typed;
        EXPECT_EQ(a->fields().status_array, setting) << typed;
        EXPECT_EQ(a->fields().type, 11);
    }
    // A string's length is read-only.
    dialog s(preset(0, "Text"));
    s->edit_length("3");
    EXPECT_EQ(s->fields().length, "7");

    // "Swapped": 10 for bits, 9 for another class, 0 when cleared.
    dialog bits(preset(0, "Bits"));
    bits->toggle_swapped(true);
    EXPECT_EQ(bits->fields().type, 10);
    bits->toggle_swapped(false);
    EXPECT_EQ(bits->fields().type, 0);
    dialog text(preset(0, "Text"));
    text->toggle_swapped(false);
    EXPECT_EQ(text->fields().type, 0);
    text->toggle_swapped(true);
    EXPECT_EQ(text->fields().type, 9);
}

TEST(RegisterDialogEvents, LocationBlocksShift) {
    // Profibus: "Write Block" proposes the next free register of the write area.
    register_dialog_values p = preset(0, "Flow");
    p.protocol_name = "Profibus";
    p.next_free_input = 12;
    p.next_free_output = 1030;
    dialog d(p);
    d->choose_location(1);
    EXPECT_EQ(d->fields().register_number, "1030");
    EXPECT_EQ(confirmed(*d.state).location, 1);
    d->choose_location(0);
    EXPECT_EQ(d->fields().register_number, "12");
    EXPECT_EQ(confirmed(*d.state).location, 0);

    // A block picked: the location becomes its index, the number the block's next free one.
    register_dialog_values b = preset(0, "Flow");
    b.protocol_name = "DeviceNet";
    b.block_mapped = true;
    b.block_count = 22;
    b.location = 3;
    for (int i = 0; i < block_table_size; ++i)
        b.next_free_in_block[static_cast<std::size_t>(i)] = 100 * i;
    dialog blocks(b);
    EXPECT_TRUE(blocks->controls().blocks_shown);
    EXPECT_FALSE(blocks->controls().location_shown);
    EXPECT_EQ(blocks->fields().block, 3);
    blocks->pick_block(11);
    EXPECT_EQ(blocks->fields().register_number, "1100");
    EXPECT_EQ(confirmed(*blocks.state).location, 11);
    blocks->pick_block(22); // no such block
    EXPECT_EQ(blocks->fields().block, 11);
    // A block-mapped header without blocks shows no list.
    b.block_count = 0;
    EXPECT_FALSE(dialog(b)->controls().blocks_shown);

    // The decimal shift's multiplier.
    for (auto [shift, text] : {std::pair{-8, "* 0.00000001"},
                               {-3, "* 0.001"},
                               {-1, "* 0.1"},
                               {0, "* 1"},
                               {2, "* 100"},
                               {8, "* 100000000"}})
        EXPECT_EQ(register_dialog_state::multiplier_text(shift), text) << shift;
    dialog s(preset(2, "Flow"));
    s->set_decimal_shift(12);
    EXPECT_EQ(s->fields().decimal_shift, 8);
}

TEST(RegisterDialogConfirm, Refusals) {
    using field = dialog_refusal::field;
    struct c {
        const char* what;
        std::function<void(register_dialog_state&)> edit;
        field where;
        std::string message;
    };
    const c cases[] = {
        {"number", [](auto& s) { s.edit_register_number("4x"); }, field::register_number,
         "Please enter a positive integer."},
        {"negative number", [](auto& s) { s.edit_register_number("-1"); }, field::register_number,
         "Please enter a positive integer."},
        {"feeder", [](auto& s) { s.edit_feeder(""); }, field::feeder, "Please enter an integer."},
        {"ROM value", [](auto& s) { s.edit_rom_value("1.5"); }, field::rom_value,
         "Please enter an integer."},
        {"huge number", [](auto& s) { s.edit_register_number("99999999999"); },
         field::register_number, "Please enter a positive integer."},
    };
    for (const c& x : cases) {
        dialog d(preset(0, "Flow"));
        x.edit(*d.state);
        register_dialog_values v;
        const auto refusal = d->confirm(v);
        ASSERT_TRUE(refusal) << x.what;
        EXPECT_EQ(refusal->where, x.where) << x.what;
        EXPECT_EQ(refusal->message, x.message) << x.what;
    }
    // The length of an array must be at least 1.
    dialog a(preset(0, "Words"));
    a->edit_length("0");
    register_dialog_values v;
    auto refusal = a->confirm(v);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->where, field::length);
    EXPECT_EQ(refusal->message, "Please enter an integer between 1 and 16.");

    // A numeric or decimal-shift register needs a parameter name: the file cannot hold it
    // without one. Other types do not.
    for (int format : {0, 1, 2, 3, 5, 7}) {
        dialog d(preset(format, ""));
        refusal = d->confirm(v);
        EXPECT_EQ(refusal.has_value(), format == 1 || format == 2) << format;
        if (refusal) {
            EXPECT_EQ(refusal->where, field::tree);
            EXPECT_NE(refusal->message.find(format == 1 ? "\"Integer (numeric)\""
                                                        : "\"Integer (decimal shift)\""),
                      std::string::npos);
        }
    }
    // Blanks around a number are accepted.
    dialog blanks(preset(0, "Flow"));
    blanks->edit_register_number(" 40007 ");
    EXPECT_EQ(confirmed(*blanks.state).register_number, 40007);
}

TEST(RegisterDialogConfirm, WriteBack) {
    // What OK hands on, applied to a real register of a map.
    struct c {
        const char* what;
        register_dialog_values values;
        std::function<void(dialog&)> edit;
        int format, fraction, whole, negative;
        bool swap;
    };
    const c cases[] = {
        {"string, swap cleared", preset(0, ""), [](dialog& d) { d.pick("Text"); }, 0, 0, 7, 2,
         false},
        {"string, swapped", preset(0, ""),
         [](dialog& d) {
             d.pick("FeederName");
             d->toggle_swapped(true);
         },
         9, 0, 7, 2, true},
        {"ProcStat whatever the type", preset(1, ""),
         [](dialog& d) {
             d.pick("ProcStat");
             d->edit_length("20");
         },
         11, 0, 16, 2, false},
        {"numeric, two words", preset(1, "Flow"),
         [](dialog& d) {
             d->choose_whole(1);
             d->choose_integer_type(2);
         },
         1, 0, 2, 3, false},
        {"float", preset(1, "Flow"), [](dialog& d) { d->choose_type(7); }, 7, 0, 2, 0, false},
        {"status value swapped", preset(0, "Bits"), [](dialog& d) { d->toggle_swapped(true); }, 10,
         0, 2, 2, true},
    };
    for (const c& x : cases) {
        zrp_file map(1);
        host_register reg(&map, 40001);
        dialog d(x.values, false);
        x.edit(d);
        apply_register_values(reg, confirmed(*d.state));
        EXPECT_EQ(reg.format, x.format) << x.what;
        EXPECT_EQ(reg.fraction_count, x.fraction) << x.what;
        EXPECT_EQ(reg.whole_count, x.whole) << x.what;
        EXPECT_EQ(reg.negative, x.negative) << x.what;
        EXPECT_EQ(reg.swap, x.swap) << x.what;
    }
}

TEST(RegisterDialogConfirm, UnchangedRegistersStayAsTheyAre) {
    // Opening an existing register and confirming it unchanged gives it back as it was,
    // among them registers of two words, a line register of the second line and a string
    // whose parameter is not in the catalogue.
    const char* const entries[] = {
        "40001 0 1 1 0 0 F:3 Flow 250 -10 2.5\n",
        "40001 0 2 0 0 0 F:0 Count\n",
        "40001 1 2 1 0 3 F:0 Flow 100 0 1\n",
        "40001 0 1 2 0 2 F:1 Count -3\n",
        "40001 0 7 9 0 2 F:0 FeederName\n",
        "40001 0 5 9 0 0 F:0 Serial5\n",
        "40001 0 2 7 6 0 F:0 Flow\n",
        "40001 0 1 5 0 2 F:0 ROMConstant 1234\n",
        "40001 0 1 1 0 0 F:101 LineRate 100 0 1\n",
        "40001 0 8 0 0 2 F:0 ProcStat\n",
        "40001 0 1 3 0 0 F:0\nF:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 \n"
        "XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX CTOC CALA \n"
        "OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF HI LO \n",
        "40001 0 1 4 0 0 F:0\nF:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 \n"
        "XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX PSW5 ASR \n"
        "0 0 0 0 0 0 0 0 0 0 0 0 0 0 3 31 \n",
    };
    for (const char* entry : entries) {
        zrp_file map(1);
        map.header->device_code = 3; // "HQP": the line register is shown with its line
        host_register reg(&map, 0);
        std::istringstream in(entry);
        ASSERT_TRUE(read_register(in, reg)) << entry;
        std::ostringstream before;
        host_register copy(reg);
        write_register(before, copy);
        dialog d(register_values(reg), true);
        apply_register_values(reg, confirmed(*d.state));
        std::ostringstream after;
        write_register(after, reg);
        EXPECT_EQ(after.str(), before.str());
    }
}
