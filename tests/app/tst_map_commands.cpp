// The register-table and map commands of the document menus: what they offer, exporting and
// importing a register table.

#include "editing/CRegisterContextMenu.h"
#include "editing/CRegisterView.h"
#include "live_ui/CLiveTableModel.h"
#include "live_ui/CLiveTableView.h"
#include "live_ui/CLiveValuesWindow.h"
#include "tests/app/map_commands_fixture.h"

#include <QAccessible>
#include <QPointer>
#include <QToolBar>

using namespace map_commands_test;

Q_DECLARE_METATYPE(table_file)

class tst_map_commands : public QObject {
    Q_OBJECT
  private slots:
    void document_menus_offer_the_commands() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        const int ids[] = {ID_EXPORT_REGISTER_TABLE, ID_IMPORT_REGISTER_TABLE,
                           ID_COMPARE_WITH_DEVICE, ID_CHECK_MAP};
        for (int id : ids)
            QVERIFY2(!frame->command_enabled(id), qPrintable(QString::number(id)));
        const QStringList without = menu_paths(frame);
        for (const char* text : {"Register Table", "Compare with", "Check"})
            QVERIFY2(without.filter(text).isEmpty(), text);

        QVERIFY(open_map(t, settings, "plant.zrp", map_text(1)));
        frame->update_command_ui();
        for (int id : ids) {
            QVERIFY2(frame->command_enabled(id), qPrintable(QString::number(id)));
            QVERIFY(!frame->command_action(id)->statusTip().isEmpty());
        }
        const QStringList with = menu_paths(frame);
        // Send, the comparison, then the Import and Export submenus side by side.
        const int send = with.indexOf("&File/S&end...");
        QVERIFY(send >= 0);
        const QStringList expected = {"&File/S&end...",
                                      "&File/Co&mpare with Device...",
                                      "&File/&Import",
                                      "&File/&Import/Old ZRP File...",
                                      "&File/&Import/Register Table (CSV)...",
                                      "&File/Expor&t",
                                      "&File/Expor&t/Register Table (CSV)..."};
        QCOMPARE(with.mid(send, expected.size()), expected);
        const int protocol = with.indexOf("&Options/Pro&tocol");
        QVERIFY(protocol >= 0);
        QCOMPARE(with.value(protocol + 1), QStringLiteral("&Options/Check &Map"));
        // The menu items carry out their commands: the export asks for its file.
        frame->command_actions(ID_EXPORT_REGISTER_TABLE).first()->trigger();
        QCOMPARE(t.prompter.save_filters, QStringList{csv_filter});
        QCOMPARE(t.prompter.save_suffixes, QStringList{"csv"});
        QCOMPARE(t.prompter.save_starts, QStringList{settings.dir.filePath("plant.csv")});

