// Undo, Redo, Cut, Copy and Paste in the running editor: the Edit menu's texts and enabled
// states, the accelerators, the system clipboard between two documents and the file Save
// writes after a paste, and a session of changes undone and redone back to the file as
// opened.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/command_table.h"
#include "app_fixture.h"
#include "document/CTessalyDoc.h"
#include "editing/CRegisterClipboard.h"
#include "editing/CRegisterView.h"
#include "map_commands_fixture.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/CProtocolForm.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QtTest>

#include <functional>

namespace {

std::string entry(int number, const char* name = "Massflow") {
    return std::to_string(number) + " 0 1 0 0 0 F:1 " + name + "\n";
}

std::string entries(std::initializer_list<int> numbers) {
    std::string out;
    for (int n : numbers)
        out += entry(n);
    return out;
}

// A bitmapped status entry whose bit 15 reads mnemonic, the other bits unused.
std::string status_entry(int number, const std::string& mnemonic) {
    std::string out = std::to_string(number) + " 0 1 4 0 0 F:0\n";
    for (int i = 0; i < 16; ++i)
        out += "F:0 ";
    out += "\n" + mnemonic + " ";
    for (int i = 1; i < 16; ++i)
        out += "XXX ";
    out += "\n";
    for (int i = 0; i < 16; ++i)
        out += "0 ";
    return out + "\n";
}

using map_commands_test::open_map;
using map_commands_test::shown_numbers;

QStringList edit_menu(CMainFrame* frame) {
    QStringList out;
    for (QAction* top : frame->menuBar()->actions())
        if (top->text() == QLatin1String("&Edit"))
            for (QAction* a : top->menu()->actions())
                out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QString text_of(CMainFrame* frame, int id) {
    return frame->command_action(id)->text();
}

QString clipboard_text() {
    return QGuiApplication::clipboard()->text();
}

} // namespace

class tst_edit_commands : public QObject {
    Q_OBJECT
  private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void menu_texts_and_enabled_states() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        CTessalyDoc* doc =
            open_map(t, settings, "plant.zrp", map_text(1) + entries({1, 2, 3, 4, 5, 6}));
        QVERIFY(doc);
        CRegisterView* view = t.app->documents().frame_of(doc)->register_view();
        frame->update_command_ui();
        QCOMPARE(edit_menu(frame), (QStringList{"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "-",
                                                "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V",
                                                "&Delete", "-", "&Find...\tCtrl+F"}));
        for (int id : {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
            QVERIFY2(!frame->command_enabled(id), qPrintable(QString::number(id)));
        QVERIFY(!frame->command_action(ID_EDIT_UNDO)->isEnabled());

        // A selection enables Cut and Copy; the step names go into Undo and Redo.
        view->select_rows({0, 2, 4});
        QVERIFY(frame->command_action(ID_EDIT_CUT)->isEnabled());
        QVERIFY(frame->command_action(ID_EDIT_COPY)->isEnabled());
        frame->run_command(ID_EDIT_DELETE);
        QCOMPARE(text_of(frame, ID_EDIT_UNDO), QStringLiteral("&Undo Delete 3 registers\tCtrl+Z"));
        QVERIFY(frame->command_action(ID_EDIT_UNDO)->isEnabled());
        QVERIFY(!frame->command_action(ID_EDIT_REDO)->isEnabled());
        QVERIFY(doc->is_modified());

        frame->run_command(ID_EDIT_UNDO);
        QCOMPARE(shown_numbers(t.app->documents().frame_of(doc)), (QList<int>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(view->selected_rows(), (QList<int>{0, 2, 4})); // what came back is selected
        QVERIFY(!doc->is_modified());
        QCOMPARE(text_of(frame, ID_EDIT_UNDO), QStringLiteral("&Undo\tCtrl+Z"));
        QCOMPARE(text_of(frame, ID_EDIT_REDO), QStringLiteral("&Redo Delete 3 registers\tCtrl+Y"));
        QVERIFY(!frame->command_action(ID_EDIT_UNDO)->isEnabled());
        QVERIFY(frame->command_action(ID_EDIT_REDO)->isEnabled());

        // A new change drops what could be redone.
        view->select_rows({5});
        t.register_dialogs.register_answer = [](register_dialog_values& v) { v.feeder = 9; };
        frame->run_command(ID_VIEW_PROPERTIES);
        QCOMPARE(text_of(frame, ID_EDIT_UNDO), QStringLiteral("&Undo Properties\tCtrl+Z"));
        QCOMPARE(text_of(frame, ID_EDIT_REDO), QStringLiteral("&Redo\tCtrl+Y"));
        QVERIFY(!frame->command_action(ID_EDIT_REDO)->isEnabled());

        // Paste follows what the clipboard holds, whoever put it there.
        QGuiApplication::clipboard()->setText(QStringLiteral("Dear John,\nhere is the map.\n"));
        QVERIFY(!frame->command_action(ID_EDIT_PASTE)->isEnabled());
        QGuiApplication::clipboard()->setText(QString::fromStdString(entry(40001)));
        QVERIFY(frame->command_action(ID_EDIT_PASTE)->isEnabled());
        QGuiApplication::clipboard()->clear();
        QVERIFY(!frame->command_action(ID_EDIT_PASTE)->isEnabled());

        // Without a document nothing is enabled.
        t.prompter.save_answers.push_back(file_prompter::save_answer::no);
        QVERIFY(t.app->documents().frame_of(doc)->close());
        QTRY_VERIFY(!t.app->documents().active_document());
        for (int id : {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
            QVERIFY2(!frame->command_enabled(id), qPrintable(QString::number(id)));
    }

    void accelerators_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QList<QKeySequence>>("keys");
        using K = QKeySequence;
        QTest::newRow("Undo") << int(ID_EDIT_UNDO)
                              << QList<K>{K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)};
        QTest::newRow("Redo") << int(ID_EDIT_REDO)
                              << QList<K>{K(Qt::CTRL | Qt::Key_Y),
                                          K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
        QTest::newRow("Cut") << int(ID_EDIT_CUT)
                             << QList<K>{K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)};
        QTest::newRow("Copy") << int(ID_EDIT_COPY)
                              << QList<K>{K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)};
        QTest::newRow("Paste") << int(ID_EDIT_PASTE)
                               << QList<K>{K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)};
    }
    void accelerators() {
        QFETCH(int, command);
        QFETCH(QList<QKeySequence>, keys);
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        QCOMPARE(frame->command_action(command)->shortcuts(), keys);

        // Each key carries the command out while the register list has the focus.
        CTessalyDoc* doc = open_map(t, settings, "plant.zrp", map_text(1) + entries({1, 2, 3}));
        QVERIFY(doc);
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        CRegisterView* view = t.app->documents().frame_of(doc)->register_view();
        view->setFocus();
        for (const QKeySequence& key : keys) {
            // Every command gets a state in which it has something to do.
            QGuiApplication::clipboard()->clear();
            while (doc->can_undo())
                doc->undo();
            view->select_rows({1});
            if (command == ID_EDIT_UNDO || command == ID_EDIT_REDO)
                frame->run_command(ID_EDIT_DELETE);
            if (command == ID_EDIT_REDO)
                frame->run_command(ID_EDIT_UNDO);
            if (command == ID_EDIT_PASTE)
                frame->run_command(ID_EDIT_COPY);
            const int count = doc->map()->register_count();
            QTest::keyClick(view, key[0].key(), key[0].keyboardModifiers());
            switch (command) {
            case ID_EDIT_UNDO:
                QCOMPARE(doc->map()->register_count(), count + 1);
                break;
            case ID_EDIT_REDO:
            case ID_EDIT_CUT:
                QCOMPARE(doc->map()->register_count(), count - 1);
                break;
            case ID_EDIT_COPY:
                QCOMPARE(clipboard_text(), QString::fromStdString(entry(2)));
                break;
            case ID_EDIT_PASTE:
                QCOMPARE(doc->map()->register_count(), count + 1);
                break;
            }
            if (command == ID_EDIT_CUT)
                QCOMPARE(clipboard_text(), QString::fromStdString(entry(2)));
        }
        doc->set_modified(false);
    }

    void clipboard_between_two_documents() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        const std::string copied = entry(40001) + status_entry(40002, "FAS") + entry(40003);
        CTessalyDoc* rdx = open_map(t, settings, "rdx.zrp", map_text(1) + copied);
        std::string hqp_header = map_text(1);
        hqp_header.replace(0, 3, "HQP");
        CTessalyDoc* hqp = open_map(t, settings, "hqp.zrp", hqp_header + entry(40002, "Setpoint"));
        QVERIFY(rdx && hqp);

        // Copy in the RDX map: the entries as the file holds them, as text and with the
        // device in the private format.
        frame->mdi_area()->setActiveSubWindow(t.app->documents().frame_of(rdx));
        t.app->documents().frame_of(rdx)->register_view()->select_rows({0, 1, 2});
        frame->run_command(ID_EDIT_COPY);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), QString::fromStdString(copied));
        QCOMPARE(data->data(CRegisterClipboard::mime_type),
                 QByteArray::fromStdString("RDX\n" + copied));
        QVERIFY(!rdx->is_modified());

