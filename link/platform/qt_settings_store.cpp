#include "link/platform/qt_settings_store.h"

namespace {

QString settings_key(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

} // namespace

qt_settings_store::qt_settings_store()
    : settings_(QStringLiteral("Quorvel Applications"), QStringLiteral("Tessaly")) {}

qt_settings_store::qt_settings_store(const QString& ini_path)
    : settings_(ini_path, QSettings::IniFormat) {}

std::string qt_settings_store::value(const std::string& section, const std::string& key,
                                     const std::string& default_value) {
    return settings_.value(settings_key(section, key), QString::fromStdString(default_value))
        .toString()
        .toStdString();
}

void qt_settings_store::set_value(const std::string& section, const std::string& key,
                                  const std::string& value) {
    settings_.setValue(settings_key(section, key), QString::fromStdString(value));
    settings_.sync();
}
