#include "app/command_line.h"

namespace {
// Shell requests that are recognised and dropped (with "/" or "-" in front, any case).
constexpr const char* dropped_flags[] = {"p",           "pt",       "dde",       "automation",
                                         "embedding",   "register", "regserver", "unregister",
                                         "unregserver", "print",    "new"};

bool is_dropped_flag(const QString& arg) {
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-'))
        return false;
    QString word = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
    for (const char* flag : dropped_flags)
        if (word.compare(QLatin1String(flag), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
} // namespace

command_line_request parse_command_line(const QStringList& args) {
    command_line_request request;
    QString file;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--send") && i + 1 < args.size()) {
            request.send_path = args[++i];
        } else if (is_dropped_flag(arg)) {
            request.dropped = true;
        } else if (arg.startsWith('-') && arg.size() > 1) {
            request.dropped = true; // an option this program does not know
        } else if (file.isEmpty()) {
            file = arg;
        }
    }
    // A file given together with another request (e.g. print it) is part of that request.
    if (!request.dropped && request.send_path.isEmpty())
        request.file_to_open = file;
    return request;
}
