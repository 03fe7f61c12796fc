// The register table, comparison and check commands of the editor: where the document menus
// offer them and when they are enabled, the register table's export and import through a
// document, the comparison with a card emulator on a real pseudo-terminal, and the map check
// with its findings leading to their registers.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CMapCommands.h"
#include "app/CTessalyDoc.h"
#include "app/command_table.h"
#include "app_fixture.h"
#include "card_on_pty.h"
#include "editing/CDeviceCompareDlg.h"
#include "editing/CMapCheckDlg.h"
#include "editing/CRegisterView.h"
#include "editing/CTextTableModel.h"
#include "link/link_state.h"
#include "link/transfer_messages.h"
#include "live_ui/CLiveTableModel.h"
#include "live_ui/CLiveValuesWindow.h"
#include "model/image_codec.h"
#include "model/map_check.h"
#include "model/map_diff.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QTreeView>
#include <QtTest>

namespace {

const char* const csv_filter = "CSV files (*.csv)";
const std::string two_registers = "40001 0 1 1 0 0 F:1 Massflow 100 0 1\n"
                                  "40002 0 1 0 0 0 F:0 Setpoint\n";

// Every item of the shown menu bar as "Menu/Submenu/Item" ("-" for a separator), in order.
QStringList menu_paths(QMenu* menu, const QString& prefix) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        const QString path = prefix + "/" + (a->isSeparator() ? QStringLiteral("-") : a->text());
        out << path;
        if (a->menu())
            out << menu_paths(a->menu(), path);
    }
    return out;
}

QStringList menu_paths(CMainFrame* frame) {
    QStringList out;
    for (QAction* a : frame->menuBar()->actions())
        if (a->menu())
            out << menu_paths(a->menu(), a->text());
    return out;
}

// The numbers of the registers the document's list shows, in its order.
QList<int> shown_numbers(CChildFrame* child) {
    QList<int> out;
    QAbstractItemModel* model = child->register_view()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        out << model->index(row, 0).data().toInt();
    return out;
}

// Double-clicks a row of a result window's table: the first click, then the second, which
// the window system reports as the double-click.
void double_click_row(QTreeView* view, int row) {
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    const QPoint where = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, where);
}

bool row_visible(QTreeView* view, int row) {
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    return rect.isValid() && view->viewport()->rect().contains(rect.center());
}

QStringList result_rows(const CResultWindow* window) {
    QStringList out;
    const int columns = window->table()->columnCount();
    for (int row = 0; row < window->table()->rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << window->cell(row, c);
        out << cells.join(" | ");
    }
    return out;
}

// An opened map file of the settings folder.
CTessalyDoc* open_map(app_under_test& t, private_settings& settings, const QString& name,
                      const std::string& text) {
    const QString path = settings.dir.filePath(name);
    write_file(path, text);
    return t.app->documents().open_document_file(path);
}

