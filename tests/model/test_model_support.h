#pragma once
// Helpers of the register-map tests: loading and saving map text, and dialogs that answer from
// a script and record what they were shown, run by the loops a view runs around them.

#include "core/silent_ui.h"
#include "edit/map_editor.h"
#include "format/map_text.h"
#include "format/register_text.h"
#include "model/zrp_file.h"

#include <deque>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace model_test {

inline std::string text_of(zrp_file& map) {
    std::ostringstream out;
    write_map(out, map);
    return out.str();
}

// Loads text into map; the load's messages go to ui (none are shown without one).
inline bool load(zrp_file& map, const std::string& text, user_interface& ui) {
    std::istringstream in(text);
    return read_map(in, map, ui);
}
inline bool load(zrp_file& map, const std::string& text) {
    silent_ui quiet;
    return load(map, text, quiet);
}

// A map loaded from text (its messages to ui); nullptr when the load fails.
inline std::unique_ptr<zrp_file> loaded(const std::string& text, user_interface& ui) {
    auto map = std::make_unique<zrp_file>();
    if (!load(*map, text, ui))
        return nullptr;
    return map;
}
inline std::unique_ptr<zrp_file> loaded(const std::string& text) {
    silent_ui quiet;
    return loaded(text, quiet);
}

inline std::string register_text(host_register& reg) {
    std::ostringstream out;
    write_register(out, reg);
    return out.str();
}

// Answers every dialog with its result after letting the matching function change the
// values; records what each dialog was shown.
class scripted_dialogs {
  public:
    virtual ~scripted_dialogs() = default;
    virtual bool select_protocol(host_selection_values& values) {
        host_shown.push_back(values);
        if (on_host)
            on_host(values);
        return host_result == 1;
    }
    virtual bool edit_settings(const protocol_description& protocol, header_values&) {
        settings_shown.push_back(protocol.form);
        return settings_result == 1;
    }
    virtual bool edit_register(register_dialog_values& values, bool existing) {
        register_shown.push_back(values);
        register_flags.push_back(existing ? 1 : 0);
        if (on_register)
            on_register(values);
        return register_result == 1;
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

// Register dialog answers in turn: each step edits the preset values and gives the dialog's
// result; when the steps run out the dialog is cancelled. Records how each dialog opened (1 for
// an existing register, 0 for a new one).
class register_script {
  public:
    using step = std::function<int(register_dialog_values&)>;
    bool answer(register_dialog_values& values, bool existing) {
        modes.push_back(existing ? 1 : 0);
        if (steps.empty())
            return false;
        step next = steps.front();
        steps.pop_front();
        return next(values) == 1;
    }
    std::deque<step> steps;
    std::vector<int> modes;
};

// A dialog OK that sets the register number, whole count and name.
inline register_script::step ok_with(int number, int whole = 1, std::string name = "Massflow") {
    return [=](register_dialog_values& v) {
        v.register_number = number;
        v.whole_count = whole;
        v.name = name;
        return 1;
    };
}

// The register numbers of a map, in its order.
inline std::vector<int> numbers(const zrp_file& map) {
    std::vector<int> out;
    for (int i = 0; i < map.register_count(); ++i)
        out.push_back(map.register_at(i)->register_number);
    return out;
}

// What a view does with the edit layer around its dialogs: each command runs its dialog from
// the values the edit layer gives and hands back what OK chose, Retry reopening a refused
// register dialog.
class dialog_view {
  public:
    dialog_view(map_editor& editor, scripted_dialogs& dialogs, user_interface& ui)
        : editor_(editor), dialogs_(dialogs), ui_(ui) {}

    map_editor::register_change new_register() {
        return run(editor_.new_register_values(), false,
                   [this](const auto& chosen) { return editor_.set_new_register(chosen); });
    }
    map_editor::register_change edit_properties(int row) {
        auto values = editor_.properties_values(row);
        if (!values)
            return {};
        return run(*values, true,
                   [this, row](const auto& chosen) { return editor_.set_properties(row, chosen); });
    }
    map_editor::header_change select_protocol() {
        host_selection_values selection = editor_.protocol_selection();
        if (!dialogs_.select_protocol(selection))
            return {};
        map_editor::header_change change = editor_.set_protocol(selection);
        if (change.replaced) {
            auto values = editor_.header_dialog_values(ui_);
            change.accepted = dialogs_.edit_settings(editor_.map().header->description(), *values);
            if (change.accepted)
                editor_.set_new_header_settings(*values);
        }
        return change;
    }
    map_editor::header_change edit_header() {
        auto values = editor_.header_dialog_values(ui_);
        if (!values || !dialogs_.edit_settings(editor_.map().header->description(), *values))
            return {};
        return editor_.set_header(*values);
    }

  private:
    template <class Set>
    map_editor::register_change run(register_dialog_values values, bool existing, Set set) {
        for (;;) {
            if (!dialogs_.edit_register(values, existing))
                break;
            const map_editor::register_outcome outcome = set(values);
            if (!outcome.refused)
                return outcome.change;
            if (!map_editor::ask_retry(outcome, ui_))
                break;
            values = outcome.retry;
        }
        editor_.cancel_register_edit();
        return {};
    }

    map_editor& editor_;
    scripted_dialogs& dialogs_;
    user_interface& ui_;
};

// What a serial settings form hands the edit layer when its node field changes: the header's
// serial settings, the node given, every other value at its default.
inline header_values serial_form(const protocol_header& header, int node) {
    header_values v;
    v.node = node;
    using enum header_field;
    for (header_field f : {baud, data_bits, parity, stop_bits, mode, byte_order})
        *v.integer(f) = *header.integer(f);
    return v;
}

// A register's property dialog run on its own: the register's values, and OK's applied.
inline bool edit_register(host_register& reg, scripted_dialogs& dialogs, bool existing = false) {
    register_dialog_values values = register_values(reg);
    if (!dialogs.edit_register(values, existing))
        return false;
    apply_register_values(reg, values);
    return true;
}

} // namespace model_test
