#include "app/reserved_names.h"

#include <QDir>

namespace {
struct reserved_name {
    const char* name;
    int code;
};
constexpr reserved_name reserved_names[] = {
    {"extract_blf", 0},
    {"extract_rdx", 1},
    {"extract_wnt", 2},
    {"extract_hqp", 3},
    {"extract_error", extract_error_code},
};
} // namespace

int reserved_extract_code(const QString& path) {
    // The names stand whole on the root of the file system, as the open path completes them.
    const QString root = QDir::rootPath();
    const QString clean = QDir::fromNativeSeparators(path);
    if (!clean.startsWith(root, Qt::CaseInsensitive))
        return not_reserved;
    const QString rest = clean.mid(root.size());
    for (const reserved_name& r : reserved_names)
        if (rest == QLatin1String(r.name))
            return r.code;
    return not_reserved;
}

QString reserved_extract_path(const QString& name) {
    return QDir::rootPath() + name;
}
