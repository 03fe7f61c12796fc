#include "core/user_interface.h"

#include <cstdio>

namespace {

class silent_progress final : public progress_display {
  public:
    void open(const std::string&, int, int) override {}
    void set_range(int, int) override {}
    void set_position(int) override {}
    void set_note(const std::string&) override {}
    void close() override {}
};

// Used where no front end installed its own: a message still reaches a human on stderr.
class stderr_ui final : public user_interface {
  public:
    void message(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    bool ask_retry_cancel(const std::string& text) override {
        message(text);
        return false;
    }
    bool ask_yes_no(const std::string& text) override {
        message(text);
        return false;
    }
    progress_display& progress() override { return progress_; }

  private:
    silent_progress progress_;
};

stderr_ui default_ui;
user_interface* current_ui = &default_ui;

} // namespace

user_interface& ui() {
    return *current_ui;
}

user_interface* set_ui(user_interface* implementation) {
    user_interface* previous = current_ui == &default_ui ? nullptr : current_ui;
    current_ui = implementation ? implementation : &default_ui;
    return previous;
}
