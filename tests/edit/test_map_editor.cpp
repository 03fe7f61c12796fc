// The edit layer: New Register, Properties and Delete with their overlap refusals and
// Retry/Cancel loops, replacing the register list, what each says the list must rebuild, the
// list's own preparation, and the header operations.

#include "edit/map_editor.h"
#include "model/header_values.h"
#include "model/zrp_file.h"
#include "tests/model/test_model_support.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace {

const std::string overlap = "Register already exists, or\noverlaps with another";

// Register dialogs answered in turn from a script; records the values each was shown.
class stepped_dialogs : public model_test::scripted_dialogs, public model_test::register_script {
  public:
    bool edit_register(register_dialog_values& values, bool existing) override {
        seen.push_back(values);
        return answer(values, existing);
    }
    std::vector<register_dialog_values> seen;
};

using model_test::numbers;
using model_test::ok_with;

class MapEditor : public ::testing::Test {
  protected:
    MapEditor() : map(1), editor(map), view(editor, dialogs, ui) {}

    host_register* add(int number, int whole = 1, const char* name = "Massflow") {
        auto reg = std::make_unique<host_register>(&map, number);
        reg->whole_count = whole;
        reg->name = name;
        host_register* raw = reg.get();
        return map.add_register(std::move(reg)) >= 0 ? raw : nullptr;
    }

    zrp_file map; // Modbus: registers from 40001
    map_editor editor;
    stepped_dialogs dialogs;
    scripted_ui ui;
    model_test::dialog_view view;
};

TEST_F(MapEditor, NewRegisterRefusedThenRetriedOnWhatWasEntered) {
    ASSERT_TRUE(add(40005));
    ASSERT_TRUE(add(40001, 2));
    // 40002 lies in the second word of 40001: refused, Retry reopens on the same values,
    // then a free number is taken.
    std::string reopened_with;
    dialogs.steps = {ok_with(40002, 1, "Setpoint"), [&](register_dialog_values& v) {
                         reopened_with = v.name + " " + std::to_string(v.register_number);
                         v.register_number = 40003;
                         return 1;
                     }};
    ui.answer({true});
    const auto change = view.new_register();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{overlap});
    EXPECT_EQ(reopened_with, "Setpoint 40002");
    EXPECT_EQ(dialogs.modes, (std::vector<int>{0, 0})); // both for a new register
    // The list is sorted and the new register's row reported.
    EXPECT_EQ(numbers(map), (std::vector<int>{40001, 40003, 40005}));
    EXPECT_EQ(change.scope, map_editor::refresh::all_rows);
    EXPECT_EQ(change.row, 1);
}

TEST_F(MapEditor, NewRegisterCancelledOrRefusedLeavesTheMap) {
    ASSERT_TRUE(add(40001));
    struct case_t {
        const char* what;
        std::deque<stepped_dialogs::step> steps;
        std::initializer_list<bool> answers;
        std::size_t questions;
    };
    const case_t cases[] = {
        {"dialog cancelled", {}, {}, 0},
        {"overlap, Cancel", {ok_with(40001)}, {false}, 1},
        {"overlap, Retry, dialog cancelled", {ok_with(40001)}, {true}, 1},
    };
    for (const case_t& c : cases) {
        ui.events.clear();
        dialogs.steps = c.steps;
        ui.answer(c.answers);
        EXPECT_FALSE(view.new_register().changed()) << c.what;
        EXPECT_EQ(numbers(map), std::vector<int>{40001}) << c.what;
        EXPECT_EQ(ui.events.size(), c.questions) << c.what;
    }
}

TEST_F(MapEditor, NewRegisterStartsFromTheTemplate) {
    ASSERT_TRUE(add(40001));
    dialogs.steps = {[](register_dialog_values& v) {
        v.feeder = 9;
        v.name = "Setpoint";
        v.register_number = 40002;
        return 1;
    }};
    ASSERT_TRUE(view.new_register().changed());
    // The next register starts from the last one confirmed, at the next free number.
    dialogs.steps = {[](register_dialog_values&) { return 1; }};
    ASSERT_TRUE(view.new_register().changed());
    ASSERT_EQ(dialogs.seen.size(), 2u);
    EXPECT_EQ(dialogs.seen[1].name, "Setpoint");
    EXPECT_EQ(dialogs.seen[1].feeder, 9);
    EXPECT_EQ(dialogs.seen[1].register_number, 40003);
    EXPECT_EQ(numbers(map), (std::vector<int>{40001, 40002, 40003}));
}

