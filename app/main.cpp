// The Tessaly editor.

#include "app/CGuardedApplication.h"
#include "app/CInstanceChannel.h"
#include "app/CTessalyApp.h"
#include "app/CTessalyDoc.h"
#include "app/QtUserInterface.h"
#include "app/command_line.h"
#include "editing/install_register_dialog.h"
#include "link/send_request.h"
#include "link/transfer_messages.h"
#include "protocol_ui/editor_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <cstdio>

namespace {
// "--help" and usage errors are answered on the terminal, before any window (or display) is
// needed. Returns the exit status, or -1 when the editor is to start.
int answer_on_terminal(const command_line_request& request) {
    if (!request.usage_error.isEmpty()) {
        std::fprintf(stderr, "tessaly: %s\n%s", qPrintable(request.usage_error),
                     qPrintable(command_line_usage()));
        return 2;
    }
    if (request.help) {
        std::fputs(qPrintable(command_line_usage()), stdout);
        return 0;
    }
    return -1;
}
} // namespace

int main(int argc, char* argv[]) {
    {
        QStringList raw;
        for (int i = 1; i < argc; ++i)
            raw << QString::fromLocal8Bit(argv[i]);
        if (const int status = answer_on_terminal(parse_command_line(raw)); status >= 0)
            return status;
    }
    Q_INIT_RESOURCE(tessaly);
    CGuardedApplication application(argc, argv);
    QApplication::setOrganizationName(settings_organisation);
    QApplication::setApplicationName(settings_application);
    QApplication::setApplicationVersion(QStringLiteral("4.5"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tessaly.png")));

    // The toolkit's own options are gone now.
    const command_line_request request = parse_command_line(application.arguments().mid(1));
    if (const int status = answer_on_terminal(request); status >= 0)
        return status;

    QtUserInterface qt_ui;
    scoped_ui ui_in_force(qt_ui);

    auto absolute = [](const QString& p) {
        return QDir::cleanPath(QFileInfo(p).absoluteFilePath());
    };
    QString command;
    if (!request.send_path.isEmpty()) {
        const QString path = absolute(request.send_path);
        // Refused here rather than handed on and lost: the request would end the path early.
        if (!send_request_carries(CTessalyDoc::native_path(path))) {
            ui().detailed_message(msg_file_not_opened, cause_quote_in_send_path);
            return 1;
        }
        command = CInstanceChannel::send_request(path);
    } else if (!request.file_to_open.isEmpty()) {
        command = CInstanceChannel::open_request(absolute(request.file_to_open));
    }

    // An editor already running in this session carries the request out.
    CInstanceChannel channel;
    if (!command.isEmpty() && CInstanceChannel::deliver(channel.name(), {command}))
        return 0;

    install_editor_dialogs();

    CTessalyApp app;
    install_register_dialog(app.catalogue());
    // Started by the shell only to send a file: the editor closes once that is done.
    app.set_started_by_user(request.send_path.isEmpty());
    if (channel.listen())
        QObject::connect(&channel, &CInstanceChannel::command_received, &app,
                         &CTessalyApp::on_command_text);
    if (!app.init_instance(request.file_to_open))
        return 1;
    if (!request.send_path.isEmpty())
        QTimer::singleShot(0, &app, [&app, command] {
            if (!app.on_command_text(command))
                QApplication::quit();
        });
    const int result = application.exec();
    app.exit_instance();
    return result;
}
