#pragma once
// The undo history of one map: the steps done (which Undo reverses, last first) and the
// steps undone (which Redo does again), and which states of the map count as unmodified.
//
// The states of the map are numbered by how many steps are done. The clean states are a
// range of them: the state last saved (or opened) and the states that differ from it only by
// steps that do not count as a modification (a settings form edit in a map without
// registers, say). The map is unmodified while the current state lies in that range. A map
// that has never been saved (an extraction) has no clean state.

#include "edit/map_step.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

class map_history {
  public:
    // The oldest steps are dropped beyond this many.
    static constexpr std::size_t max_steps = 1000;

    bool can_undo() const { return done_ > 0; }
    bool can_redo() const { return done_ < steps_.size(); }
    // The names of the steps Undo and Redo would take (empty when there is none).
    std::string undo_name() const;
    std::string redo_name() const;
    // Steps done and steps in all.
    std::size_t done() const { return done_; }
    std::size_t size() const { return steps_.size(); }

    // Adds a step that was just done; the steps undone before it are dropped. A step that
    // counts as no modification keeps an unmodified map unmodified. A later change with the
    // same (non-null) join key may join this step (see joinable).
    void push(map_step step, bool counts_as_modification = true, const void* join_key = nullptr);
    // The last step done, when a change with join_key may join it: it was pushed with that
    // key and nothing happened since (no other step, undo, redo or save). Else nullptr.
    map_step* joinable(const void* join_key);
    // A change joined the last step (see joinable).
    void joined(bool counts_as_modification);

    // Reverse the last step done / do the first step undone again; nothing when there is
    // none.
    map_step::outcome undo(zrp_file& map);
    map_step::outcome redo(zrp_file& map);

    // The current state is the saved one.
    void mark_clean();
    // No state is the saved one any more (until the next save).
    void forget_clean();
    bool is_clean() const;

    // Called after every change of the history or of its clean states.
    void set_listener(std::function<void()> listener) { listener_ = std::move(listener); }

  private:
    struct entry {
        map_step step;
        const void* join_key;
    };
    void changed();
    bool in_clean(std::size_t state) const;
    void drop_oldest();

    std::deque<entry> steps_;
    std::size_t done_ = 0;
    bool has_clean_ = true;
    std::size_t clean_first_ = 0;
    std::size_t clean_last_ = 0;
    bool join_open_ = false;
    std::function<void()> listener_;
};
