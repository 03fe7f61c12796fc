#pragma once
// The list of the 4 most recently used files, kept in the settings store beside the
// settings (section "Recent File List", keys "File1" to "File4", most recent first).

#include <QObject>
#include <QStringList>

class CRecentFiles : public QObject {
    Q_OBJECT
  public:
    static constexpr int capacity = 4;

    explicit CRecentFiles(QObject* parent = nullptr) : QObject(parent) {}

    // The stored list, most recent first.
    QStringList files() const;
    // Puts path at the top (once), drops what falls off the end and stores the list at once.
    void add(const QString& path);

  signals:
    void changed();
};
