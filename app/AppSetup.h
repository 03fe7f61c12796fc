#pragma once
// One persistent setting of the editor: a section, a key and the current value, all text,
// kept in the per-user settings store of "Quorvel Applications" / "Tessaly". Constructing
// it reads the stored value; save() writes the current value back at once.

#include <QString>

class QSettings;

class AppSetup {
  public:
    AppSetup(QString section, QString key, QString default_value);

    const QString& section() const { return section_; }
    const QString& key() const { return key_; }
    const QString& value() const { return value_; }
    // Changes the current value (not yet stored).
    void set_value(const QString& value) { value_ = value; }
    // Writes the current value to the store.
    void save() const;
    // set_value() and save() in one step.
    void store(const QString& value);

    // The editor's settings store.
    static QSettings& settings();
    // Forgets the store object so that the next use opens it again (tests that change the
    // store's location between cases).
    static void reset_settings();

  private:
    QString section_;
    QString key_;
    QString value_;
};

// Names of the store.
inline constexpr const char* settings_organisation = "Quorvel Applications";
inline constexpr const char* settings_application = "Tessaly";