TEST_F(MapEditor, PropertiesCollideOnlyWithOtherRegisters) {
    ASSERT_TRUE(add(40001));
    ASSERT_TRUE(add(40003, 1, "Setpoint"));
    struct case_t {
        const char* what;
        int row, number, whole;
        bool refused;
        const char* collides_with; // the refusal's detail
    };
    const case_t cases[] = {
        {"widened within its own range", 0, 40001, 2, false, ""},
        {"first number inside another", 1, 40002, 1, true,
         "It collides with register 40001-40002 (F:0 Massflow)."},
        {"last number inside another", 0, 40001, 3, true,
         "It collides with register 40003 (F:0 Setpoint)."},
        {"covering another whole", 0, 40000, 5, true,
         "It collides with register 40003 (F:0 Setpoint)."},
        {"moved to a free number", 1, 40010, 1, false, ""},
    };
    for (const case_t& c : cases) {
        const std::string before = model_test::text_of(map);
        ui.events.clear();
        dialogs.steps = {ok_with(c.number, c.whole)};
        ui.answer({false});
        const auto change = view.edit_properties(c.row);
        EXPECT_EQ(!change.changed(), c.refused) << c.what;
        EXPECT_EQ(ui.events.size(), c.refused ? 1u : 0u) << c.what;
        if (c.refused) {
            EXPECT_EQ(model_test::text_of(map), before) << c.what;
            EXPECT_EQ(ui.events.front().text, overlap) << c.what;
            EXPECT_EQ(ui.events.front().detail, c.collides_with) << c.what;
        }
    }
    EXPECT_EQ(numbers(map), (std::vector<int>{40001, 40010}));
    EXPECT_EQ(map.register_at(0)->whole_count, 2);
}

TEST_F(MapEditor, PropertiesRefreshOneRowOrResort) {
    for (int n : {40001, 40002, 40003})
        ASSERT_TRUE(add(n));
    host_register* first = map.register_at(0);

    dialogs.steps = {ok_with(40001, 1, "Setpoint")};
    auto change = view.edit_properties(0);
    EXPECT_EQ(change.scope, map_editor::refresh::one_row);
    EXPECT_EQ(change.row, 0);
    EXPECT_EQ(first->name, "Setpoint");
    EXPECT_EQ(dialogs.modes.back(), 1); // for an existing register

    // A new number re-sorts the list; the edited register is the same object, now last.
    dialogs.steps = {ok_with(40010, 1, "Setpoint")};
    change = view.edit_properties(0);
    EXPECT_EQ(change.scope, map_editor::refresh::all_rows);
    EXPECT_EQ(change.row, 2);
    EXPECT_EQ(map.register_at(2), first);
    EXPECT_EQ(numbers(map), (std::vector<int>{40002, 40003, 40010}));

    // Retry after a refusal, then Cancel in the dialog: nothing changes.
    const std::string before = model_test::text_of(map);
    dialogs.steps = {ok_with(40002)};
    ui.answer({true});
    EXPECT_FALSE(view.edit_properties(2).changed());
    EXPECT_EQ(model_test::text_of(map), before);
    EXPECT_FALSE(view.edit_properties(7).changed()); // no such row
}

TEST_F(MapEditor, DeleteRemovesExactlyTheGappedSelection) {
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(add(40001 + i));
    // Picked out of order, with gaps, a duplicate and a row that does not exist.
    auto change = editor.delete_rows({6, 1, 3, 1, 42});
    EXPECT_EQ(change.scope, map_editor::refresh::all_rows);
    EXPECT_EQ(numbers(map), (std::vector<int>{40001, 40003, 40005, 40006, 40008}));
    EXPECT_FALSE(editor.delete_rows({}).changed());
    EXPECT_FALSE(editor.delete_rows({-1, 5}).changed());
    EXPECT_EQ(map.register_count(), 5);
}

