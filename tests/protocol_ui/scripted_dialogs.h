#pragma once
// Protocol dialogs for the protocol UI tests: records what each dialog was preset with and
// answers from a script (nothing scripted: Cancel).

#include "protocol_ui/CProtocolDialogs.h"

#include <deque>
#include <functional>
#include <vector>

class scripted_dialogs : public CProtocolDialogs {
  public:
    bool select_protocol(host_selection_values& values) override {
        host_presets.push_back(values);
        if (host_answers.empty())
            return false;
        values = host_answers.front();
        host_answers.pop_front();
        return true;
    }
    bool edit_settings(const protocol_description& protocol, int, header_values& values) override {
        settings_kinds.push_back(protocol.form);
        settings_presets.push_back(values);
        if (!settings_answer)
            return false;
        settings_answer(values);
        return true;
    }

    std::deque<host_selection_values> host_answers;
    std::vector<host_selection_values> host_presets;
    // Changes the values and answers OK; empty answers Cancel.
    std::function<void(header_values&)> settings_answer;
    std::vector<form_class_t> settings_kinds;
    std::vector<header_values> settings_presets;
};