        // Paste in the HQP map: 40002 is taken there; the status code stays.
        frame->mdi_area()->setActiveSubWindow(t.app->documents().frame_of(hqp));
        QVERIFY(frame->command_enabled(ID_EDIT_PASTE));
        frame->run_command(ID_EDIT_PASTE);
        QCOMPARE(t.ui.texts(), std::vector<std::string>{
                                   "Registers pasted: 3\nRenumbered: 2\nLeft out (no free register "
                                   "number): 0\nThe registers come from a RDX map: status words "
                                   "were kept as codes."});
        CChildFrame* hqp_window = t.app->documents().frame_of(hqp);
        QCOMPARE(shown_numbers(hqp_window), (QList<int>{40001, 40002, 40003, 40004}));
        QCOMPARE(hqp_window->register_view()->selected_rows(), (QList<int>{0, 2, 3}));
        QCOMPARE(text_of(frame, ID_EDIT_UNDO), QStringLiteral("&Undo Paste 3 registers\tCtrl+Z"));

        // Save writes the pasted registers; the status code 3 is "PSW3" for an HQP map.
        frame->run_command(ID_FILE_SAVE);
        QVERIFY(!hqp->is_modified());
        QCOMPARE(read_file(settings.dir.filePath("hqp.zrp")).toStdString(),
                 hqp_header + entry(40001) + entry(40002, "Setpoint") +
                     status_entry(40003, "PSW3") + entry(40004));

