#include "model/settings_dialogs.h"

#include "core/user_interface.h"
#include "model/protocol_header.h"

namespace {

// Result of a dialog closed with Cancel.
constexpr int dialog_cancelled = 2;

// What the model sees until a front end installs its dialogs: every dialog is cancelled, so
// nothing is changed behind the user's back.
class cancelling_dialogs final : public settings_dialogs {
  public:
    int run_host_selection(host_selection_values&) override { return dialog_cancelled; }
    int run_protocol_settings(const protocol_description&, int, header_values&) override {
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

int run_header_dialog(protocol_header& header) {
    header_values values = header.dialog_values(ui());
    const int result =
        dialogs().run_protocol_settings(header.description(), header.device_code, values);
    if (result == 1)
        header.take_dialog(values);
    return result;
}
