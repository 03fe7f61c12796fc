#pragma once
// Helpers of the register-map tests: loading and saving map text, and a settings_dialogs
// that answers each dialog from a script and records what it was shown.

#include "model/settings_dialogs.h"
#include "model/zrp_file.h"

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace model_test {

inline std::string text_of(zrp_file& map) {
    std::ostringstream out;
    map.write(out);
    return out.str();
}

inline bool load(zrp_file& map, const std::string& text) {
    std::istringstream in(text);
    return map.read(in);
}

// A map loaded from text; fails the calling test when the load fails.
inline std::unique_ptr<zrp_file> loaded(const std::string& text) {
    auto map = std::make_unique<zrp_file>();
    if (!load(*map, text))
        return nullptr;
    return map;
}

inline std::string register_text(host_register& reg) {
    std::ostringstream out;
    reg.write(out);
    return out.str();
}

// Answers every dialog with its result after letting the matching function change the
// values; records what each dialog was shown.
class scripted_dialogs : public settings_dialogs {
  public:
    int run_host_selection(host_selection_values& values) override {
        host_shown.push_back(values);
        if (on_host)
            on_host(values);
        return host_result;
    }
    int run_protocol_settings(const protocol_description& protocol, int, header_values&) override {
        settings_shown.push_back(protocol.form);
        return settings_result;
    }
    int run_register_properties(register_dialog_values& values, int mode_flags) override {
        register_shown.push_back(values);
        register_flags.push_back(mode_flags);
        if (on_register)
            on_register(values);
        return register_result;
    }

    int host_result = 1;
    int settings_result = 1;
    int register_result = 1;
    std::function<void(host_selection_values&)> on_host;
    std::function<void(register_dialog_values&)> on_register;
    std::vector<host_selection_values> host_shown;
    std::vector<form_class_t> settings_shown;
    std::vector<register_dialog_values> register_shown;
    std::vector<int> register_flags;
};

class use_dialogs {
  public:
    explicit use_dialogs(settings_dialogs& d) : previous_(set_dialogs(&d)) {}
    ~use_dialogs() { set_dialogs(previous_); }
    use_dialogs(const use_dialogs&) = delete;
    use_dialogs& operator=(const use_dialogs&) = delete;

  private:
    settings_dialogs* previous_;
};

} // namespace model_test
