#include "core/stderr_ui.h"

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
} // namespace

void stderr_ui::message(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

bool stderr_ui::ask_retry_cancel(const std::string& text) {
    message(text);
    return false;
}

bool stderr_ui::ask_yes_no(const std::string& text) {
    message(text);
    return false;
}

progress_display& stderr_ui::progress() {
    static silent_progress progress;
    return progress;
}
