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
        if (arg == QLatin1String("--send")) {
            // The file must follow; an option in its place means it was left out.
            if (i + 1 < args.size() && !args[i + 1].isEmpty() && !args[i + 1].startsWith('-'))
                request.send_path = args[++i];
            else
                request.usage_error = QStringLiteral("--send needs the file to send");
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            request.help = true;
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

QString command_line_usage() {
    return QStringLiteral("Usage: tessaly [FILE.zrp]\n"
                          "       tessaly --send FILE.zrp\n"
                          "Opens FILE in the editor, or sends it to the card over the link\n"
                          "chosen in Options > Port Setup. An editor already running in this\n"
                          "desktop session carries the request out.\n");
}
