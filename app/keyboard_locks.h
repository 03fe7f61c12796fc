#pragma once
// The state of the Caps Lock, Num Lock and Scroll Lock keys for the status bar indicators,
// read from the keyboard LEDs the system exposes (/sys/class/leds/*::capslock and the like).
// Where none is readable every lock counts as off.

struct keyboard_lock_state {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

keyboard_lock_state read_keyboard_locks();
// The same read from another LED folder (tests).
keyboard_lock_state read_keyboard_locks(const char* leds_folder);
