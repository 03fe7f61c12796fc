// The undo history of a map: random sequences of every kind of step on random maps, each
// undo giving back the saved text of the state before byte for byte and each redo the text
// after; the saved state; steps that do not count as modifications; joining the keystrokes
// of one field; the names the menu shows.

#include "model/header_codec.h"
#include "model/header_values.h"
#include "model/map_editor.h"
#include "model/register_clipboard.h"
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

// Every dialog answered from a random generator: sometimes cancelled, otherwise with random
// values (which may overlap other registers: the overlap question is then cancelled).
class random_dialogs : public model_test::scripted_dialogs {
  public:
    explicit random_dialogs(std::mt19937& rng) : rng_(rng) {}

    bool select_protocol(host_selection_values& v) override {
        if (rng_() % 5 == 0)
            return false;
        v.protocol_position = static_cast<int>(rng_() % 9);
        v.device_word = pick({"RDX", "HQP", "BLF", "WNT"});
        return true;
    }
    bool edit_settings(const protocol_description&, header_values& v) override {
        if (rng_() % 4 == 0)
            return false;
        v.node = static_cast<int>(rng_() % 100);
        v.parity = static_cast<int>(rng_() % 3);
        return true;
    }
    bool edit_register(register_dialog_values& v, bool) override {
        if (rng_() % 6 == 0)
            return false;
        if (rng_() % 2 == 0)
            v.register_number = static_cast<int>(rng_() % 80) + (rng_() % 2 ? 40000 : 0);
        v.whole_count = 1 + static_cast<int>(rng_() % 2);
        v.fraction_count = static_cast<int>(rng_() % 2);
        v.name = pick({"Massflow", "Setpoint", "ProcStat", "AlarmStatus3", "FeederName"});
        v.format = static_cast<int>(rng_() % 11);
        v.feeder = static_cast<int>(rng_() % 64);
        v.maximum_text = std::to_string(rng_() % 1000) + ".5";
        return true;
    }

  private:
    std::string pick(std::initializer_list<const char*> words) {
        return *(words.begin() + rng_() % words.size());
    }
    std::mt19937& rng_;
};

// Random rows of a list of count rows, now and then one outside it.
std::vector<int> random_rows(std::mt19937& rng, int count) {
    std::vector<int> rows;
    const int n = static_cast<int>(rng() % 5);
    for (int i = 0; i < n; ++i)
        rows.push_back(static_cast<int>(rng() % static_cast<unsigned>(count + 2)) - 1);
    return rows;
}

// One random run: the texts of the states the history can reach, the current state, the
// saved one, checked after every operation.
class history_run {
  public:
    explicit history_run(unsigned seed) : rng_(seed), dialogs_(rng_) {
        model_test::random_map_text maps(seed);
        model_test::load(map_, maps.next());
        other_text_ = maps.next();
        texts_.push_back(text_of(map_));
    }

    void run(int operations) {
        for (int i = 0; i < operations && !::testing::Test::HasFailure(); ++i)
            step(i);
        // Everything undone gives the map as loaded; everything redone the last state.
        while (editor_.history().can_undo())
            editor_.undo();
        EXPECT_EQ(text_of(map_), texts_.front());
        while (editor_.history().can_redo())
            editor_.redo();
        EXPECT_EQ(text_of(map_), texts_.back());
    }

  private:
    void step(int i) {
        const std::size_t done = editor_.history().done();
        const unsigned kind = rng_() % 14;
        SCOPED_TRACE("operation " + std::to_string(i) + " kind " + std::to_string(kind));
        switch (kind) {
        case 0:
        case 1: // undo, now and then several
            for (unsigned n = 1 + rng_() % 3; n > 0 && editor_.history().can_undo(); --n) {
                editor_.undo();
                --current_;
                ASSERT_EQ(text_of(map_), texts_[current_]);
            }
            break;
        case 2: // redo
            for (unsigned n = 1 + rng_() % 3; n > 0 && editor_.history().can_redo(); --n) {
                editor_.redo();
                ++current_;
                ASSERT_EQ(text_of(map_), texts_[current_]);
            }
            break;
        case 3: // save
            editor_.history().mark_clean();
            saved_ = current_;
            break;
        default:
            change(kind, done);
            break;
        }
        EXPECT_EQ(editor_.history().done(), current_);
        EXPECT_EQ(editor_.history().is_clean(), saved_ && *saved_ == current_);
    }