        QVERIFY(frame->active_child()->close());
        QTRY_VERIFY(!frame->command_enabled(ID_CHECK_MAP));
    }

    void live_values_open_one_window_per_document() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        QVERIFY(!frame->command_enabled(ID_VIEW_LIVE_VALUES));
        CTessalyDoc* a = open_map(t, settings, "a.zrp", map_text(1) + two_registers);
        QVERIFY(a);
        frame->update_command_ui();
        QVERIFY(frame->command_enabled(ID_VIEW_LIVE_VALUES));
        QVERIFY(menu_paths(frame).contains("&View/&Live Values"));
        QAction* action = frame->command_action(ID_VIEW_LIVE_VALUES);
        QCOMPARE(QAccessible::queryAccessibleInterface(frame->tool_bar()->widgetForAction(action))
                     ->text(QAccessible::Name),
                 QStringLiteral("Live Values"));

        action->trigger();
        QPointer<CLiveValuesWindow> first = t.app->documents().frame_of(a)->live_values();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->model()->rowCount(), 2);
        // The register list's context menu leads to the live value of the selected register.
        first->table()->setCurrentIndex(first->model()->index(0, 0));
        CRegisterView* list = t.app->documents().frame_of(a)->register_view();
        list->setCurrentIndex(list->model()->index(1, 0));
        QAction* show_live = list->context_menu()->actions().constLast();
        QCOMPARE(show_live->text(), QStringLiteral("Show &Live Value"));
        show_live->trigger();
        QCOMPARE(first->table()->currentIndex().row(), first->model()->row_of(40002));
        action->trigger();
        QCOMPARE(t.app->documents().frame_of(a)->live_values(), first.data());
        CTessalyDoc* b = open_map(t, settings, "b.zrp", map_text(1));
        action->trigger();
        QPointer<CLiveValuesWindow> second = t.app->documents().frame_of(b)->live_values();
        QVERIFY(second && second != first);
        // The window goes with its document, and stops polling at once.
        QVERIFY(t.app->documents().frame_of(a)->close());
        QVERIFY(!first || !first->isVisible());
        QTRY_VERIFY(!first);
        QVERIFY(second);
    }

    // View > Sort List By sorts the list from the keyboard; Map Order brings the map's order back.
    void view_menu_sorts_the_list() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        CTessalyDoc* doc = open_map(t, settings, "plant.zrp", map_text(1) + two_registers);
        QVERIFY(doc);
        frame->update_command_ui();
        QVERIFY(menu_paths(frame).contains("&View/Sort List &By/&Feeder"));
        CChildFrame* child = t.app->documents().frame_of(doc);
        frame->command_action(ID_SORT_BY_FEEDER)->trigger();
        QCOMPARE(shown_numbers(child), (QList<int>{40002, 40001}));
        frame->command_action(ID_SORT_MAP_ORDER)->trigger();
        QCOMPARE(shown_numbers(child), (QList<int>{40001, 40002}));
    }

    void export_then_import_gives_the_same_map() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CTessalyDoc* doc = open_map(t, settings, "plant.zrp", map_text(1) + two_registers);
        QVERIFY(doc);
        const std::string saved = doc->text();
        CMainFrame* frame = t.app->main_frame();

        // A name typed without an extension gets .csv.
        t.prompter.save_paths << settings.dir.filePath("table");
        frame->run_command(ID_EXPORT_REGISTER_TABLE);
        const QByteArray table = read_file(settings.dir.filePath("table.csv"));
        QVERIFY(table.startsWith("Register,Feeder,Parameter,Format,"));
        QCOMPARE(table.count("\r\n"), 3);
        QVERIFY(table.contains("\r\n40001,1,Massflow,INT_NUMERIC,"));
        QVERIFY(!doc->is_modified());

        t.prompter.open_paths << settings.dir.filePath("table.csv");
        frame->run_command(ID_IMPORT_REGISTER_TABLE);
        QCOMPARE(t.prompter.open_filters, QStringList{csv_filter});
        QCOMPARE(t.prompter.suffixes, QStringList{"csv"});
        // Each command ends with a summary.
        QCOMPARE(t.ui.texts(),
                 (std::vector<std::string>{
                     "2 registers exported to " +
                         QDir::toNativeSeparators(settings.dir.filePath("table.csv")).toStdString(),
                     "2 registers imported"}));
        QVERIFY(doc->is_modified());
        QCOMPARE(doc->text(), saved);

        // A table that cannot be written leaves nothing behind and says so.
        t.ui.events.clear();
        t.prompter.save_paths << settings.dir.filePath("no/such/folder/table.csv");
        frame->run_command(ID_EXPORT_REGISTER_TABLE);
        QCOMPARE(t.ui.texts(), std::vector<std::string>{"Unable to save the requested file"});
    }

    void import_replaces_the_registers_or_changes_nothing_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<table_file>("file");
        QTest::addColumn<QList<int>>("numbers"); // empty: the map stays as it was
        QTest::addColumn<QString>("message");    // the start of the one message shown

        QTest::newRow("rows out of order, sorted by the list")
            << QByteArray("Register,Parameter,Format,Maximum,Minimum,Scale\r\n"
                          "40005,Setpoint,INT_NUMERIC,50,0,1\r\n"
                          "40003,Massflow,INT_PASSTHRU,,,\n")
            << table_file::written << QList<int>{40003, 40005} << "";
        QTest::newRow("a conflicting row is left out")
            << QByteArray("Register,Format,Whole words,Parameter\r\n"
                          "40001,INT_PASSTHRU,2,Massflow\r\n40002,INT_PASSTHRU,1,Setpoint\r\n")
            << table_file::written << QList<int>{40001}
            << "Conflicting Register Ignored\nRegister Num: 40002\nParameter: Setpoint";
        QTest::newRow("a word not in its table")
            << QByteArray("Register,Format\r\n40001,INT_PASSTHRU\r\n40002,NOPE\r\n")
            << table_file::written << QList<int>{} << "Row 3, column Format: ";
        QTest::newRow("text where a number belongs")
            << QByteArray("Format,Register\r\nINT_PASSTHRU,forty\r\n") << table_file::written
            << QList<int>{} << "Row 2, column Register: ";
        QTest::newRow("carriage returns alone end the rows")
            << QByteArray("Register,Parameter,Format\r40005,Setpoint,INT_PASSTHRU\r"
                          "40003,Massflow,INT_PASSTHRU\r")
            << table_file::written << QList<int>{40003, 40005} << "";
        QTest::newRow("no Format column") << QByteArray("Register,Parameter\r\n40001,Massflow\r\n")
                                          << table_file::written << QList<int>{} << "Header row";
        QTest::newRow("binary") << QByteArray("\x00\xff\x1b\"\r\n\x80,\"\x00", 10)
                                << table_file::written << QList<int>{} << "Header row";
        QTest::newRow("no file chosen")
            << QByteArray() << table_file::none_chosen << QList<int>{} << "";
        QTest::newRow("file gone") << QByteArray() << table_file::missing << QList<int>{}
                                   << "Unable to open the requested file";
        QTest::newRow("a folder") << QByteArray() << table_file::folder << QList<int>{}
                                  << "Unable to open the requested file";
    }
    void import_replaces_the_registers_or_changes_nothing() {
        QFETCH(QByteArray, table);
        QFETCH(table_file, file);
        QFETCH(QList<int>, numbers);
        QFETCH(QString, message);
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CTessalyDoc* doc = open_map(t, settings, "plant.zrp", map_text(1) + two_registers);
        QVERIFY(doc);
        const std::string before = doc->text();
        CChildFrame* child = t.app->documents().frame_of(doc);

        const QString path = settings.dir.filePath("table.csv");
        switch (file) {
        case table_file::written:
            write_file(path, table.toStdString());
            t.prompter.open_paths << path;
            break;
        case table_file::none_chosen:
            break;
        case table_file::missing:
            t.prompter.open_paths << path;
            break;
        case table_file::folder:
            t.prompter.open_paths << settings.dir.path();
            break;
        }
        t.app->main_frame()->run_command(ID_IMPORT_REGISTER_TABLE);

        std::vector<std::string> texts = t.ui.texts();
        if (!numbers.isEmpty()) {
            QVERIFY(!texts.empty());
            QCOMPARE(texts.back(), std::to_string(numbers.size()) +
                                       (numbers.size() == 1 ? " register" : " registers") +
                                       " imported");
            texts.pop_back();
        }
        if (message.isEmpty()) {
            QVERIFY(texts.empty());
        } else {
            QCOMPARE(texts.size(), std::size_t(1));
            QVERIFY2(QString::fromStdString(texts.front()).startsWith(message),
                     texts.front().c_str());
        }
        if (numbers.isEmpty()) {
            QCOMPARE(doc->text(), before);
            QVERIFY(!doc->is_modified());
            QCOMPARE(shown_numbers(child), (QList<int>{40001, 40002}));
        } else {
            QVERIFY(doc->is_modified());
            QCOMPARE(shown_numbers(child), numbers);
        }
    }
};
QTEST_MAIN(tst_map_commands)
#include "tst_map_commands.moc"
