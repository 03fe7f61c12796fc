#include "edit/map_history.h"

std::string map_history::undo_name() const {
    return can_undo() ? steps_[done_ - 1].step.name() : std::string();
}

std::string map_history::redo_name() const {
    return can_redo() ? steps_[done_].step.name() : std::string();
}

bool map_history::in_clean(std::size_t state) const {
    return has_clean_ && clean_first_ <= state && state <= clean_last_;
}

bool map_history::is_clean() const {
    return in_clean(done_);
}

void map_history::push(map_step step, bool counts_as_modification, const void* join_key) {
    // The states after the current one go with the steps undone.
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    if (has_clean_ && clean_first_ > done_)
        has_clean_ = false;
    else if (has_clean_ && clean_last_ > done_)
        clean_last_ = done_;
    const bool was_clean = is_clean();

    steps_.push_back({std::move(step), join_key});
    ++done_;
    if (was_clean && !counts_as_modification)
        clean_last_ = done_;
    if (steps_.size() > max_steps)
        drop_oldest();
    join_open_ = join_key != nullptr;
    changed();
}

void map_history::drop_oldest() {
    steps_.pop_front();
    --done_;
    if (!has_clean_)
        return;
    // The state before the dropped step cannot be reached any more.
    if (clean_last_ == 0)
        has_clean_ = false;
    else {
        --clean_last_;
        if (clean_first_ > 0)
            --clean_first_;
    }
}

map_step* map_history::joinable(const void* join_key) {
    if (!join_open_ || join_key == nullptr || done_ == 0 || done_ != steps_.size() ||
        steps_.back().join_key != join_key)
        return nullptr;
    return &steps_.back().step;
}

void map_history::joined(bool counts_as_modification) {
    // The current state changed: when the change counts, it is no longer the saved one.
    if (counts_as_modification && in_clean(done_)) {
        if (clean_first_ == done_)
            has_clean_ = false;
        else
            clean_last_ = done_ - 1;
    }
    changed();
}

map_step::outcome map_history::undo(zrp_file& map) {
    if (!can_undo())
        return {};
    --done_;
    join_open_ = false;
    map_step::outcome result = steps_[done_].step.undo(map);
    changed();
    return result;
}

map_step::outcome map_history::redo(zrp_file& map) {
    if (!can_redo())
        return {};
    join_open_ = false;
    map_step::outcome result = steps_[done_].step.redo(map);
    ++done_;
    changed();
    return result;
}

void map_history::mark_clean() {
    has_clean_ = true;
    clean_first_ = clean_last_ = done_;
    join_open_ = false;
    changed();
}

void map_history::forget_clean() {
    has_clean_ = false;
    join_open_ = false;
    changed();
}

void map_history::changed() {
    if (listener_)
        listener_();
}
