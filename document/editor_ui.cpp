#include "document/editor_ui.h"

#include "core/stderr_ui.h"

namespace {
stderr_ui default_ui;
user_interface* current_ui = &default_ui;
} // namespace

user_interface& editor_ui() {
    return *current_ui;
}

user_interface* set_editor_ui(user_interface* implementation) {
    user_interface* previous = current_ui == &default_ui ? nullptr : current_ui;
    current_ui = implementation ? implementation : &default_ui;
    return previous;
}
