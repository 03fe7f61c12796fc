// File > Import > "Old ZRP File...": the file choices, messages, the overwrite question, the
// same-path error and the host protocol selection that names the target.

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
        scripted_ui messages;
        scoped_ui installed(messages);
        scripted_dialogs dialogs;
        scripted_chooser chooser;
        if (choose_old)
            chooser.old_path = dir_.filePath("old.zrp");
        run_import_command(nullptr, chooser);
        QCOMPARE(chooser.titles.size(), titles);
        QCOMPARE(chooser.titles[0], QString("Select an old file to convert:"));
        if (titles > 1)
            QCOMPARE(chooser.titles[1], QString("Select a name to save the converted file:"));
        auto expected = choose_old ? std::vector<std::string>{selected, cancelled}
                                   : std::vector<std::string>{cancelled};
        QCOMPARE(messages.texts(), expected);
        QVERIFY(dialogs.host_presets.empty());
    }

    void existing_output_answered_no() {
        scripted_ui messages;
        scoped_ui installed(messages);
        messages.answer({false});
        scripted_dialogs dialogs;
        scripted_chooser chooser;
        chooser.old_path = dir_.filePath("old.zrp");
        chooser.new_path = dir_.filePath("new.zrp");
        write_file(chooser.new_path, "keep me\n");
        run_import_command(nullptr, chooser);
        QCOMPARE(messages.texts(), (std::vector<std::string>{
                                       selected, "File Already Exists, Overwrite?", cancelled}));
        QCOMPARE(read_all(chooser.new_path), QByteArray("keep me\n"));
        QVERIFY(dialogs.host_presets.empty());
    }

    void same_file_is_refused() {
        scripted_ui messages;
        scoped_ui installed(messages);
        messages.answer({true});
        scripted_dialogs dialogs;
        scripted_chooser chooser;
        chooser.old_path = dir_.filePath("old.zrp");
        chooser.new_path = dir_.filePath("old.zrp");
        run_import_command(nullptr, chooser);
        QCOMPARE(messages.texts().back(), std::string("Error: new file name is the same as old."));
        QCOMPARE(read_all(chooser.old_path), old_map);
        QVERIFY(dialogs.host_presets.empty());
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
        scripted_ui messages;
        scoped_ui installed(messages);
        scripted_dialogs dialogs;
        if (confirmed)
            dialogs.host_answers.push_back({position, device.toStdString()});
        scripted_chooser chooser;
        chooser.old_path = dir_.filePath("old.zrp");
        chooser.new_path = dir_.filePath("new.zrp");
        run_import_command(nullptr, chooser);
        // The selection opens on device RDX with no protocol checked.
        QCOMPARE(dialogs.host_presets.size(), std::size_t(1));
        QCOMPARE(dialogs.host_presets[0].device_word, std::string("RDX"));
        QCOMPARE(dialogs.host_presets[0].protocol_position, -1);
        QCOMPARE(messages.texts(), (std::vector<std::string>{selected, done}));
        const QList<QByteArray> lines = read_all(chooser.new_path).split('\n');
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
        scripted_ui messages;
        scoped_ui installed(messages);
        scripted_dialogs dialogs;
        scripted_chooser chooser;
        chooser.old_path = dir_.filePath("missing.zrp");
        chooser.new_path = dir_.filePath("new.zrp");
        run_import_command(nullptr, chooser);
        QCOMPARE(messages.texts(),
                 (std::vector<std::string>{selected, "The file could not be opened.",
                                           "Error converting *.zrp file."}));
    }
};

QTEST_MAIN(tst_import_command)
#include "tst_import_command.moc"
