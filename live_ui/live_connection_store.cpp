#include "live_ui/live_connection_store.h"

#include <QCryptographicHash>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

// One group per map file, named by a digest of its path (a path's slashes would make groups
// of their own); the path itself is kept in it to tell the groups apart.
QString group_of(const QString& path) {
    return QStringLiteral("LiveValues/") +
           QString::fromLatin1(
               QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex());
}

} // namespace

std::optional<remembered_connection> recall_connection(QSettings& store, const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    store.beginGroup(group_of(path));
    std::optional<remembered_connection> out;
    if (store.value(QStringLiteral("Path")).toString() == path) {
        remembered_connection c;
        auto& s = c.settings;
        s.transport = store.value(QStringLiteral("Transport")).toString() == QLatin1String("rtu")
                          ? link_transport::rtu
                          : link_transport::tcp;
        s.host = store.value(QStringLiteral("Host")).toString().toStdString();
        s.port = std::clamp(store.value(QStringLiteral("Port"), 502).toInt(), 1, 65535);
        s.device = store.value(QStringLiteral("Device")).toString().toStdString();
        s.baud = store.value(QStringLiteral("Baud"), 19200).toInt();
        const QString parity =
            store.value(QStringLiteral("Parity"), QStringLiteral("N")).toString();
        s.parity = parity == QLatin1String("E") ? 'E' : parity == QLatin1String("O") ? 'O' : 'N';
        s.stop_bits = store.value(QStringLiteral("StopBits"), 1).toInt() == 2 ? 2 : 1;
        s.unit = std::clamp(store.value(QStringLiteral("Unit"), 1).toInt(), 0, 255);
        const double interval = store.value(QStringLiteral("Interval"), 1.0).toDouble();
        c.interval_seconds = std::isfinite(interval) ? std::clamp(interval, 0.2, 60.0) : 1.0;
        if (s.baud <= 0)
            s.baud = 19200;
        out = c;
    }
    store.endGroup();
    return out;
}

void remember_connection(QSettings& store, const QString& path,
                         const remembered_connection& connection) {
    if (path.isEmpty())
        return;
    const auto& s = connection.settings;
    store.beginGroup(group_of(path));
    store.setValue(QStringLiteral("Path"), path);
    store.setValue(QStringLiteral("Transport"), s.transport == link_transport::rtu
                                                    ? QStringLiteral("rtu")
                                                    : QStringLiteral("tcp"));
    store.setValue(QStringLiteral("Host"), QString::fromStdString(s.host));
    store.setValue(QStringLiteral("Port"), s.port);
    store.setValue(QStringLiteral("Device"), QString::fromStdString(s.device));
    store.setValue(QStringLiteral("Baud"), s.baud);
    store.setValue(QStringLiteral("Parity"), QString(QLatin1Char(s.parity)));
    store.setValue(QStringLiteral("StopBits"), s.stop_bits);
    store.setValue(QStringLiteral("Unit"), s.unit);
    store.setValue(QStringLiteral("Interval"), connection.interval_seconds);
    store.endGroup();
    store.sync();
}