    void change(unsigned kind, std::size_t done) {
        const std::string before = text_of(map_);
        const int count = map_.register_count();
        bool may_join = false;
        switch (kind) {
        case 4:
            view_.new_register();
            break;
        case 5:
            view_.edit_properties(static_cast<int>(rng_() % static_cast<unsigned>(count + 1)));
            break;
        case 6:
            editor_.delete_rows(random_rows(rng_, count));
            break;
        case 7:
            editor_.cut_rows(random_rows(rng_, count));
            break;
        case 8: { // paste some of the map's own registers, or another map's text
            const std::string text =
                rng_() % 2 ? registers_text(map_, random_rows(rng_, count)) : other_text_;
            editor_.paste(text, static_cast<int>(rng_() % 5) - 1);
            break;
        }
        case 9: {
            if (rng_() % 3 != 0) { // now and then: mostly the map keeps its registers
                editor_.paste(registers_text(map_, random_rows(rng_, count)));
                break;
            }
            std::vector<std::unique_ptr<host_register>> table;
            for (unsigned n = rng_() % 4; n > 0; --n)
                table.push_back(
                    std::make_unique<host_register>(&map_, 40000 + static_cast<int>(rng_() % 20)));
            editor_.replace_registers(std::move(table), ui_);
            break;
        }
        case 10:
            view_.select_protocol();
            break;
        case 11:
            view_.edit_header();
            break;
        default: { // an edit in one of two fields of the settings form
            header_values v;
            const protocol_header& h = *map_.header;
            v.baud = h.baud;
            v.data_bits = h.data_bits;
            v.parity = h.parity;
            v.stop_bits = h.stop_bits;
            v.mode = h.mode;
            v.byte_order = h.byte_order;
            v.node = h.node + static_cast<int>(rng_() % 3);
            editor_.apply_form(v, &fields_[rng_() % 2]);
            may_join = true;
            break;
        }
        }
        const std::string after = text_of(map_);
        if (editor_.history().done() == done + 1) {
            texts_.resize(current_ + 1);
            texts_.push_back(after);
            if (saved_ && *saved_ > current_)
                saved_.reset();
            ++current_;
        } else if (may_join && after != before) {
            ASSERT_EQ(editor_.history().done(), done);
            texts_[current_] = after;
        } else {
            // Cancelled, refused or nothing to do: the map is as it was.
            ASSERT_EQ(editor_.history().done(), done);
            ASSERT_EQ(after, before);
        }
    }

    std::mt19937 rng_;
    random_dialogs dialogs_;
    scripted_ui ui_;
    zrp_file map_;
    map_editor editor_{map_};
    model_test::dialog_view view_{editor_, dialogs_, ui_};
    std::string other_text_;
    std::vector<std::string> texts_; // texts_[i]: the map after i steps
    std::size_t current_ = 0;
    std::optional<std::size_t> saved_ = 0;
    int fields_[2] = {};
};

TEST(MapHistory, HeaderCopiesKeepTheirProtocolAndValues) {
    // An undo step keeps a copy of the header a change replaced: of its own protocol, so that
    // undoing gives back every value the header writes.
    for (const std::string& text : model_test::headers_of_every_protocol("HQP")) {
        auto map = model_test::loaded(text + "40001 0 1 0 0 0 F:0 Massflow\n");
        ASSERT_TRUE(map);
        protocol_header copy = *map->header;
        EXPECT_EQ(&copy.description(), &map->header->description()) << text;
        std::ostringstream original, copied;
        write_header(original, *map->header);
        write_header(copied, copy);
        EXPECT_EQ(copied.str(), original.str());
    }
}

TEST(MapHistory, RandomStepsUndoAndRedoExactly) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        history_run(seed).run(160);
        if (::testing::Test::HasFailure())
            break;
    }
}

// Fixed steps on a Modbus map of registers 40001 to 40004.
class MapHistorySteps : public ::testing::Test {
  protected:
    MapHistorySteps() : map(1), editor(map), view(editor, dialogs, ui) {
        for (int n = 40001; n <= 40004; ++n)
            map.add_register(std::make_unique<host_register>(&map, n));
    }
    map_history& history() { return editor.history(); }
    header_values form(int node) const {
        header_values v;
        const protocol_header& h = *map.header;
        v.baud = h.baud;
        v.data_bits = h.data_bits;
        v.parity = h.parity;
        v.stop_bits = h.stop_bits;
        v.mode = h.mode;
        v.byte_order = h.byte_order;
        v.node = node;
        return v;
    }

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
