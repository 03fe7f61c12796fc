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
    bool help = false;    // "--help": print the usage and end
    // Set when the command line cannot be carried out ("--send" without a file): the
    // program prints it with the usage on standard error and ends with status 2.
    QString usage_error;
};

// args: the arguments after the program name.
command_line_request parse_command_line(const QStringList& args);

// The usage text printed for "--help" and after a usage error.
QString command_line_usage();