TEST_F(MapEditor, ReplaceRegistersKeepsOrderAndLeavesConflictsOut) {
    struct row {
        int number, whole;
        const char* name;
    };
    struct case_t {
        const char* what;
        std::vector<row> rows;
        std::vector<int> kept;
        std::vector<std::string> messages;
    };
    const auto conflict = [](int number, const char* name) {
        return "Conflicting Register Ignored\nRegister Num: " + std::to_string(number) +
               "\nParameter: " + name;
    };
    const case_t cases[] = {
        {"no conflicts, table order kept",
         {{40005, 1, "A"}, {40001, 2, "B"}, {40003, 1, "C"}},
         {40005, 40001, 40003},
         {}},
        {"inside an earlier range, and the same number again",
         {{40003, 2, "A"}, {40004, 1, "B"}, {40001, 1, "C"}, {40003, 1, "D"}, {40010, 1, "E"}},
         {40003, 40001, 40010},
         {conflict(40004, "B"), conflict(40003, "D")}},
        {"a range reaching over a later one: the later one is left out",
         {{40001, 4, "A"}, {40002, 1, "B"}},
         {40001},
         {conflict(40002, "B")}},
        {"an empty table empties the list", {}, {}, {}},
    };
    for (const case_t& c : cases) {
        ASSERT_TRUE(add(40100)); // what the table replaces
        ui.events.clear();
        std::vector<std::unique_ptr<host_register>> incoming;
        for (const row& r : c.rows) {
            incoming.push_back(std::make_unique<host_register>(&map, r.number));
            incoming.back()->whole_count = r.whole;
            incoming.back()->name = r.name;
        }
        const auto change = editor.replace_registers(std::move(incoming), ui);
        EXPECT_EQ(change.scope, map_editor::refresh::all_rows) << c.what;
        EXPECT_EQ(numbers(map), c.kept) << c.what;
        EXPECT_EQ(ui.texts(), c.messages) << c.what;
    }
}

TEST_F(MapEditor, PrepareDisplaySortsAndNormalises) {
    host_register* array = add(40009, 2, "ProcStat");
    host_register* unknown = add(40002);
    host_register* status = add(40005, 1, "AlarmStatus3");
    host_register* plain = add(40001);
    array->format = 1;
    unknown->format = 12;
    status->format = 0;
    plain->format = 7;
    editor.prepare_display();
    EXPECT_EQ(numbers(map), (std::vector<int>{40001, 40002, 40005, 40009}));
    EXPECT_EQ(array->format, 11);
    EXPECT_EQ(unknown->format, 0);
    EXPECT_EQ(status->format, 0); // shown as a status value, stored unchanged
    EXPECT_EQ(plain->format, 7);
}

TEST_F(MapEditor, HeaderOperations) {
    // The same protocol and device: the header stays. Another protocol: a new header.
    dialogs.on_host = [](host_selection_values& v) {
        v.protocol_position = 1; // Modbus
        v.device_word = "RDX";
    };
    const protocol_header* before = map.header.get();
    auto change = view.select_protocol();
    EXPECT_TRUE(change.accepted);
    EXPECT_FALSE(change.replaced);
    EXPECT_EQ(map.header.get(), before);

    dialogs.on_host = [](host_selection_values& v) {
        v.protocol_position = 1;
        v.device_word = "HQP"; // only the device changes
    };
    change = view.select_protocol();
    EXPECT_TRUE(change.accepted);
    EXPECT_TRUE(change.replaced);

    // The new header's settings dialog cancelled: replaced all the same.
    dialogs.settings_result = 0;
    dialogs.on_host = [](host_selection_values& v) {
        v.protocol_position = 4; // Modbus/TCP
        v.device_word = "HQP";
    };
    change = view.select_protocol();
    EXPECT_FALSE(change.accepted);
    EXPECT_TRUE(change.replaced);
    EXPECT_EQ(map.protocol_code, 10);

    dialogs.host_result = 0;
    change = view.select_protocol();
    EXPECT_FALSE(change.accepted);
    EXPECT_FALSE(change.replaced);

    header_values values;
    values.byte_order = map.header->byte_order;
    EXPECT_FALSE(editor.apply_form(values));
    values.byte_order = 1 - values.byte_order;
    EXPECT_TRUE(editor.apply_form(values));
    EXPECT_EQ(map.header->byte_order, values.byte_order);
}

} // namespace
