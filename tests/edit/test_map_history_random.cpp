// The undo history of a map on random sequences of every kind of step on random maps: each
// undo gives back the saved text of the state before byte for byte, each redo the text after.

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
            const protocol_header& h = *map_.header;
            const int node = h.node + static_cast<int>(rng_() % 3);
            editor_.apply_form(model_test::serial_form(h, node), &fields_[rng_() % 2]);
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

} // namespace