enum class table_file { written, none_chosen, missing, folder };

} // namespace

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

    void compare_with_a_card_on_a_pseudo_terminal() {
        private_settings settings;
        const QString port = settings.dir.filePath("card");
        card_options options;
        options.device_code = 1;
        options.faults.cut_short.push_back({1, -1}); // the first image header comes cut short
        card_on_pty card(options, port);
        QVERIFY(card.ok);
        settings.preset("ComPort", port);
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        CTessalyDoc* doc = open_map(t, settings, "plant.zrp", map_text(1) + two_registers);
        QVERIFY(doc);
        frame->run_command(ID_FILE_SEND);
        QVERIFY(t.transfers_done());
        QCOMPARE(t.ui.texts(), std::vector<std::string>{"File send complete!"});

        // A failed extraction shows its message and no window.
        t.ui.events.clear();
        frame->run_command(ID_COMPARE_WITH_DEVICE);
        QVERIFY(t.transfers_done());
        QCOMPARE(t.ui.texts(), std::vector<std::string>{msg_not_extracted});
        QVERIFY(!t.app->map_commands().compare_window());

        // The card holds the map it was sent.
        t.ui.events.clear();
        const std::string before = doc->text();
        frame->run_command(ID_COMPARE_WITH_DEVICE);
        QVERIFY(t.transfers_done());
        QVERIFY2(t.ui.events.empty(), t.ui.events.empty() ? "" : t.ui.events[0].text.c_str());
        QPointer<CDeviceCompareDlg> window = t.app->map_commands().compare_window();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->summary(), QStringLiteral("The card holds this map."));
        QCOMPARE(window->subject(), QStringLiteral("Map: Modbus  plant.zrp"));
        QCOMPARE(window->difference_count(), 0);
        QVERIFY(!window->view()->isVisible());
        QCOMPARE(doc->text(), before);
        QVERIFY(!doc->is_modified());

        // The map changed after the send: the card holds another map. The window is reused.
        doc->map()->register_at(0)->maximum = 150;
        auto extra = std::make_unique<host_register>(doc->map(), 40010);
        extra->name = "Density";
        QVERIFY(doc->map()->add_register(std::move(extra)) >= 0);
        const std::string edited = doc->text();
        frame->run_command(ID_COMPARE_WITH_DEVICE);
        QVERIFY(t.transfers_done());
        QVERIFY(t.ui.events.empty());
        QCOMPARE(t.app->map_commands().compare_window(), window.data());
        QCOMPARE(window->summary(),
                 QStringLiteral("The card differs from this map. 2 differences."));
        QCOMPARE(result_rows(window),
                 (QStringList{"40001 | Maximum | 150 | 100",
                              "40010 |  | 40010 0 1 0 0 0 F:0 Density | (none)"}));
        QVERIFY(window->view()->isVisible());
        QCOMPARE(window->view()->model()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("In the map"));
        QCOMPARE(doc->text(), edited);

        // Another failure closes the window: its comparison is not the card's any more.
        t.app->transfers().link().set_com_port(settings.dir.filePath("gone").toStdString());
        frame->run_command(ID_COMPARE_WITH_DEVICE);
        QVERIFY(t.transfers_done());
        QCOMPARE(t.ui.texts(), std::vector<std::string>{"Error opening specified COM port."});
        QTRY_VERIFY(!window);
        t.app->exit_instance();
    }

    void compare_of_a_map_no_image_carries_asks_the_card_nothing() {
        private_settings settings;
        settings.preset("ComPort", settings.dir.filePath("no-card-here"));
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        // The information block of a "WNT" counts as zero, so its image has no network header.
        QVERIFY(open_map(t, settings, "wnt.zrp",
                         "WNT Modbus+ protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT "
                         "MSBYTE_FIRST\nREGMAX 65535\nNODENUM 3\nMBPLUS 1 2 3\nHREG\n"));
        t.app->main_frame()->run_command(ID_COMPARE_WITH_DEVICE);
        QCOMPARE(t.ui.texts(), std::vector<std::string>{map_unfit_for_image_text});
        QVERIFY(!t.app->map_commands().compare_window());
    }

    void check_map_lists_findings_that_lead_to_their_registers_data() {
        QTest::addColumn<bool>("catalogue");
        QTest::newRow("with a catalogue") << true;
        QTest::newRow("without a catalogue") << false;
    }
    void check_map_lists_findings_that_lead_to_their_registers() {
        QFETCH(bool, catalogue);
        private_settings settings;
        const QString params = settings.dir.filePath("params.lst");
        if (catalogue)
            write_file(params, "<parameters><device name=\"RDX Controller\" ctrl_type=\"rdx\">"
                               "<param name=\"Massflow\" type=\"float\">Mass flow</param>"
                               "</device></parameters>");
        settings.preset("ParamFile", params);
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        frame->show();
        // More registers than an image holds, so that the list scrolls and the header has a
        // finding; a name the load cut, one not in the catalogue, a feeder out of range.
        std::string text = map_text(1);
        for (int n = 40001; n <= 40656; ++n) {
            const char* name = n == 40002   ? "Setpoint"
                               : n == 40003 ? "LineBatchComplPercentXY"
                                            : "Massflow";
            text += std::to_string(n) + (n == 40600 ? " 0 1 0 0 0 F:64 " : " 0 1 0 0 0 F:0 ") +
                    name + "\n";
        }
        CTessalyDoc* doc = open_map(t, settings, "big.zrp", text);
        QVERIFY(doc);
        CRegisterView* list = frame->active_child()->register_view();

        frame->run_command(ID_CHECK_MAP);
        QVERIFY(t.ui.events.empty());
        QPointer<CMapCheckDlg> window = t.app->map_commands().check_window();
        QVERIFY(window);
        QStringList expected = {
            "header | 656 registers; an image holds at most 655",
            "40003 | parameter name \"LineBatchComplPercentXY\" is longer than 19 characters; "
            "the card gets \"LineBatchComplPerce\""};
        if (catalogue)
            expected << "40002 | parameter \"Setpoint\" is not in the catalogue for RDX"
                     << "40003 | parameter \"LineBatchComplPerce\" is not in the catalogue for RDX";
        expected << "40600 | feeder 64 is outside 0 to 63";
        QStringList rows = result_rows(window);
        // Findings come by register; within one register in the check's order.
        QCOMPARE(rows.size(), expected.size());
        for (const QString& e : expected)
            QVERIFY2(rows.contains(e), qPrintable(e + "\n" + rows.join('\n')));
        QCOMPARE(window->summary(),
                 QStringLiteral("%1 findings.").arg(expected.size()) +
                     (catalogue ? QString()
                                : QStringLiteral("\nNo parameter catalogue found: parameter "
                                                 "names are not checked.")));
        QCOMPARE(window->subject(), QStringLiteral("Map: Modbus  big.zrp"));

        // A double-click on a finding selects its register and scrolls the list to it.
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const int feeder_row = rows.indexOf("40600 | feeder 64 is outside 0 to 63");
        QVERIFY(!row_visible(list, 599));
        double_click_row(window->view(), feeder_row);
        QCOMPARE(list->selected_rows(), QList<int>{599});
        QCOMPARE(list->currentIndex().row(), 599);
        QVERIFY(row_visible(list, 599));
        // Enter on a finding does the same; a finding about the header selects nothing.
        const int cut_row = rows.indexOf(expected[1]);
        window->view()->setCurrentIndex(window->table()->index(cut_row, 0));
        QTest::keyClick(window->view(), Qt::Key_Return);
        QCOMPARE(list->selected_rows(), QList<int>{2});
        QVERIFY(!window->go_to_finding(rows.indexOf(expected[0])));
        QCOMPARE(list->selected_rows(), QList<int>{2});
        QVERIFY(!doc->is_modified());

        // Another map's check reuses the window, which then follows that map's list.
        CTessalyDoc* clean =
            open_map(t, settings, "clean.zrp", map_text(1) + "40001 0 1 0 0 0 F:0 Massflow\n");
        QVERIFY(clean);
        frame->run_command(ID_CHECK_MAP);
        QCOMPARE(t.app->map_commands().check_window(), window.data());
        QCOMPARE(window->finding_count(), 0);
        QVERIFY(window->summary().startsWith(QStringLiteral("No findings.")));
        QCOMPARE(window->subject(), QStringLiteral("Map: Modbus  clean.zrp"));
        QVERIFY(!window->view()->isVisible());

        // The window goes with the document whose list it points into, not with another.
        QVERIFY(t.app->documents().frame_of(doc)->close());
        QTest::qWait(20);
        QVERIFY(window);
        QVERIFY(t.app->documents().frame_of(clean)->close());
        QTRY_VERIFY(!window);
    }

    void result_windows_are_keyboard_usable_and_named() {
        map_difference changed;
        changed.place = map_difference::header_line;
        changed.word = "INPUT_BLOCK";
        changed.occurrence = 1;
        changed.a = "1 2 3";
        changed.b = "1 2 4";
        CDeviceCompareDlg compare;
        compare.set_differences(QStringLiteral("Modbus  plant.zrp"), {changed});
        QCOMPARE(result_rows(&compare), QStringList{"Header INPUT_BLOCK (2) |  | 1 2 3 | 1 2 4"});
        CMapCheckDlg check;
        check.set_findings(nullptr, QStringLiteral("Modbus  plant.zrp"),
                           {{false, 40001, "feeder 64 is outside 0 to 63"}}, QString());
        QVERIFY(!check.go_to_finding(0)); // no list to select in

        for (CResultWindow* window :
             {static_cast<CResultWindow*>(&compare), static_cast<CResultWindow*>(&check)}) {
            QVERIFY(!window->isModal());
            QList<QWidget*> controls;
            for (QWidget* w : window->findChildren<QWidget*>())
                if ((w->inherits("QAbstractButton") || w->inherits("QAbstractItemView") ||
                     w->inherits("QLabel")) &&
                    !w->inherits("QHeaderView"))
                    controls << w;
            QVERIFY(controls.size() >= 4);
            for (QWidget* w : controls)
                QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());

            // The table has the keyboard, Tab leads to Close, Escape closes.
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QCOMPARE(QApplication::focusWidget(), window->view());
            QTest::keyClick(window->view(), Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget()->inherits("QPushButton"));
            QCOMPARE(static_cast<QPushButton*>(QApplication::focusWidget())->text(),
                     QStringLiteral("Close"));
            window->setAttribute(Qt::WA_DeleteOnClose, false); // on the stack here
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY(!window->isVisible());
        }
    }
};

QTEST_MAIN(tst_map_commands)
#include "tst_map_commands.moc"
