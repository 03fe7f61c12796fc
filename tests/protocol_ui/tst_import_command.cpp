// File > Import > "Old ZRP File...": the file choices, messages, the overwrite question, the
// same-path error and the host protocol selection that names the target.

#include "document/editor_ui.h"
#include "protocol_ui/import_command.h"
#include "tests/protocol_ui/scripted_dialogs.h"
#include "tests/support/scripted_ui.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
class scripted_chooser : public import_file_chooser {
  public:
    QString open_path(QWidget*, const QString& title) override {
        titles << title;
        return old_path;
    }
    QString save_path(QWidget*, const QString& title) override {
        titles << title;
        return new_path;
    }
    QString old_path, new_path;
    QStringList titles;
};

// One run of the command with scripted messages and dialogs, on the files given (an empty
// path: that choice is cancelled).
struct import_run {
    import_run(const QString& old_path, const QString& new_path) {
        chooser.old_path = old_path;
        chooser.new_path = new_path;
    }
    void run() { run_import_command(nullptr, dialogs, chooser); }

    scripted_ui messages;
    scoped_editor_ui installed{messages};
    scripted_dialogs dialogs;
    scripted_chooser chooser;
};

const std::string cancelled = "Conversion cancelled.";
const std::string selected =
    "Input File Selected!\n\nNext, you will select the name\nunder which the converted\nfile "
    "will be saved.\n\nAfterwards you will be prompted for\nthe type of your target platform.";
const std::string done =
    "Conversion done!\n\nRe-Open the converted file and\nsetup protocol parameters now!";

QByteArray read_all(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write_file(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

const QByteArray old_map = "PLC_CHAN 19200 8 NONE 1\nONLINE 1\nREGMAX 1\nNODENUM 0\nHREG\n"
                           "40001 0 1 0 0 0 F:1 ASR\n"
                           "40002 0 1 1 0 0 F:1 MFA 100 0 1\n";
} // namespace

class tst_import_command : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString previous_dir_;

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        previous_dir_ = QDir::currentPath();
        QDir::setCurrent(dir_.path()); // convert.log goes to the current directory
        QFile::remove(dir_.filePath("new.zrp"));
        write_file(dir_.filePath("old.zrp"), old_map);
    }
    void cleanup() { QDir::setCurrent(previous_dir_); }

    void cancelled_file_choices_data() {
        QTest::addColumn<bool>("choose_old");
        QTest::addColumn<int>("titles");
        QTest::newRow("no old file") << false << 1;
        QTest::newRow("no new name") << true << 2;
    }
    void cancelled_file_choices() {
        QFETCH(bool, choose_old);
        QFETCH(int, titles);
        import_run r(choose_old ? dir_.filePath("old.zrp") : QString(), QString());
        r.run();
        QCOMPARE(r.chooser.titles.size(), titles);
        QCOMPARE(r.chooser.titles[0], QString("Select an old file to convert:"));
        if (titles > 1)
            QCOMPARE(r.chooser.titles[1], QString("Select a name to save the converted file:"));
        auto expected = choose_old ? std::vector<std::string>{selected, cancelled}
                                   : std::vector<std::string>{cancelled};
        QCOMPARE(r.messages.texts(), expected);
        QVERIFY(r.dialogs.host_presets.empty());
    }

    void existing_output_answered_no() {
        import_run r(dir_.filePath("old.zrp"), dir_.filePath("new.zrp"));
        r.messages.answer({false});
        write_file(r.chooser.new_path, "keep me\n");
        r.run();
        QCOMPARE(r.messages.texts(), (std::vector<std::string>{
                                         selected, "File Already Exists, Overwrite?", cancelled}));
        QCOMPARE(read_all(r.chooser.new_path), QByteArray("keep me\n"));
        QVERIFY(r.dialogs.host_presets.empty());
    }

    void same_file_is_refused() {
        import_run r(dir_.filePath("old.zrp"), dir_.filePath("old.zrp"));
        r.messages.answer({true});
        r.run();
        QCOMPARE(r.messages.texts().back(),
                 std::string("Error: new file name is the same as old."));
        QCOMPARE(read_all(r.chooser.old_path), old_map);
        QVERIFY(r.dialogs.host_presets.empty());
    }

    void selection_names_the_target_data() {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("position");
        QTest::addColumn<QByteArray>("first_line");
        QTest::addColumn<QByteArray>("status_name");
        QTest::newRow("cancelled")
            << false << "" << -1 << QByteArray("") << QByteArray("CondAlarmStat");
        QTest::newRow("RDX, none checked")
            << true << "RDX" << -1 << QByteArray("RDX Modbus Protocol")
            << QByteArray("CondAlarmStat");
        QTest::newRow("BLF Allen-Bradley")
            << true << "BLF" << 0 << QByteArray("BLF Allen-Bradley Protocol")
            << QByteArray("CondensedAlrmStatus");
        QTest::newRow("HQP Profinet IO")
            << true << "HQP" << 8 << QByteArray("HQP ProfinetIO Protocol")
            << QByteArray("CondAlarmStat");
    }
    void selection_names_the_target() {
        QFETCH(bool, confirmed);
        QFETCH(QString, device);
        QFETCH(int, position);
        QFETCH(QByteArray, first_line);
        QFETCH(QByteArray, status_name);
        import_run r(dir_.filePath("old.zrp"), dir_.filePath("new.zrp"));
        if (confirmed)
            r.dialogs.host_answers.push_back({position, device.toStdString()});
        r.run();
        // The selection opens on device RDX with no protocol checked.
        QCOMPARE(r.dialogs.host_presets.size(), std::size_t(1));
        QCOMPARE(r.dialogs.host_presets[0].device_word, std::string("RDX"));
        QCOMPARE(r.dialogs.host_presets[0].protocol_position, -1);
        QCOMPARE(r.messages.texts(), (std::vector<std::string>{selected, done}));
        const QList<QByteArray> lines = read_all(r.chooser.new_path).split('\n');
        QCOMPARE(lines.value(0), first_line);
        QCOMPARE(lines.value(1), QByteArray("PLC_CHAN 19200 8 NONE 1"));
        QCOMPARE(lines.value(2), QByteArray("REGMAX 1"));
        QCOMPARE(lines.value(4), QByteArray("HREG"));
        QVERIFY(lines.value(5).contains(" " + status_name));
        QCOMPARE(lines.value(6), QByteArray("40002 0 1 1 0 0 F:1 Massflow 100 0 1"));
        QVERIFY(
            read_all(dir_.filePath("convert.log")).contains("Stripped Old-Style line: ONLINE 1"));
    }

    void unreadable_old_file() {
        import_run r(dir_.filePath("missing.zrp"), dir_.filePath("new.zrp"));
        r.run();
        QCOMPARE(r.messages.texts(),
                 (std::vector<std::string>{selected, "The file could not be opened.",
                                           "Error converting *.zrp file."}));
    }
};

QTEST_MAIN(tst_import_command)
#include "tst_import_command.moc"
