#include "app/CRecentFiles.h"

#include "app/AppSetup.h"

#include <QSettings>

namespace {
const char* recent_section = "Recent File List";

QString key(int i) {
    return QStringLiteral("%1/File%2").arg(recent_section).arg(i);
}
} // namespace

QStringList CRecentFiles::files() const {
    QSettings& s = AppSetup::settings();
    QStringList list;
    for (int i = 1; i <= capacity; ++i) {
        const QString f = s.value(key(i)).toString();
        if (!f.isEmpty())
            list << f;
    }
    return list;
}

void CRecentFiles::add(const QString& path) {
    QStringList list = files();
    list.removeAll(path);
    list.prepend(path);
    QSettings& s = AppSetup::settings();
    for (int i = 1; i <= capacity; ++i) {
        if (i <= list.size())
            s.setValue(key(i), list[i - 1]);
        else
            s.remove(key(i));
    }
    s.sync();
    emit changed();
}