        // Cut in the RDX map is Copy and Delete in one step.
        frame->mdi_area()->setActiveSubWindow(t.app->documents().frame_of(rdx));
        t.app->documents().frame_of(rdx)->register_view()->select_rows({2});
        frame->run_command(ID_EDIT_CUT);
        QCOMPARE(clipboard_text(), QString::fromStdString(entry(40003)));
        QCOMPARE(shown_numbers(t.app->documents().frame_of(rdx)), (QList<int>{40001, 40002}));
        QCOMPARE(text_of(frame, ID_EDIT_UNDO), QStringLiteral("&Undo Cut 1 register\tCtrl+Z"));
        frame->run_command(ID_EDIT_UNDO);
        QCOMPARE(rdx->text(), map_text(1) + copied);
        QVERIFY(!rdx->is_modified());
    }

    // Delete three registers, change a fourth, switch the protocol; undo four times and the
    // map is back as opened, unmodified; redo four times and it is as before.
    void changes_undone_and_redone() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        const std::string opened = map_text(1) + entries({40001, 40002, 40003, 40004, 40005});
        CTessalyDoc* doc = open_map(t, settings, "plant.zrp", opened);
        QVERIFY(doc);
        CChildFrame* window = t.app->documents().frame_of(doc);
        QCOMPARE(doc->title(), QStringLiteral("Modbus  plant.zrp"));

        window->register_view()->select_rows({1, 2, 4});
        frame->run_command(ID_EDIT_DELETE);
        window->register_view()->select_rows({1});
        t.register_dialogs.register_answer = [](register_dialog_values& v) {
            v.name = "Setpoint";
            v.register_number = 40010;
        };
        frame->run_command(ID_VIEW_PROPERTIES);
        t.dialogs.selections.push_back({1, 4, "RDX"}); // Modbus/TCP, settings confirmed
        frame->run_command(ID_OPTIONS_PROTOCOL);
        QCOMPARE(window->form()->objectName(), QString("CMbTcpForm"));
        QCOMPARE(doc->title(), QStringLiteral("Modbus/TCP  plant.zrp"));
        const std::string changed = doc->text();
        QCOMPARE(shown_numbers(window), (QList<int>{40001, 40010}));
        QVERIFY(doc->is_modified());

        for (int i = 0; i < 4; ++i)
            frame->run_command(ID_EDIT_UNDO);
        QCOMPARE(doc->text(), opened);
        QVERIFY(!doc->is_modified());
        QCOMPARE(doc->title(), QStringLiteral("Modbus  plant.zrp"));
        QTRY_COMPARE(window->form()->objectName(), QString("CCommFORM"));
        QCOMPARE(shown_numbers(window), (QList<int>{40001, 40002, 40003, 40004, 40005}));
        QVERIFY(!frame->command_enabled(ID_EDIT_UNDO));
        QVERIFY(t.app->documents().save_modified(doc)); // nothing to ask
        QVERIFY(t.prompter.questions.isEmpty());

        for (int i = 0; i < 4; ++i)
            frame->run_command(ID_EDIT_REDO);
        QCOMPARE(doc->text(), changed);
        QVERIFY(doc->is_modified());
        QCOMPARE(doc->title(), QStringLiteral("Modbus/TCP  plant.zrp"));
        QVERIFY(!frame->command_enabled(ID_EDIT_REDO));

        // A save is the new clean point: the state opened is now a modified one.
        frame->run_command(ID_FILE_SAVE);
        frame->run_command(ID_EDIT_UNDO);
        QVERIFY(doc->is_modified());
        frame->run_command(ID_EDIT_REDO);
        QVERIFY(!doc->is_modified());
        while (doc->can_undo())
            frame->run_command(ID_EDIT_UNDO);
        QCOMPARE(doc->text(), opened);
        QVERIFY(doc->is_modified()); // the file on disk is the changed map now
        t.prompter.save_answers.push_back(file_prompter::save_answer::no);
        QVERIFY(window->close());
        QCOMPARE(t.prompter.questions, QStringList{"Save changes to plant.zrp?"});
    }

    // The keystrokes in one field of the settings form are one step; undoing it shows the
    // old value in the field.
    void settings_form_keystrokes_are_one_step() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        CTessalyDoc* doc = open_map(t, settings, "plant.zrp", map_text(1) + entries({40001}));
        QVERIFY(doc);
        auto* form = qobject_cast<CProtocolForm*>(t.app->documents().frame_of(doc)->form());
        QVERIFY(form);
        const QString node_before = form->integer(header_field::node)->text();
        form->integer(header_field::node)->selectAll();
        QTest::keyClicks(form->integer(header_field::node), "27");
        QCOMPARE(doc->map()->header->node, 27);
        form->choice(header_field::parity)->button(2)->click();
        QCOMPARE(text_of(frame, ID_EDIT_UNDO), QStringLiteral("&Undo Settings Edit\tCtrl+Z"));
        frame->run_command(ID_EDIT_UNDO); // the parity
        QCOMPARE(form->choice(header_field::parity)->checked(), 0);
        QCOMPARE(doc->map()->header->node, 27);
        frame->run_command(ID_EDIT_UNDO); // both keystrokes
        QCOMPARE(form->integer(header_field::node)->text(), node_before);
        QCOMPARE(doc->map()->header->node, node_before.toInt());
        QVERIFY(!doc->is_modified());
        QVERIFY(!frame->command_enabled(ID_EDIT_UNDO));
    }
};

QTEST_MAIN(tst_edit_commands)
#include "tst_edit_commands.moc"
