// The main window once started: its two menu bars with their enabled and ticked states, the
// Properties command's pane, the help check, the file and requests of the command line, and
// the reused error window.

#include "tests/app/app_startup_fixture.h"

using namespace app_startup_test;

class tst_app_windows : public QObject {
    Q_OBJECT
  private slots:
    void menu_bars_and_enabled_states() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        frame->update_command_ui();
        const int never[] = {ID_OPEN_PARAM_FILE,     ID_EDIT_UNDO,  ID_EDIT_CUT,
                             ID_EDIT_COPY,           ID_EDIT_PASTE, ID_VIEW_PROPERTIES,
                             ID_INSERT_NEW_REGISTER, ID_FILE_SAVE,  ID_OPTIONS_PROTOCOL,
                             ID_EDIT_DELETE,         ID_FILE_PRINT, ID_FILE_MRU};
        for (int id : never)
            QVERIFY2(!frame->command_enabled(id), qPrintable(QString::number(id)));
        const int always[] = {
            ID_FILE_NEW,        ID_FILE_OPEN,   ID_EXTRACT_BLF,         ID_EXTRACT_RDX,
            ID_EXTRACT_WNT,     ID_EXTRACT_HQP, ID_EXTRACT_ERRORS,      ID_FILE_SEND,
            ID_IMPORT_OLD_FILE, ID_PORT_SETUP,  ID_OPTIONS_PREFERENCES, ID_HELP_FINDER,
            ID_APP_ABOUT,       ID_APP_EXIT};
        for (int id : always)
            QVERIFY2(frame->command_enabled(id), qPrintable(QString::number(id)));
        QVERIFY(frame->command_checked(ID_VIEW_TOOLBAR));
        QVERIFY(frame->command_checked(ID_VIEW_STATUS_BAR));
        frame->run_command(ID_VIEW_TOOLBAR);
        QVERIFY(!frame->command_checked(ID_VIEW_TOOLBAR));

        // The same command under the texts of the two bars.
        QCOMPARE(texts_of(frame, ID_EXTRACT_RDX),
                 (QStringList{"R&DX Config File...", "RDX Config File..."}));
        QCOMPARE(texts_of(frame, ID_EXTRACT_HQP),
                 (QStringList{"H&QP Config File...", "HQP Config File..."}));
        QCOMPARE(texts_of(frame, ID_OPEN_PARAM_FILE),
                 (QStringList{"Open Param File", "Open Parameter File"}));

        t.dialogs.selections.push_back({1, 1, "RDX"});
        QVERIFY(t.app->documents().file_new());
        frame->update_command_ui();
        QCOMPARE(menu_titles(frame), (QStringList{"&File", "&Edit", "&View", "&Insert", "&Options",
                                                  "&Window", "&Help"}));
        for (int id :
             {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_OPTIONS_PROTOCOL, ID_FILE_PRINT,
              ID_FILE_PRINT_PREVIEW, ID_WINDOW_CASCADE, ID_VIEW_PROPERTIES, ID_INSERT_NEW_REGISTER})
            QVERIFY2(frame->command_enabled(id), qPrintable(QString::number(id)));
        for (int id : {ID_EDIT_DELETE, ID_EDIT_COPY})
            QVERIFY2(!frame->command_enabled(id), qPrintable(QString::number(id)));
        // Status prompts and tool tips.
        QCOMPARE(frame->command_action(ID_EXTRACT_HQP)->statusTip(),
                 QStringLiteral("Extract Horizant Config File"));
        QCOMPARE(frame->command_action(ID_FILE_NEW)->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(frame->command_action(ID_EDIT_DELETE)->shortcut(), QKeySequence(Qt::Key_Delete));
    }

