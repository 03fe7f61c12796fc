#include "model/settings_dialogs.h"

namespace {

// Result of a dialog closed with Cancel.
constexpr int dialog_cancelled = 2;

// What the model sees until a front end installs its dialogs: every dialog is cancelled, so
// nothing is changed behind the user's back.
class cancelling_dialogs final : public settings_dialogs {
  public:
    int run_host_selection(host_selection_values&) override { return dialog_cancelled; }
    int run_protocol_settings(settings_dialog_kind, protocol_dialog_values&) override {
        return dialog_cancelled;
    }
    int run_register_properties(register_dialog_values&, int) override { return dialog_cancelled; }
};

cancelling_dialogs default_dialogs;
settings_dialogs* installed = nullptr;

} // namespace

settings_dialogs& dialogs() {
    return installed != nullptr ? *installed : default_dialogs;
}

settings_dialogs* set_dialogs(settings_dialogs* implementation) {
    settings_dialogs* previous = installed;
    installed = implementation;
    return previous;
}
