#include "app/AppSetup.h"

#include <QSettings>

#include <memory>

namespace {
std::unique_ptr<QSettings>& settings_store() {
    static std::unique_ptr<QSettings> s;
    return s;
}

QString full_key(const QString& section, const QString& key) {
    return section + '/' + key;
}
} // namespace

AppSetup::AppSetup(QString section, QString key, QString default_value)
    : section_(std::move(section)), key_(std::move(key)) {
    value_ = settings().value(full_key(section_, key_), default_value).toString();
}

void AppSetup::save() const {
    settings().setValue(full_key(section_, key_), value_);
    settings().sync();
}

void AppSetup::store(const QString& value) {
    set_value(value);
    save();
}

QSettings& AppSetup::settings() {
    auto& s = settings_store();
    if (!s)
        s = std::make_unique<QSettings>(settings_organisation, settings_application);
    return *s;
}

void AppSetup::reset_settings() {
    settings_store().reset();
}
