#pragma once
// The user interface the editor speaks through: the application's message boxes and progress
// windows once it has installed them, standard error until then; tests install scripted ones.
// The editor hands it to the core wherever the core must speak to the user.

#include "core/user_interface.h"

user_interface& editor_ui();
// Installs an implementation (not owned) and returns the previous one; nullptr restores the
// default.
user_interface* set_editor_ui(user_interface* implementation);

// Installs an implementation for the lifetime of this object.
class scoped_editor_ui {
  public:
    explicit scoped_editor_ui(user_interface& implementation)
        : previous_(set_editor_ui(&implementation)) {}
    ~scoped_editor_ui() { set_editor_ui(previous_); }
    scoped_editor_ui(const scoped_editor_ui&) = delete;
    scoped_editor_ui& operator=(const scoped_editor_ui&) = delete;

  private:
    user_interface* previous_;
};
