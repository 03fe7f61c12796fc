#pragma once
// The user interface of the fuzz targets: every message is dropped, every question answered
// Cancel / No, so that a run shows nothing and never waits.

#include "core/user_interface.h"

#include <string>

class quiet_ui : public user_interface, public progress_display {
  public:
    void message(const std::string&) override {}
    bool ask_retry_cancel(const std::string&) override { return false; }
    bool ask_yes_no(const std::string&) override { return false; }
    progress_display& progress() override { return *this; }
    void open(const std::string&, int, int) override {}
    void set_range(int, int) override {}
    void set_position(int) override {}
    void close() override {}
};
