// Start-up of the editor on a settings store, the settings' edge cases, the two menu bars
// with their enabled and ticked states, the status bar, the dialogs' presets, the error
// window and the command line.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CPortDialog.h"
#include "app/CPreferenceDialog.h"
#include "app/CTessalyDoc.h"
#include "app/CZRPErrorDlg.h"
#include "app/QtFilePrompter.h"
#include "app/QtUserInterface.h"
#include "app/command_line.h"
#include "app/command_table.h"
#include "app_fixture.h"
#include "catalogue/parameter_list.h"
#include "editing/CRegisterView.h"
#include "link/link_state.h"
#include "sim/ombra_card.h"
#include "sim/sim_hid_library.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {
// The texts of a menu bar's items of a command, as shown.
QStringList texts_of(CMainFrame* frame, int id) {
    QStringList texts;
    for (QAction* a : frame->command_actions(id))
        texts << a->text();
    texts.sort();
    return texts;
}

QStringList menu_titles(CMainFrame* frame) {
    QStringList titles;
    for (QAction* a : frame->menuBar()->actions())
        titles << a->text();
    return titles;
}

// Runs code with the current directory switched.
struct current_directory {
    explicit current_directory(const QString& dir) : before(QDir::currentPath()) {
        QDir::setCurrent(dir);
    }
    ~current_directory() { QDir::setCurrent(before); }
    QString before;
};
} // namespace

class tst_app_startup : public QObject {
    Q_OBJECT
  private slots:
    void fresh_store_defaults() {
        private_settings settings;
        QTemporaryDir cwd;
        current_directory in(cwd.path());
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        QCOMPARE(t.app->transfers().link().link_type(), int(link_com));
        QCOMPARE(t.app->transfers().link().com_port(), std::string("COM1"));
        QCOMPARE(t.app->show_protocol_dialog().value(), QStringLiteral("1"));
        QCOMPARE(t.app->param_file().value(), QStringLiteral("params.lst"));
        // The shipped catalogue stands in for a params.lst that is not here.
        QVERIFY(t.app->catalogue().count() > 0);
        CMainFrame* frame = t.app->main_frame();
        QCOMPARE(frame->link_pane_text(), QStringLiteral("COM1"));
        QCOMPARE(frame->message_pane_text(), QStringLiteral("Ready"));
        QCOMPARE(frame->windowTitle(), QStringLiteral("Tessaly"));
        QVERIFY(t.app->documents().frames().isEmpty());
        QCOMPARE(menu_titles(frame), (QStringList{"&File", "&View", "&Options", "&Help"}));
        QVERIFY(t.ui.events.empty());
    }

    void params_lst_in_the_current_directory_is_remembered() {
        private_settings settings;
        QTemporaryDir cwd;
        QFile::copy(TESSALY_SOURCE_DIR "/resources/params.lst", cwd.filePath("params.lst"));
        current_directory in(cwd.path());
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        const QString expected = QFileInfo(cwd.filePath("params.lst")).absoluteFilePath();
        QCOMPARE(t.app->param_file().value(), expected);
        QCOMPARE(AppSetup::settings().value("Settings/ParamFile").toString(), expected);
        QVERIFY(t.app->catalogue().count() > 0);
    }