    // Enabled and ticked states follow what they depend on at once, without a poll.
    void enabled_states_follow_at_once() {
        private_settings settings;
        ombra_card card(card_options{});
        sim_hid_library usb(card);
        usb.set_attached(0);
        app_under_test t(settings, &usb);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        QAction* save = frame->command_action(ID_FILE_SAVE);
        QAction* del = frame->command_action(ID_EDIT_DELETE);
        QVERIFY(!save->isEnabled());

        t.dialogs.selections.push_back({1, 1, "RDX"});
        CTessalyDoc* doc = t.app->documents().file_new();
        QVERIFY(doc);
        QVERIFY(save->isEnabled());
        QVERIFY(!del->isEnabled());

        // A selection in the register list enables Delete.
        for (int n : {40001, 40002})
            QVERIFY(doc->map()->add_register(std::make_unique<host_register>(doc->map(), n)) >= 0);
        CRegisterView* view = frame->active_child()->register_view();
        view->update_rows(0);
        view->selectionModel()->select(view->model()->index(1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(del->isEnabled());
        view->clearSelection();
        QVERIFY(!del->isEnabled());

        // The link: a card arrives.
        QVERIFY(!frame->command_action(ID_USE_USB)->isEnabled());
        usb.set_attached(1);
        t.app->transfers().link().check_usb();
        QVERIFY(frame->command_action(ID_USE_USB)->isEnabled());

        // The recent-file list.
        QVERIFY(!frame->command_actions(ID_FILE_MRU).first()->isEnabled());
        t.app->recent_files().add(QStringLiteral("/tmp/some.zrp"));
        QVERIFY(frame->command_actions(ID_FILE_MRU).first()->isEnabled());

        // The last window closed.
        QVERIFY(frame->active_child()->close());
        QTRY_VERIFY(!save->isEnabled());
        t.app->exit_instance();
    }

    void properties_goes_to_the_form_when_it_is_the_active_pane() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        t.dialogs.selections.push_back({1, 1, "RDX"});
        QVERIFY(t.app->documents().file_new());
        CChildFrame* child = frame->active_child();
        QVERIFY(child);
        const int runs_after_new = t.dialogs.settings_runs;

        // The register list holds the focus: Properties belongs to it and edits the register
        // at its selection mark (none here: nothing runs).
        child->register_view()->setFocus();
        QVERIFY(child->active_form() == nullptr);
        QVERIFY(frame->command_enabled(ID_VIEW_PROPERTIES));
        frame->run_command(ID_VIEW_PROPERTIES);
        QCOMPARE(t.dialogs.settings_runs, runs_after_new);

        // The form holds the focus: Properties opens the header's settings dialog.
        QWidget* inside = child->form()->findChild<QRadioButton*>();
        QVERIFY(inside);
        inside->setFocus();
        QVERIFY(child->active_form() != nullptr);
        QVERIFY(frame->command_enabled(ID_VIEW_PROPERTIES));
        frame->run_command(ID_VIEW_PROPERTIES);
        QCOMPARE(t.dialogs.settings_runs, runs_after_new + 1);
        QVERIFY(child->document()->is_modified());
    }

    void help_file_missing_is_reported() {
        private_settings settings;
        app_under_test t(settings);
        t.app.reset();
        CTessalyApp::options opts;
        opts.usb_library = &t.no_usb;
        opts.watch_devices = false;
        opts.help_folder = settings.dir.filePath("nohelp");
        t.app = std::make_unique<CTessalyApp>(opts);
        QVERIFY(t.app->init_instance(QString()));
        const std::string expected =
            "Help file not found:\r\n" +
            QDir::toNativeSeparators(opts.help_folder + "/index.html").toStdString();
        QCOMPARE(t.ui.texts(), std::vector<std::string>{expected});
    }

    void file_named_on_the_command_line() {
        private_settings settings;
        app_under_test t(settings);
        const QString map = settings.dir.filePath("start.zrp");
        write_file(map, map_text(1));
        QVERIFY(t.app->init_instance(map));
        QCOMPARE(t.app->documents().frames().size(), 1);
        QCOMPARE(t.app->documents().active_document()->path(), map);
        // The main window shows the document's title from the start.
        QTRY_COMPARE(t.app->main_frame()->windowTitle(),
                     QStringLiteral("Tessaly - [Modbus  start.zrp]"));

        // A file that cannot be opened ends start-up.
        app_under_test t2(settings);
        QVERIFY(!t2.app->init_instance(settings.dir.filePath("missing.zrp")));
        QCOMPARE(t2.ui.texts(), std::vector<std::string>{"Unable to open the requested file"});
    }

    void command_line_requests_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("send");
        QTest::addColumn<bool>("dropped");
        QTest::newRow("nothing") << QStringList{} << ""
                                 << "" << false;
        QTest::newRow("file") << QStringList{"a.zrp"} << "a.zrp"
                              << "" << false;
        QTest::newRow("print request") << QStringList{"/p", "a.zrp"} << ""
                                       << "" << true;
        QTest::newRow("print to") << QStringList{"/pt", "a.zrp", "printer"} << ""
                                  << "" << true;
        QTest::newRow("dde") << QStringList{"/dde"} << ""
                             << "" << true;
        QTest::newRow("register") << QStringList{"/Register"} << ""
                                  << "" << true;
        QTest::newRow("unknown option") << QStringList{"--bogus", "a.zrp"} << ""
                                        << "" << true;
        QTest::newRow("send") << QStringList{"--send", "b.zrp"} << ""
                              << "b.zrp" << false;
        QTest::newRow("absolute path") << QStringList{"/tmp/x.zrp"} << "/tmp/x.zrp"
                                       << "" << false;
    }
    void command_line_requests() {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QFETCH(QString, send);
        QFETCH(bool, dropped);
        const command_line_request r = parse_command_line(args);
        QCOMPARE(r.file_to_open, file);
        QCOMPARE(r.send_path, send);
        QCOMPARE(r.dropped, dropped);
    }

    void error_window_is_reused() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        // A failure without a window creates none.
        t.app->transfers().show_error_list(nullptr);
        QVERIFY(!t.app->transfers().error_window());

        const QString first = QStringLiteral("Line 3: bad register");
        t.app->transfers().show_error_list(&first);
        QPointer<CZRPErrorDlg> window = t.app->transfers().error_window();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("ZRP Errors"));
        QCOMPARE(window->text(), first);
        QVERIFY(window->text_field()->isReadOnly());
        const QPoint where(137, 91);
        window->move(where);

        const QString second = QStringLiteral("Line 9: unknown parameter");
        t.app->transfers().show_error_list(&second);
        QCOMPARE(t.app->transfers().error_window(), window.data());
        QCOMPARE(window->text(), second);
        QCOMPARE(window->pos(), where);

        t.app->transfers().show_error_list(nullptr);
        QCOMPARE(window->text(), QString());
        QVERIFY(window->isVisible());

        window->close();
        QTRY_VERIFY(!window);
        QVERIFY(!t.app->transfers().error_window());
    }
};
QTEST_MAIN(tst_app_windows)
#include "tst_app_windows.moc"
