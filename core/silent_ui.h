#pragma once
// A user interface that shows nothing and answers every question with Cancel / No: for
// programs and steps whose messages nobody reads (benchmarks, fuzz targets, loading a map
// whose registers are thrown away).

#include "core/user_interface.h"

class silent_ui : public user_interface, public progress_display {
  public:
    void message(const std::string&) override {}
    bool ask_retry_cancel(const std::string&) override { return false; }
    bool ask_yes_no(const std::string&) override { return false; }
    progress_display& progress() override { return *this; }

    void open(const std::string&, int, int) override {}
    void set_range(int, int) override {}
    void set_position(int) override {}
    void set_note(const std::string&) override {}
    void close() override {}
};
