#pragma once
// A user interface for programs without windows of their own: every message is written to
// standard error, and every question is answered with Cancel / No, so that nothing is done
// behind the user's back.

#include "core/user_interface.h"

class stderr_ui final : public user_interface {
  public:
    void message(const std::string& text) override;
    bool ask_retry_cancel(const std::string& text) override;
    bool ask_yes_no(const std::string& text) override;
    progress_display& progress() override;
};
