#pragma once
// A user_interface for tests: records every message and question in order and answers
// questions from a script (answers run out -> Cancel / No).

#include "core/user_interface.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class scripted_ui : public user_interface, public progress_display {
  public:
    struct event {
        enum kind_t { message, retry_cancel, yes_no } kind;
        std::string text;
        std::string detail; // a message's detailed text, if it had one
    };

    // Queues the answers to the next questions, in order (true = Retry / Yes).
    void answer(std::initializer_list<bool> answers) {
        answers_.insert(answers_.end(), answers.begin(), answers.end());
    }

    void message(const std::string& text) override { events.push_back({event::message, text, {}}); }
    void detailed_message(const std::string& text, const std::string& detail) override {
        events.push_back({event::message, text, detail});
    }
    bool ask_retry_cancel(const std::string& text) override {
        events.push_back({event::retry_cancel, text, {}});
        return next_answer();
    }
    bool detailed_retry_cancel(const std::string& text, const std::string& detail) override {
        events.push_back({event::retry_cancel, text, detail});
        return next_answer();
    }
    bool ask_yes_no(const std::string& text) override {
        events.push_back({event::yes_no, text, {}});
        return next_answer();
    }
    progress_display& progress() override { return *this; }

    void open(const std::string& title, int low, int high) override {
        progress_title = title;
        progress_low = low;
        progress_high = high;
        progress_open = true;
        ++progress_opened;
    }
    void set_range(int low, int high) override {
        progress_low = low;
        progress_high = high;
    }
    void set_position(int position) override { positions.push_back(position); }
    void set_note(const std::string& note) override {
        notes.push_back(note);
        if (on_note)
            on_note(note);
    }
    void close() override { progress_open = false; }

    // The texts of all recorded events, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& e : events)
            out.push_back(e.text);
        return out;
    }

    std::vector<event> events;
    std::vector<int> positions;
    std::vector<std::string> notes; // every note set, empty ones included
    std::function<void(const std::string&)> on_note;
    std::string progress_title;
    int progress_low = 0, progress_high = 0, progress_opened = 0;
    bool progress_open = false;

  private:
    bool next_answer() {
        if (answers_.empty())
            return false;
        bool a = answers_.front();
        answers_.pop_front();
        return a;
    }
    std::deque<bool> answers_;
};
