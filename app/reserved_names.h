#pragma once
// The reserved document names through which the Extract commands reach the document's open
// operation: the path, after its root, is "extract_blf", "extract_rdx", "extract_wnt",
// "extract_hqp" (a configuration extraction for that device) or "extract_error" (the error
// list).

#include <QString>

inline constexpr int not_reserved = -1;
inline constexpr int extract_error_code = -2;

// The device code (0 to 3) of a configuration extraction name, extract_error_code for the
// error list, not_reserved for any other path.
int reserved_extract_code(const QString& path);
// The full path of a reserved name ("extract_rdx" -> "/extract_rdx" on this desktop).
QString reserved_extract_path(const QString& name);
