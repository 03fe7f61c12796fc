// The editor in a desktop session: the single-instance channel kept per session, real editor
// processes handing requests over (or not), the command line's usage errors, map paths with
// double quotes, and the port setup list of the system's serial ports.

#include "app/CInstanceChannel.h"
#include "app/CPortDialog.h"
#include "app/command_line.h"
#include "app_fixture.h"
#include "document/CTessalyDoc.h"
#include "event_loop_wait.h"

#include <QComboBox>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <optional>
#include <thread>
#include <unistd.h>

namespace {
// Sets the session's variables for the lifetime of the object (nullopt: unset), and puts the
// previous values back after.
class session_environment {
  public:
    session_environment(std::optional<QString> runtime_dir, std::optional<QString> display,
                        std::optional<QString> wayland = std::nullopt) {
        set("XDG_RUNTIME_DIR", runtime_dir);
        set("DISPLAY", display);
        set("WAYLAND_DISPLAY", wayland);
    }
    ~session_environment() {
        for (const auto& [name, value] : saved_)
            if (value)
                qputenv(name, *value);
            else
                qunsetenv(name);
    }

  private:
    void set(const char* name, const std::optional<QString>& value) {
        saved_.push_back(
            {name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
        if (value)
            qputenv(name, value->toLocal8Bit());
        else
            qunsetenv(name);
    }
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

// The environment of an editor process of its own: private settings, no display but the
// offscreen one, the given runtime folder.
QProcessEnvironment editor_environment(const QString& home, const QString& runtime_dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/config");
    env.insert("XDG_RUNTIME_DIR", runtime_dir);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    return env;
}

bool wait_for_file(const QString& path, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!QFileInfo::exists(path) && timer.elapsed() < ms)
        QThread::msleep(20);
    return QFileInfo::exists(path);
}

// Ends an editor process this test started.
void end_editor(QProcess& editor) {
    if (editor.state() != QProcess::NotRunning) {
        editor.kill();
        editor.waitForFinished(5000);
    }
}
} // namespace

class tst_desktop_session : public QObject {
    Q_OBJECT
  private slots:
    void channel_names_data() {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("same session") << 0 << 0 << true;
        QTest::newRow("another runtime folder") << 0 << 1 << false;
        QTest::newRow("another X display") << 0 << 2 << false;
        QTest::newRow("the screen of the same X display") << 0 << 3 << true;
        QTest::newRow("another Wayland display") << 4 << 5 << false;
        QTest::newRow("Wayland before X") << 4 << 6 << true;
        QTest::newRow("no runtime folder: another display") << 7 << 8 << false;
        QTest::newRow("a runtime folder that is missing counts as none") << 7 << 9 << true;
    }
    void channel_names() {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(bool, same);
        const QString dir_a = runtime_a_.path(), dir_b = runtime_b_.path();
        const QString missing = dir_a + "/missing";
        struct session {
            std::optional<QString> runtime, display, wayland;
        };
        const session sessions[] = {
            {dir_a, ":0", std::nullopt},        {dir_b, ":0", std::nullopt},
            {dir_a, ":1", std::nullopt},        {dir_a, ":0.0", std::nullopt},
            {dir_a, ":0", "wayland-0"},         {dir_a, ":0", "wayland-1"},
            {dir_a, ":7", "wayland-0"},         {std::nullopt, "localhost:10.0", std::nullopt},
            {std::nullopt, ":0", std::nullopt}, {missing, "localhost:10", std::nullopt},
        };
        auto name_in = [&](int i) {
            session_environment env(sessions[i].runtime, sessions[i].display, sessions[i].wayland);
            return CInstanceChannel::default_name();
        };
        const QString first = name_in(a), second = name_in(b);
        QCOMPARE(first == second, same);
        // In a runtime folder the socket lives there; else in the temporary folder under the
        // user's id (the folder is shared by every user).
        for (int i : {a, b}) {
            const QString name = name_in(i);
            const std::optional<QString>& runtime = sessions[i].runtime;
            if (runtime && QFileInfo(*runtime).isDir())
                QVERIFY2(name.startsWith(*runtime + "/"), qPrintable(name));
            else
                QVERIFY2(!name.contains('/') && name.contains(QString::number(::getuid())),
                         qPrintable(name));
        }
    }

