#pragma once
// The editor's command line: a file to open, or the desktop's send request. Every other
// request a shell may pass (print, register, automation and the like) is dropped, so that
// without a file no document is created.

#include <QString>
#include <QStringList>

struct command_line_request {
    QString file_to_open;
    QString send_path;    // "--send PATH": the desktop's "Send to device" action
    bool dropped = false; // a request other than opening a file was given and ignored
};

// args: the arguments after the program name.
command_line_request parse_command_line(const QStringList& args);
