#pragma once
// The settings store over QSettings with organisation "Quorvel Applications" and
// application "Tessaly". Values live under "section/key" and are synced at once.

#include "link/link_settings.h"

#include <QSettings>

class qt_settings_store : public link_settings {
  public:
    qt_settings_store();
    // A store in an explicit file (tests, portable setups).
    explicit qt_settings_store(const QString& ini_path);

    std::string value(const std::string& section, const std::string& key,
                      const std::string& default_value) override;
    void set_value(const std::string& section, const std::string& key,
                   const std::string& value) override;

  private:
    QSettings settings_;
};