    void a_long_or_odd_display_still_names_a_socket() {
        const QString odd = QString(200, 'x') + "/\"wayland\n";
        session_environment env(runtime_a_.path(), std::nullopt, odd);
        const QString name = CInstanceChannel::default_name();
        QVERIFY(name.size() < 100);
        listening_channel listener(name);
        QVERIFY(listener.listening);
        QVERIFY(deliver_from_thread(name, {"odd"}));
        QTRY_COMPARE(listener.received.size(), 1);
    }

    void sessions_with_other_runtime_folders_do_not_talk() {
        std::optional<CInstanceChannel> a, b;
        {
            session_environment env(runtime_a_.path(), ":0");
            a.emplace();
        }
        QVERIFY(a->listen());
        QSignalSpy received_a(&*a, &CInstanceChannel::command_received);
        {
            session_environment env(runtime_b_.path(), ":0");
            // Nobody listens in this session yet, and its own editor may listen.
            QVERIFY(!CInstanceChannel::deliver(CInstanceChannel::default_name(), {"x"}, 500));
            b.emplace();
        }
        QVERIFY(b->listen());
        QSignalSpy received_b(&*b, &CInstanceChannel::command_received);
        QVERIFY(deliver_from_thread(b->name(), {"for b"}));
        QTRY_COMPARE(received_b.size(), 1);
        QVERIFY(deliver_from_thread(a->name(), {"for a"}));
        QTRY_COMPARE(received_a.size(), 1);
        QCOMPARE(received_a[0][0].toString(), QStringLiteral("for a"));
        QCOMPARE(received_b.size(), 1);
    }

    // Real editors: the second of a session hands its file over and ends; one started in
    // another session becomes an editor of its own.
    void editors_of_two_sessions() {
        QTemporaryDir home;
        const QString map = home.filePath("map.zrp");
        write_file(map, map_text(1));
        const QString socket_a = runtime_a_.filePath("tessaly-editor-nodisplay");
        const QString socket_b = runtime_b_.filePath("tessaly-editor-nodisplay");

        QProcess first;
        first.setProcessEnvironment(editor_environment(home.path(), runtime_a_.path()));
        first.start(TESSALY_EDITOR, {});
        QVERIFY(first.waitForStarted(5000));
        QVERIFY2(wait_for_file(socket_a, 20000), "the first editor does not listen");

        QProcess same_session;
        same_session.setProcessEnvironment(editor_environment(home.path(), runtime_a_.path()));
        same_session.start(TESSALY_EDITOR, {map});
        QVERIFY(same_session.waitForFinished(10000));
        QCOMPARE(same_session.exitCode(), 0);

        QProcess other_session;
        other_session.setProcessEnvironment(editor_environment(home.path(), runtime_b_.path()));
        other_session.start(TESSALY_EDITOR, {map});
        QVERIFY(other_session.waitForStarted(5000));
        const bool own_channel = wait_for_file(socket_b, 20000);
        const bool still_running = other_session.state() == QProcess::Running;
        end_editor(other_session);
        end_editor(first);
        QVERIFY2(own_channel, "the editor of the other session does not listen on its own");
        QVERIFY(still_running);
    }

