#pragma once
// The state of the Caps Lock, Num Lock and Scroll Lock keys for the status bar indicators.
// The display server knows it (X11's keyboard extension); without one the keyboard LEDs the
// system exposes (/sys/class/leds/*::capslock and the like) tell it. Where neither can be
// read the state is unknown.

struct keyboard_lock_state {
    bool known = false; // false: the platform gives no way to tell
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The state as the running display server or, failing that, the keyboard LEDs tell it.
keyboard_lock_state read_keyboard_locks();
// The state as the keyboard LEDs of a LED folder tell it (known when a lock LED is there).
keyboard_lock_state read_keyboard_locks(const char* leds_folder);
// The state as the X11 display of the application tells it (unknown on other platforms).
keyboard_lock_state read_x11_keyboard_locks();
