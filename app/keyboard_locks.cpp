#include "app/keyboard_locks.h"

#include <QDir>
#include <QFile>

namespace {
struct lock_led {
    const char* suffix;
    bool keyboard_lock_state::*flag;
};
constexpr lock_led lock_leds[] = {
    {"::capslock", &keyboard_lock_state::caps},
    {"::numlock", &keyboard_lock_state::num},
    {"::scrolllock", &keyboard_lock_state::scroll},
};
} // namespace

keyboard_lock_state read_keyboard_locks(const char* leds_folder) {
    keyboard_lock_state state;
    const QDir dir(QString::fromLocal8Bit(leds_folder));
    // Several keyboards may be attached; a lock is on when any keyboard's LED is lit.
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const lock_led& led : lock_leds) {
            if (!name.endsWith(QLatin1String(led.suffix)))
                continue;
            QFile brightness(dir.filePath(name + "/brightness"));
            if (brightness.open(QIODevice::ReadOnly) && brightness.read(16).trimmed().toInt() > 0)
                state.*led.flag = true;
        }
    }
    return state;
}

keyboard_lock_state read_keyboard_locks() {
    return read_keyboard_locks("/sys/class/leds");
}
