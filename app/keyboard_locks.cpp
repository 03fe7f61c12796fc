#include "app/keyboard_locks.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {
struct lock_key {
    const char* led_suffix;     // the kernel LED's name ends with it
    const char* indicator_name; // the X keyboard extension's indicator
    bool keyboard_lock_state::*flag;
};
constexpr lock_key lock_keys[] = {
    {"::capslock", "Caps Lock", &keyboard_lock_state::caps},
    {"::numlock", "Num Lock", &keyboard_lock_state::num},
    {"::scrolllock", "Scroll Lock", &keyboard_lock_state::scroll},
};
} // namespace

keyboard_lock_state read_keyboard_locks(const char* leds_folder) {
    keyboard_lock_state state;
    const QDir dir(QString::fromLocal8Bit(leds_folder));
    // Several keyboards may be attached; a lock is on when any keyboard's LED is lit.
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const lock_key& key : lock_keys) {
            if (!name.endsWith(QLatin1String(key.led_suffix)))
                continue;
            QFile brightness(dir.filePath(name + "/brightness"));
            if (!brightness.open(QIODevice::ReadOnly))
                continue;
            state.known = true;
            if (brightness.read(16).trimmed().toInt() > 0)
                state.*key.flag = true;
        }
    }
    return state;
}

keyboard_lock_state read_x11_keyboard_locks() {
    keyboard_lock_state state;
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return state;
    for (const lock_key& key : lock_keys) {
        // Only an existing atom can name an indicator; none is created for the question.
        const Atom name = XInternAtom(display, key.indicator_name, True);
        Bool on = False;
        if (name != None &&
            XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr) != False) {
            state.known = true;
            state.*key.flag = on != False;
        }
    }
    return state;
}

keyboard_lock_state read_keyboard_locks() {
    const keyboard_lock_state from_display = read_x11_keyboard_locks();
    if (from_display.known)
        return from_display;
    return read_keyboard_locks("/sys/class/leds");
}
