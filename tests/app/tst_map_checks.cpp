// Comparing a map with a card and checking a map: the differences against a card on a
// pseudo-terminal, a map no image carries, the findings that lead to their registers, and the
// result windows at the keyboard.

#include "tests/app/map_commands_fixture.h"

using namespace map_commands_test;

class tst_map_checks : public QObject {
    Q_OBJECT
  private slots:
    void compare_with_a_card_on_a_pseudo_terminal() {
        private_settings settings;
        card_options options;
        options.device_code = 1;
        options.faults.cut_short.push_back({1, -1}); // the first image header comes cut short
        card_on_pty card(options, settings.preset_port("card"));
        QVERIFY(card.ok);
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
        settings.preset_port("no-card-here");
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
QTEST_MAIN(tst_map_checks)
#include "tst_map_checks.moc"