    // A damaged parameter file is said at start-up, with where it went wrong, and the editor
    // runs without a catalogue; so does one that names no parameter.
    void damaged_or_empty_params_lst_is_said_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("detail");
        QTest::newRow("mismatched end tag")
            << QByteArray("<parameters>\n<device name=\"A\">\n<param name=\"B\">x</parm>\n")
            << "The parameter file could not be read: parameters cannot be picked from a "
               "catalogue."
            << "params.lst: line 3: </parm> does not close <param>";
        QTest::newRow("empty-element tag")
            << QByteArray("<parameters><device name=\"A\"/>\n")
            << "The parameter file could not be read: parameters "
               "cannot be picked from a catalogue."
            << "params.lst: line 1: '/' where an attribute of <device> "
               "belongs";
        QTest::newRow("empty catalogue")
            << QByteArray("<parameters><device name=\"A\"></device></parameters>")
            << "The parameter file holds no parameter."
            << "params.lst";
    }
    void damaged_or_empty_params_lst_is_said() {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(QString, detail);
        private_settings settings;
        QTemporaryDir cwd;
        QFile file(cwd.filePath("params.lst"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        current_directory in(cwd.path());
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        QCOMPARE(t.ui.texts(), std::vector<std::string>{message.toStdString()});
        QCOMPARE(QString::fromStdString(t.ui.events.front().detail),
                 QDir::toNativeSeparators(cwd.filePath(detail)));
        QCOMPARE(t.app->catalogue().has_parameters(), false);
    }

    void link_setting_words_data() {
        QTest::addColumn<QString>("use_link");
        QTest::addColumn<QString>("pane");
        QTest::addColumn<bool>("com_ticked");
        QTest::addColumn<bool>("usb_ticked");
        QTest::newRow("COM") << "COM"
                             << "COM1" << true << false;
        QTest::newRow("USB, no card") << "USB"
                                      << "USB disconnected" << false << true;
        QTest::newRow("usb in lower case") << "usb"
                                           << "" << false << false;
        QTest::newRow("empty") << ""
                               << "" << false << false;
    }
    void link_setting_words() {
        QFETCH(QString, use_link);
        QFETCH(QString, pane);
        QFETCH(bool, com_ticked);
        QFETCH(bool, usb_ticked);
        private_settings settings;
        settings.preset("UseLink", use_link);
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        frame->update_command_ui();
        QCOMPARE(frame->link_pane_text(), pane);
        QCOMPARE(frame->command_action(ID_USE_COM)->isChecked(), com_ticked);
        QCOMPARE(frame->command_action(ID_USE_USB)->isChecked(), usb_ticked);
        // No card: Use USB is not offered.
        QVERIFY(!frame->command_action(ID_USE_USB)->isEnabled());
        QVERIFY(frame->command_action(ID_USE_COM)->isEnabled());
    }

    void use_usb_with_one_card_attached() {
        private_settings settings;
        settings.preset("UseLink", "usb");
        ombra_card card(card_options{});
        sim_hid_library usb(card);
        app_under_test t(settings, &usb);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        frame->update_command_ui();
        QVERIFY(frame->command_action(ID_USE_USB)->isEnabled());
        frame->run_command(ID_USE_USB);
        QCOMPARE(t.app->transfers().link().link_type(), int(link_usb));
        QVERIFY(frame->command_action(ID_USE_USB)->isChecked());
        QVERIFY(!frame->command_action(ID_USE_COM)->isChecked());
        QCOMPARE(frame->link_pane_text(), QStringLiteral("USB connected"));
        QCOMPARE(AppSetup::settings().value("Settings/UseLink").toString(), QStringLiteral("USB"));

        // A second card makes the link unusable.
        usb.set_attached(2);
        t.app->transfers().link().check_usb();
        frame->update_command_ui();
        QVERIFY(!frame->command_action(ID_USE_USB)->isEnabled());
        QCOMPARE(frame->link_pane_text(), QStringLiteral("USB disconnected"));
        frame->run_command(ID_USE_COM);
        QCOMPARE(frame->link_pane_text(), QStringLiteral("COM1"));
        t.app->exit_instance();
    }

    // Only the exact text "1" ticks the preference box, only "0" skips the selection.
    void show_protocol_dialog_words_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("selections");
        QTest::newRow("1") << "1" << true << 1;
        QTest::newRow("0") << "0" << false << 0;
        QTest::newRow("yes") << "yes" << false << 1;
        QTest::newRow("empty") << "" << false << 1;
    }
    void show_protocol_dialog_words() {
        QFETCH(QString, stored);
        QFETCH(bool, ticked);
        QFETCH(int, selections);
        private_settings settings;
        settings.preset("ShowProtocolDialog", stored);
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CPreferenceDialog dialog(t.app->show_protocol_dialog().value(), t.app->param_file().value(),
                                 t.prompter);
        QCOMPARE(dialog.show_box()->isChecked(), ticked);
        t.app->documents().file_new();
        QCOMPARE(t.dialogs.host_selections, selections);
    }

    // Enter in a field presses OK in the editor's own dialogs.
    void enter_confirms_the_dialogs() {
        private_settings settings;
        app_under_test t(settings);
        CPreferenceDialog preferences(QStringLiteral("1"), QStringLiteral("params.lst"),
                                      t.prompter);
        CPortDialog port({QStringLiteral("COM1")}, QStringLiteral("COM1"), false);
        const QList<QPair<QDialog*, QWidget*>> cases = {
            {&preferences, static_cast<QWidget*>(preferences.file_edit())},
            {&preferences, static_cast<QWidget*>(preferences.show_box())},
            {&port, static_cast<QWidget*>(port.port_box())},
            {&port, static_cast<QWidget*>(port.com_button())},
        };
        for (const auto& [dialog, field] : cases) {
            dialog->setResult(QDialog::Rejected);
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            field->setFocus();
            QTest::keyClick(field, Qt::Key_Return);
            QCOMPARE(dialog->result(), int(QDialog::Accepted));
            QVERIFY(t.prompter.titles.isEmpty()); // the file browser did not open
        }
    }

    void message_boxes_show_single_line_breaks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("LF CR") << "This Block definition conflicts with another\n\rdefinition.\n\r"
                                  "Please try again"
                               << "This Block definition conflicts with another\ndefinition.\n"
                                  "Please try again";
        QTest::newRow("CR LF") << "Help file not found:\r\n/x"
                               << "Help file not found:\n/x";
        QTest::newRow("LF") << "Register already exists, or\noverlaps with another"
                            << "Register already exists, or\noverlaps with another";
        QTest::newRow("two LF") << "a\n\nb"
                                << "a\n\nb";
    }
    void message_boxes_show_single_line_breaks() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(QtUserInterface::display_text(text.toStdString()), shown);
    }

    // The ">>" file dialog of the preferences adds ".lst" to a name typed without one.
    void parameter_file_dialog_adds_lst() {
        QTemporaryDir dir;
        write_file(dir.filePath("cat2.lst"), "<parameters/>");
        const auto dialog =
            QtFilePrompter::open_dialog(nullptr, QStringLiteral("Open"),
                                        QStringLiteral("Param List files (*.lst);;All Files (*)"),
                                        dir.path(), QStringLiteral("lst"));
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->show();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(QStringLiteral("cat2"));
        static_cast<QDialog*>(dialog.get())->accept();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->selectedFiles(), QStringList{dir.filePath("cat2.lst")});

        private_settings settings;
        app_under_test t(settings);
        CPreferenceDialog preferences(QStringLiteral("1"), QStringLiteral("params.lst"),
                                      t.prompter);
        preferences.browse_button()->click();
        QCOMPARE(t.prompter.suffixes, QStringList{QStringLiteral("lst")});
    }

    void port_dialog_presets_data() {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        const QStringList com{"COM3", "COM1", "COM2", "COM9"};
        QTest::newRow("in the list") << com << "COM2"
                                     << "COM2";
        QTest::newRow("not in the list") << com << "COM12"
                                         << "COM12";
        QTest::newRow("prefix of an entry") << QStringList{"/dev/ttyUSB0"} << "/dev/ttyUSB"
                                            << "/dev/ttyUSB0";
        QTest::newRow("no ports") << QStringList{} << "/tmp/card"
                                  << "/tmp/card";
        QTest::newRow("empty name: the first entry") << com << ""
                                                     << "COM1";
        QTest::newRow("empty name, no ports") << QStringList{} << ""
                                              << "";
    }
    void port_dialog_presets() {
        QFETCH(QStringList, ports);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        CPortDialog dialog(ports, stored, false);
        QCOMPARE(dialog.port_name(), shown);
        QVERIFY(dialog.com_button()->isChecked());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select a com port:"));
        QStringList listed;
        for (int i = 0; i < dialog.port_box()->count(); ++i)
            listed << dialog.port_box()->itemText(i);
        QStringList sorted = ports;
        sorted.sort();
        QCOMPARE(listed, sorted);
        CPortDialog usb_dialog(ports, stored, true);
        QVERIFY(usb_dialog.usb_button()->isChecked());
    }

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

QTEST_MAIN(tst_app_startup)
#include "tst_app_startup.moc"
