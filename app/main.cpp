// The Tessaly editor.

#include "app/CInstanceChannel.h"
#include "app/CTessalyApp.h"
#include "app/QtUserInterface.h"
#include "app/command_line.h"
#include "editing/install_register_dialog.h"
#include "protocol_ui/editor_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(tessaly);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(settings_organisation);
    QApplication::setApplicationName(settings_application);
    QApplication::setApplicationVersion(QStringLiteral("4.5"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tessaly.png")));

    const command_line_request request = parse_command_line(application.arguments().mid(1));
    auto absolute = [](const QString& p) {
        return QDir::cleanPath(QFileInfo(p).absoluteFilePath());
    };
    QString command;
    if (!request.send_path.isEmpty())
        command = CInstanceChannel::send_request(absolute(request.send_path));
    else if (!request.file_to_open.isEmpty())
        command = CInstanceChannel::open_request(absolute(request.file_to_open));

    // An editor already running carries the request out.
    CInstanceChannel channel;
    if (!command.isEmpty() && CInstanceChannel::deliver(channel.name(), {command}))
        return 0;

    QtUserInterface qt_ui;
    scoped_ui ui_in_force(qt_ui);
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
