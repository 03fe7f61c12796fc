#pragma once
// The connection and poll interval last used for a map file, kept in the editor's settings
// store, so that the Live Values window of that map offers them again next time.

#include "live/live_map.h"

#include <QString>

#include <optional>

class QSettings;

struct remembered_connection {
    connection_settings settings;
    double interval_seconds = 1;
};

// What was last used for the map at path (an absolute path), or nothing.
std::optional<remembered_connection> recall_connection(QSettings& store, const QString& path);
// Keeps what is used now for the map at path.
void remember_connection(QSettings& store, const QString& path,
                         const remembered_connection& connection);