    void send_without_a_file_is_a_usage_error_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("--send alone") << QStringList{"--send"} << 2;
        QTest::newRow("--send before an option") << QStringList{"--send", "--bogus"} << 2;
        QTest::newRow("--send with an empty name") << QStringList{"--send", ""} << 2;
        QTest::newRow("--help") << QStringList{"--help"} << 0;
    }
    void send_without_a_file_is_a_usage_error() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const command_line_request r = parse_command_line(args);
        QCOMPARE(r.usage_error.isEmpty(), status == 0);
        QVERIFY(r.send_path.isEmpty() && r.file_to_open.isEmpty());
        // The program answers on the terminal, without a display.
        QProcess editor;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        editor.setProcessEnvironment(env);
        editor.start(TESSALY_EDITOR, args);
        QVERIFY(editor.waitForFinished(10000));
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.exitCode(), status);
        const QByteArray usage =
            (status == 0 ? editor.readAllStandardOutput() : editor.readAllStandardError());
        QVERIFY2(usage.contains("tessaly --send FILE"), usage.constData());
        if (status != 0) {
            QVERIFY(editor.readAllStandardOutput().isEmpty());
        }
    }

    void file_named_with_double_quotes_opens_from_the_channel() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        const QString map = settings.dir.filePath("plant \"north\" [1].zrp");
        write_file(map, map_text(1));
        QVERIFY(t.app->on_command_text(CInstanceChannel::open_request(map)));
        QCOMPARE(t.app->documents().frames().size(), 1);
        QCOMPARE(t.app->documents().active_document()->path(), map);
        QVERIFY(t.ui.events.empty());
    }

    void port_list_entries() {
        const QList<CPortDialog::entry> reported{
            {"/dev/ttyUSB0", "CP2102 USB to UART Bridge Controller"},
            {"/dev/ttyS0", "16550A"},
            {"/dev/ttyS12", ""},
            {"/dev/ttyACM0", "Feeder panel"},
        };
        const QList<CPortDialog::entry> entries = CPortDialog::port_entries(reported);
        QStringList names, descriptions;
        for (const auto& e : entries) {
            names << e.name;
            descriptions << e.description;
        }
        QCOMPARE(names, (QStringList{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8",
                                     "COM9", "/dev/ttyUSB0", "/dev/ttyS12", "/dev/ttyACM0"}));
        QCOMPARE(descriptions[0], QStringLiteral("/dev/ttyS0, 16550A"));
        QCOMPARE(descriptions[1], QStringLiteral("/dev/ttyS1"));
        QCOMPARE(descriptions[8], QStringLiteral("/dev/ttyS8"));
        QCOMPARE(descriptions[9], QStringLiteral("CP2102 USB to UART Bridge Controller"));

        // The dialog lists them sorted, each description beside its name; the field takes
        // the name, and the stored name still selects the entry it begins.
        CPortDialog dialog(entries, "/dev/ttyUSB", false);
        QComboBox* box = dialog.port_box();
        QCOMPARE(box->count(), entries.size());
        QCOMPARE(box->itemText(0), QStringLiteral("/dev/ttyACM0"));
        QCOMPARE(dialog.description(0), QStringLiteral("Feeder panel"));
        QCOMPARE(dialog.port_name(), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(dialog.description(box->currentIndex()),
                 QStringLiteral("CP2102 USB to UART Bridge Controller"));
        QCOMPARE(box->itemText(3), QStringLiteral("COM1"));
        QCOMPARE(dialog.description(3), QStringLiteral("/dev/ttyS0, 16550A"));
        // Free typing keeps working.
        box->setEditText("/tmp/ombra");
        QCOMPARE(dialog.port_name(), QStringLiteral("/tmp/ombra"));
    }

    void system_port_list_holds_the_com_names() {
        const QList<CPortDialog::entry> entries = CPortDialog::system_ports();
        QVERIFY(entries.size() >= 9);
        for (int n = 1; n <= 9; ++n)
            QCOMPARE(entries[n - 1].name, QStringLiteral("COM%1").arg(n));
    }

  private:
    QTemporaryDir runtime_a_, runtime_b_;
};

QTEST_MAIN(tst_desktop_session)
#include "tst_desktop_session.moc"
