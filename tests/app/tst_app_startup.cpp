// Start-up of the editor on a settings store: the settings' edge cases, the link and the
// protocol-dialog settings, the dialogs' presets and their Enter key, the message boxes.

#include "tests/app/app_startup_fixture.h"

using namespace app_startup_test;

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
};
QTEST_MAIN(tst_app_startup)
#include "tst_app_startup.moc"
