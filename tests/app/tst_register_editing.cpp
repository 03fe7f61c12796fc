// End to end in the running editor: a new map, one register of every kind added through the
// real register dialog by its commands, one edited, saved; the file reads back to the same map
// and tessaly-cli format gives it back line for line.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/command_table.h"
#include "app_fixture.h"
#include "document/CTessalyDoc.h"
#include "editing/CRegisterDialog.h"
#include "editing/CRegisterProperty_1.h"
#include "editing/CRegisterProperty_2.h"
#include "editing/CRegisterProperty_3.h"
#include "editing/CRegisterView.h"
#include "format/map_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <sstream>

namespace {

template <class W> W* named(QWidget* root, const QString& name) {
    for (W* w : root->findChildren<W*>())
        if (w->accessibleName() == name)
            return w;
    return nullptr;
}

// What the user does in the dialog before pressing OK.
using dialog_steps = std::function<void(CRegisterDialog&)>;

void pick(CRegisterDialog& d, const char* parameter) {
    QTreeWidget* tree = d.register_page()->tree();
    const auto items = tree->findItems(parameter, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY2(!items.isEmpty(), parameter);
    tree->setCurrentItem(items.front());
}
void type(CRegisterDialog& d, int type) {
    QComboBox* box = d.register_page()->type_box();
    box->setCurrentIndex(type);
    emit box->activated(type);
}
void typed(CRegisterDialog& d, const char* field, const QString& text) {
    QLineEdit* edit = named<QLineEdit>(&d, field);
    QVERIFY2(edit && edit->isEnabled(), field);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}
void choice(CRegisterDialog& d, const char* group, int position) {
    QGroupBox* box = named<QGroupBox>(&d, group);
    QVERIFY2(box, group);
    box->findChildren<QRadioButton*>()[position]->click();
}

} // namespace

class tst_register_editing : public QObject {
    Q_OBJECT
  private:
    // Runs command with the register dialog answered by steps and OK; false when no dialog
    // opened or it did not close.
    bool through_dialog(CMainFrame* frame, int command, const dialog_steps& steps) {
        bool seen = false, closed = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CRegisterDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            seen = true;
            steps(*dialog);
            dialog->ok_button()->click();
            closed = !dialog->isVisible();
            if (!closed)
                dialog->reject();
        });
        frame->run_command(command);
        return seen && closed;
    }

  private slots:
    void add_every_kind_edit_save_and_read_back() {
        private_settings settings;
        // Host selections and settings from the script, register properties from the real
        // dialog.
        app_under_test t(settings, nullptr, true);
        scripted_dialogs& dialogs = t.dialogs;
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame));

        // An "RDX" Profibus map: the network protocol locks the trigger modes.
        dialogs.selections.push_back({1, 3, "RDX"});
        CTessalyDoc* doc = t.app->documents().file_new();
        QVERIFY(doc);
        QVERIFY(frame->command_enabled(ID_INSERT_NEW_REGISTER));

        const dialog_steps registers[] = {
            [](CRegisterDialog& d) {
                pick(d, "Massflow");
                type(d, 1);
                typed(d, "Max:", "250");
                typed(d, "Min:", "-10");
                typed(d, "Scale:", "2.5");
            },
            [](CRegisterDialog& d) {
                pick(d, "Setpoint");
                type(d, 2);
                named<QSpinBox>(&d, "Decimal shift:")->setValue(-3);
            },
            [](CRegisterDialog& d) {
                pick(d, "FeederName");
                named<QCheckBox>(&d, "Swapped")->click();
            },
            [](CRegisterDialog& d) {
                pick(d, "ProcStat");
                typed(d, "Length:", "8");
            },
            [](CRegisterDialog& d) {
                pick(d, "AlarmStatus1");
                named<QCheckBox>(&d, "Swapped")->click();
            },
            [](CRegisterDialog& d) {
                // The new register starts as a copy of the last one, a status value: a
                // parameter of another class first, then the type.
                pick(d, "Massflow");
                type(d, 3);
                QVERIFY(d.commands_page());
                d.tabs()->setCurrentWidget(d.commands_page());
                QComboBox* bit0 = d.commands_page()->mnemonic(0);
                bit0->lineEdit()->selectAll();
                QTest::keyClicks(bit0->lineEdit(), "CTOC");
                d.commands_page()->mnemonic(15)->setCurrentIndex(35); // "cstc"
            },
            [](CRegisterDialog& d) {
                pick(d, "Massflow");
                type(d, 4);
                QVERIFY(d.status_page());
                d.tabs()->setCurrentWidget(d.status_page());
                d.status_page()->mnemonic(0)->setCurrentText("PSW5");
                QLineEdit* position = d.status_page()->bit_position(0);
                position->selectAll();
                QTest::keyClicks(position, "3");
            },
            [](CRegisterDialog& d) {
                type(d, 5);
                typed(d, "ROM Constant Value", "1234");
            },
            [](CRegisterDialog& d) {
                type(d, 7); // the tree is closed to ROM constants, the last register's type
                pick(d, "Totalizer");
                choice(d, "Word order", 1);
            },
            [](CRegisterDialog& d) {
                pick(d, "SetpointSource");
                type(d, 0);
                choice(d, "# whole", 1);
            },
            [](CRegisterDialog& d) { pick(d, "BatchCount"); },
        };
        for (const dialog_steps& steps : registers)
            QVERIFY(through_dialog(frame, ID_INSERT_NEW_REGISTER, steps));
        zrp_file& map = *doc->map();
        QCOMPARE(map.register_count(), int(std::size(registers)));
        QVERIFY(doc->is_modified());

        // Properties on the numeric register: a new maximum and number; it stays selected.
        CRegisterView* view = frame->active_child()->register_view();
        view->setFocus();
        view->selectionModel()->setCurrentIndex(view->model()->index(0, 0),
                                                QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
        QCOMPARE(map.register_at(0)->name, std::string("Massflow"));
        QVERIFY(through_dialog(frame, ID_VIEW_PROPERTIES, [](CRegisterDialog& d) {
            typed(d, "Max:", "300");
            typed(d, "Register number:", "500");
        }));
        const QList<int> selected = view->selected_rows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(map.register_at(selected.front())->name, std::string("Massflow"));
        QCOMPARE(map.register_at(selected.front())->register_number, 500);

        // Save, read back, and format with the command-line tool.
        QTemporaryDir dir;
        const QString path = dir.filePath("every_kind.zrp");
        t.prompter.save_paths << path;
        QVERIFY(t.app->documents().save_document(doc));
        const QByteArray saved = read_file(path);
        QCOMPARE(saved.toStdString(), doc->text());

        zrp_file reread;
        std::istringstream in(saved.toStdString());
        QVERIFY(read_map(in, reread, t.ui));
        QCOMPARE(reread.register_count(), map.register_count());
        std::ostringstream again;
        write_map(again, reread);
        QCOMPARE(again.str(), saved.toStdString());

        QProcess cli;
        cli.start(QStringLiteral(TESSALY_BINARY_DIR "/cli/tessaly-cli"), {"format", path});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(cli.readAllStandardOutput(), saved);

        // What the dialog put into the file, kind by kind.
        const QString text = QString::fromUtf8(saved);
        for (const char* line : {"500 0 1 1 0 0 F:0 Massflow 300 -10 2.5\n",
                                 " 0 1 2 0 0 F:0 Setpoint -3\n", " 0 7 9 0 2 F:0 FeederName\n",
                                 " 0 8 0 0 2 F:0 ProcStat\n", " 0 2 10 0 2 F:0 AlarmStatus1\n",
                                 " 0 1 5 0 2 F:0 ROMConstant 1234\n", " 0 2 7 6 0 F:0 Totalizer\n",
                                 " 0 2 0 0 0 F:0 SetpointSource\n", " 0 2 0 0 2 F:0 BatchCount\n",
                                 "\ncstc XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX "
                                 "XXXX XXXX XXXX CTOC \nHIT HIT HIT HIT HIT HIT HIT HIT HIT HIT "
                                 "HIT HIT HIT HIT HIT HIT \n",
                                 "\nXXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX "
                                 "PSW5 \n0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 3 \n"})
            QVERIFY2(text.contains(QString::fromLatin1(line)), line);

        t.app->exit_instance();
    }
};

QTEST_MAIN(tst_register_editing)
#include "tst_register_editing.moc"
