#pragma once
// The command-line face of the core's user interface: every message goes to standard error as
// its text and a line feed; questions are not asked (scripts have nobody to answer them) and
// take the answer the command set beforehand; progress is a bar on standard error, with the
// transfer's note beside it ("No answer from the card, transmission 5 of 12"), drawn only
// when standard error is a terminal.

#include "core/user_interface.h"

class terminal_ui final : public user_interface, public progress_display {
  public:
    terminal_ui();

    // The answers given to the questions that come up (default: Cancel and No).
    void set_answers(bool retry, bool yes) {
        retry_ = retry;
        yes_ = yes;
    }

    void message(const std::string& text) override;
    // The message, then its detail (the path and the reason of a failure) on the next line.
    void detailed_message(const std::string& text, const std::string& detail) override;
    bool ask_retry_cancel(const std::string& text) override;
    bool ask_yes_no(const std::string& text) override;
    progress_display& progress() override { return *this; }

    void open(const std::string& title, int low, int high) override;
    void set_range(int low, int high) override;
    void set_position(int position) override;
    void set_note(const std::string& note) override;
    void close() override;

  private:
    void draw();
    void erase();

    bool tty_;
    bool retry_ = false, yes_ = false;
    bool open_ = false, drawn_ = false;
    std::string title_, note_;
    int low_ = 0, high_ = 0, position_ = 0, last_width_ = -1;
};
