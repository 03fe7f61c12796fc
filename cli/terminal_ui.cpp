#include "cli/terminal_ui.h"

#include <cstdio>
#include <unistd.h>

terminal_ui::terminal_ui() : tty_(::isatty(STDERR_FILENO) == 1) {}

void terminal_ui::message(const std::string& text) {
    erase();
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    if (open_)
        draw();
}

void terminal_ui::detailed_message(const std::string& text, const std::string& detail) {
    message(detail.empty() ? text : text + "\n" + detail);
}

// Questions print nothing: only outcome messages reach standard error.
bool terminal_ui::ask_retry_cancel(const std::string&) {
    return retry_;
}
bool terminal_ui::ask_yes_no(const std::string&) {
    return yes_;
}

void terminal_ui::open(const std::string& title, int low, int high) {
    title_ = title;
    low_ = low;
    high_ = high;
    position_ = low;
    note_.clear();
    open_ = true;
    last_width_ = -1;
    draw();
}

void terminal_ui::set_range(int low, int high) {
    low_ = low;
    high_ = high;
    draw();
}

void terminal_ui::set_position(int position) {
    position_ = position;
    draw();
}

void terminal_ui::set_note(const std::string& note) {
    if (note == note_)
        return;
    note_ = note;
    // The bar is drawn again whole, with or without the note.
    erase();
    draw();
}

void terminal_ui::close() {
    erase();
    open_ = false;
}

void terminal_ui::draw() {
    if (!tty_ || !open_)
        return;
    constexpr int width = 40;
    long span = static_cast<long>(high_) - low_;
    long done = static_cast<long>(position_) - low_;
    int filled = span > 0 ? static_cast<int>(width *
                                             (done < 0      ? 0
                                              : done > span ? span
                                                            : done) /
                                             span)
                          : 0;
    if (filled == last_width_ && drawn_)
        return;
    last_width_ = filled;
    std::fprintf(stderr, "\r%s [%.*s%*s] %3d%%%s%s", title_.c_str(), filled,
                 "########################################", width - filled, "",
                 span > 0 ? static_cast<int>(100 * filled / width) : 0, note_.empty() ? "" : "  ",
                 note_.c_str());
    std::fflush(stderr);
    drawn_ = true;
}

void terminal_ui::erase() {
    if (tty_ && drawn_) {
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
        drawn_ = false;
        last_width_ = -1;
    }
}
