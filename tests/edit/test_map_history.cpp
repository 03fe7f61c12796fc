// The undo history of a map step by step: the saved state, steps that do not count as
// modifications, joining the keystrokes of one field, the names the menu shows, what Undo
// says changed.

#include "edit/map_editor.h"
#include "edit/register_clipboard.h"
#include "format/header_codec.h"
#include "model/header_values.h"
#include "model/zrp_file.h"
#include "tests/model/test_maps.h"
#include "tests/model/test_model_support.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <sstream>
#include <typeinfo>

namespace {

using model_test::text_of;

// Fixed steps on a Modbus map of registers 40001 to 40004.
class MapHistorySteps : public ::testing::Test {
  protected:
    MapHistorySteps() : map(1), editor(map), view(editor, dialogs, ui) {
        for (int n = 40001; n <= 40004; ++n)
            map.add_register(std::make_unique<host_register>(&map, n));
    }
    map_history& history() { return editor.history(); }
    header_values form(int node) const { return model_test::serial_form(*map.header, node); }

    zrp_file map;
    map_editor editor;
    model_test::scripted_dialogs dialogs;
    scripted_ui ui;
    model_test::dialog_view view;
};

TEST_F(MapHistorySteps, NamesOfTheSteps) {
    dialogs.on_register = [](register_dialog_values& v) { v.register_number = 40020; };
    dialogs.on_host = [](host_selection_values& v) {
        v.protocol_position = 4;
        v.device_word = "RDX";
    };
    struct case_t {
        const char* expected;
        std::function<void()> op;
    };
    const case_t cases[] = {
        {"Delete 3 registers",
         [&] {
             editor.delete_rows({0, 2, 3});
         }},
        {"Delete 1 register", [&] { editor.delete_rows({0}); }},
        {"New Register", [&] { view.new_register(); }},
        {"Properties", [&] { view.edit_properties(0); }},
        {"Paste 2 registers", [&] { editor.paste("1 0 1 0 0 0 F:0 A\n2 0 1 0 0 0 F:0 B\n"); }},
        {"Cut 1 register", [&] { editor.cut_rows({1}); }},
        {"Import Register Table", [&] { editor.replace_registers({}, ui); }},
        {"Protocol", [&] { view.select_protocol(); }},
        {"Protocol Settings", [&] { view.edit_header(); }},
        {"Settings Edit",
         [&] {
             header_values v = form(map.header->node);
             v.byte_order = 1 - v.byte_order;
             editor.apply_form(v);
         }},
    };
    for (const case_t& c : cases) {
        c.op();
        EXPECT_EQ(history().undo_name(), c.expected);
    }
    editor.undo();
    EXPECT_EQ(history().redo_name(), "Settings Edit");
    EXPECT_EQ(history().undo_name(), "Protocol Settings");
}

TEST_F(MapHistorySteps, SavedStateAndStepsThatAreNoModification) {
    // Each case: form edits that count (c) or not (n), the same in one field whose edits
    // join (C, N), undo (u), redo (r), save (s); then whether the map counts as unmodified.
    struct case_t {
        const char* script;
        bool clean;
    };
    const case_t cases[] = {
        {"", true},      {"c", false},    {"cu", true},     {"n", true},    {"nc", false},
        {"ncu", true},   {"cnu", false},  {"cnuu", true},   {"csu", false}, {"csur", true},
        {"cus", true},   {"cusr", false}, {"ccuunr", true}, {"cuc", false}, {"cucu", true},
        {"csuc", false}, {"nsu", false},  {"NN", true},     {"NC", false},  {"NCu", true},
        {"CN", false},   {"CNu", true},
    };
    int field = 0;
    int node = 10;
    for (const case_t& c : cases) {
        while (history().can_undo())
            editor.undo();
        history().mark_clean();
        for (const char* p = c.script; *p; ++p) {
            switch (*p) {
            case 'c':
            case 'n':
                ASSERT_TRUE(editor.apply_form(form(++node), nullptr, *p == 'c'));
                break;
            case 'C':
            case 'N':
                ASSERT_TRUE(editor.apply_form(form(++node), &field, *p == 'C'));
                break;
            case 'u':
                editor.undo();
                break;
            case 'r':
                editor.redo();
                break;
            case 's':
                history().mark_clean();
                break;
            }
        }
        EXPECT_EQ(history().is_clean(), c.clean) << c.script;
    }
    // A map never saved (an extraction) has no clean state until it is saved.
    history().forget_clean();
    EXPECT_FALSE(history().is_clean());
    editor.apply_form(form(++node), nullptr, false);
    editor.undo();
    EXPECT_FALSE(history().is_clean());
}

TEST_F(MapHistorySteps, KeystrokesOfOneFieldAreOneStep) {
    int node_field = 0, parity_field = 0;
    const int node_before = map.header->node;
    struct case_t {
        const char* what;
        std::function<void()> between;
        std::size_t steps;
    };
    const case_t cases[] = {
        {"the same field", [] {}, 1},
        {"another field between", [&] { editor.apply_form(form(3), &parity_field); }, 3},
        {"a register step between", [&] { editor.delete_rows({0}); }, 3},
        {"a save between", [&] { history().mark_clean(); }, 2},
        {"an undo and redo between",
         [&] {
             editor.undo();
             editor.redo();
         },
         2},
    };
    for (const case_t& c : cases) {
        while (history().can_undo())
            editor.undo();
        history().mark_clean();
        ASSERT_TRUE(editor.apply_form(form(1), &node_field));
        c.between();
        ASSERT_TRUE(editor.apply_form(form(12), &node_field));
        ASSERT_TRUE(editor.apply_form(form(123), &node_field));
        EXPECT_EQ(history().done(), c.steps) << c.what;
        editor.undo();
        EXPECT_NE(map.header->node, 123) << c.what;
    }
    // Undone at once, the joined keystrokes give back the value from before the first.
    while (history().can_undo())
        editor.undo();
    EXPECT_EQ(map.header->node, node_before);
}

TEST_F(MapHistorySteps, UndoSaysWhatChanged) {
    dialogs.on_host = [](host_selection_values& v) {
        v.protocol_position = 4; // Modbus/TCP
        v.device_word = "RDX";
    };
    const protocol_header* modbus = map.header.get();
    view.select_protocol();
    view.edit_header();
    editor.delete_rows({1, 2});

    auto change = editor.undo();
    EXPECT_TRUE(change.registers);
    EXPECT_FALSE(change.header);
    EXPECT_EQ(change.rows, (std::vector<int>{1, 2}));
    change = editor.undo(); // settings: the same protocol, the form stays
    EXPECT_TRUE(change.header);
    EXPECT_FALSE(change.header_replaced);
    change = editor.undo(); // back to Modbus: another form
    EXPECT_TRUE(change.header_replaced);
    EXPECT_EQ(map.protocol_code, 1);
    EXPECT_TRUE(network_protocol_flag == false);
    EXPECT_NE(map.header.get(), modbus); // the copy taken before the change
    change = editor.redo();
    EXPECT_TRUE(change.header_replaced);
    EXPECT_EQ(map.protocol_code, 10);
    EXPECT_TRUE(network_protocol_flag);
    EXPECT_FALSE(editor.undo().registers);
}

TEST_F(MapHistorySteps, OldestStepsGoBeyondTheLimit) {
    for (std::size_t i = 0; i < map_history::max_steps + 5; ++i)
        ASSERT_TRUE(editor.apply_form(form(static_cast<int>(i % 7) + 100 * (i % 2) + 1)));
    EXPECT_EQ(history().size(), map_history::max_steps);
    EXPECT_FALSE(history().is_clean()); // the saved state was among the dropped ones
    while (history().can_undo())
        editor.undo();
    EXPECT_EQ(map.header->node, 5); // the state after the fifth step
}

TEST_F(MapHistorySteps, DeviceAdjustmentsCorrectTheCurrentState) {
    // The Modbus rule's adjustment makes the map differ from its file; Allen-Bradley's does
    // not count. Neither is a step to undo.
    struct case_t {
        bool counts;
        bool clean_after;
    };
    for (const case_t c : {case_t{true, false}, case_t{false, true}}) {
        history().mark_clean();
        map.header->data_bits = 7;
        map.header->mode = 1;
        editor.adjust_serial(8, 0, c.counts);
        EXPECT_EQ(map.header->data_bits, 8);
        EXPECT_EQ(map.header->mode, 0);
        EXPECT_FALSE(history().can_undo());
        EXPECT_EQ(history().is_clean(), c.clean_after);
    }
}

} // namespace
