#pragma once
// A settings_dialogs for the protocol UI tests: records what each dialog was preset with and
// answers from a script (nothing scripted: Cancel).

#include "model/protocol_header.h"
#include "model/settings_dialogs.h"

#include <deque>
#include <functional>
#include <vector>

class scripted_dialogs : public settings_dialogs {
  public:
    scripted_dialogs() : previous_(set_dialogs(this)) {}
    ~scripted_dialogs() override { set_dialogs(previous_); }

    int run_host_selection(host_selection_values& values) override {
        host_presets.push_back(values);
        if (host_answers.empty())
            return 0;
        const auto answer = host_answers.front();
        host_answers.pop_front();
        values = answer;
        return 1;
    }
    int run_protocol_settings(const protocol_description& protocol, int device_code,
                              header_values& values) override {
        settings_kinds.push_back(protocol.form);
        (void)device_code;
        settings_presets.push_back(values);
        if (!settings_answer)
            return 0;
        settings_answer(values);
        return 1;
    }
    int run_register_properties(register_dialog_values&, int) override { return 0; }

    std::deque<host_selection_values> host_answers;
    std::vector<host_selection_values> host_presets;
    // Changes the values and answers OK; empty answers Cancel.
    std::function<void(header_values&)> settings_answer;
    std::vector<form_class_t> settings_kinds;
    std::vector<header_values> settings_presets;

  private:
    settings_dialogs* previous_;
};
