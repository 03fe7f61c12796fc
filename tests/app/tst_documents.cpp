// The document lifecycle in the running editor: New, Open, Save, Save As with their
// Retry/Cancel loops, titles, the protocol command, open windows and the save question.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/command_table.h"
#include "app_fixture.h"
#include "document/CTessalyDoc.h"
#include "format/map_text.h"
#include "link/link_state.h"
#include "protocol_ui/CIntegerEdit.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QMdiArea>
#include <QSplitter>
#include <QtTest>

using save_answer = file_prompter::save_answer;

class tst_documents : public QObject {
    Q_OBJECT
  private:
    app_per_test t;
    QTemporaryDir files;

    QString path(const QString& name) const { return files.filePath(name); }
    int window_count() const { return static_cast<int>(t->app->documents().frames().size()); }
    static std::string header_name(CTessalyDoc* doc) {
        return std::string(doc->map()->header->name());
    }

  private slots:
    void init() { QVERIFY(t.start()); }
    void cleanup() { t.stop(); }

    void new_without_protocol_dialog() {
        t->app->set_show_protocol_dialog(false);
        CTessalyDoc* doc = t->app->documents().file_new();
        QVERIFY(doc);
        QCOMPARE(t->dialogs.host_selections, 0);
        QCOMPARE(doc->title(), QString::fromStdString(header_name(doc)) + "  Quorvel");
        QVERIFY(!doc->is_modified());
        QVERIFY(doc->path().isEmpty());
        QCOMPARE(window_count(), 1);
        QVERIFY(t->app->main_frame()->document_menus_shown());
    }

    void new_cancelled_leaves_no_document() {
        CTessalyDoc* doc = t->app->documents().file_new(); // the script has no answer: Cancel
        QVERIFY(!doc);
        QCOMPARE(t->dialogs.host_selections, 1);
        QCOMPARE(window_count(), 0);
        QVERIFY(!t->app->main_frame()->document_menus_shown());
        QVERIFY(t->ui.events.empty());
    }

    // Titles of new documents can serve as file names; the protocol command shows the
    // protocol's own name again.
    void new_titles_and_protocol_command_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("new_title");
        QTest::addColumn<QString>("protocol_title");
        QTest::newRow("Modbus/TCP") << 4 << "ModbusTCP  Quorvel"
                                    << "Modbus/TCP  Quorvel";
        QTest::newRow("Ethernet/IP") << 7 << "EthernetIP  Quorvel"
                                     << "Ethernet/IP  Quorvel";
        QTest::newRow("Modbus") << 1 << "Modbus  Quorvel"
                                << "Modbus  Quorvel";
    }
    void new_titles_and_protocol_command() {
        QFETCH(int, position);
        QFETCH(QString, new_title);
        QFETCH(QString, protocol_title);
        t->dialogs.selections.push_back({1, position, "RDX"});
        CTessalyDoc* doc = t->app->documents().file_new();
        QVERIFY(doc);
        QCOMPARE(doc->title(), new_title);
        QVERIFY(!doc->is_modified());
        QCOMPARE(t->app->main_frame()->windowTitle(), "Tessaly - [" + new_title + "]");

        // Cancelled: nothing changes.
        t->app->main_frame()->run_command(ID_OPTIONS_PROTOCOL);
        QVERIFY(!doc->is_modified());
        QCOMPARE(doc->title(), new_title);

        // Confirmed: modified, titled with the protocol's name.
        t->dialogs.selections.push_back({1, position, "RDX"});
        t->app->main_frame()->run_command(ID_OPTIONS_PROTOCOL);
        QVERIFY(doc->is_modified());
        QCOMPARE(doc->title(), protocol_title);
    }

    // The active document's title is added to the main window's, maximised or not.
    void main_window_title_follows_the_active_document() {
        CMainFrame* main = t->app->main_frame();
        t->dialogs.selections.push_back({1, 1, "RDX"});
        CTessalyDoc* doc = t->app->documents().file_new();
        QVERIFY(doc);
        QCOMPARE(main->windowTitle(), QStringLiteral("Tessaly - [Modbus  Quorvel]"));
        main->run_command(ID_WINDOW_TILE_HORZ);
        QTRY_COMPARE(main->windowTitle(), QStringLiteral("Tessaly - Modbus  Quorvel"));
        t->dialogs.selections.push_back({1, 4, "RDX"});
        main->run_command(ID_OPTIONS_PROTOCOL); // shows the window maximised again
        QTRY_COMPARE(main->windowTitle(), QStringLiteral("Tessaly - [Modbus/TCP  Quorvel]"));
        t->app->documents().frame_of(doc)->showNormal();
        QTRY_COMPARE(main->windowTitle(), QStringLiteral("Tessaly - Modbus/TCP  Quorvel"));
        doc->set_modified(false);
        QVERIFY(t->app->documents().frame_of(doc)->close());
        QTRY_COMPARE(main->windowTitle(), QStringLiteral("Tessaly"));
    }

    void protocol_command_replaces_the_form_and_keeps_the_file_name() {
        write_file(path("plant1.zrp"), map_text(1));
        CTessalyDoc* doc = t->app->documents().open_document_file(path("plant1.zrp"));
        QVERIFY(doc);
        QCOMPARE(doc->title(), QStringLiteral("Modbus  plant1.zrp"));
        QWidget* form_before = t->app->documents().frame_of(doc)->form();
        t->dialogs.selections.push_back({1, 4, "RDX"}); // Modbus/TCP
        t->app->main_frame()->run_command(ID_OPTIONS_PROTOCOL);
        QCOMPARE(doc->title(), QStringLiteral("Modbus/TCP  plant1.zrp"));
        QVERIFY(doc->is_modified());
        QVERIFY(t->app->documents().frame_of(doc)->form() != form_before);
        QCOMPARE(t->app->documents().frame_of(doc)->splitter()->widget(0),
                 t->app->documents().frame_of(doc)->form());
        // Not listed again by the protocol command.
        QCOMPARE(t->app->recent_files().files(), QStringList{path("plant1.zrp")});
    }

    // The selection changes the protocol, the new header's settings dialog is cancelled: the
    // header is replaced all the same, so the form, the title and the modified flag follow.
    void cancelled_settings_after_a_protocol_change_show_the_new_header() {
        const std::string ethernet_ip = "BLF Ethernet/IP protocol\nPLC_CHAN 19200 RTU 8 NOPARITY "
                                        "1STOPBIT LSBYTE_FIRST\nREGMAX 65535\nNODENUM 0\n"
                                        "ETHIP 10.0.0.2 255.0.0.0 10.0.0.1 0 0\nHREG\n";
        write_file(path("eip.zrp"), ethernet_ip);
        CTessalyDoc* doc = t->app->documents().open_document_file(path("eip.zrp"));
        QVERIFY(doc);
        QCOMPARE(doc->title(), QStringLiteral("Ethernet/IP  eip.zrp"));
        CChildFrame* frame = t->app->documents().frame_of(doc);
        QCOMPARE(frame->form()->objectName(), QString("CEthernetIPForm"));
        // Profinet IO chosen for BLF: the selection's device rule hands back Allen-Bradley.
        t->dialogs.selections.push_back({1, 0, "BLF"});
        t->dialogs.settings_result = 0;
        t->app->main_frame()->run_command(ID_OPTIONS_PROTOCOL);
        QCOMPARE(doc->map()->protocol_code, 2);
        QCOMPARE(frame->form()->objectName(), QString("CComm2Form"));
        QCOMPARE(doc->title(), QStringLiteral("Allen-Bradley  eip.zrp"));
        QVERIFY(doc->is_modified());
    }

    // The editor orders the tab chain of a form as it is laid out: Node num after Bit mode.
    void forms_tab_in_reading_order() {
        write_file(path("tab.zrp"), map_text(1));
        CTessalyDoc* doc = t->app->documents().open_document_file(path("tab.zrp"));
        QVERIFY(doc);
        QWidget* form = t->app->documents().frame_of(doc)->form();
        QTRY_VERIFY(form->isVisible());
        QWidget* node = form->findChild<CIntegerEdit*>();
        QList<QGroupBox*> groups = form->findChildren<QGroupBox*>();
        QGroupBox* bit_mode = nullptr;
        for (QGroupBox* g : groups)
            if (g->title() == QLatin1String("Bit mode"))
                bit_mode = g;
        QVERIFY(node && bit_mode);
        QWidget* before_node = node->previousInFocusChain();
        QVERIFY2(bit_mode->isAncestorOf(before_node), qPrintable(before_node->objectName()));
    }

    // Lines the reader guessed at are listed in one message once the map's window is open.
    void open_names_the_lines_not_read_as_written() {
        const QString p = path("guessed.zrp");
        std::string text = map_text(1);
        for (int i = 0; i < 22; ++i)
            text += std::to_string(40001 + i) + "x 0 1 0 0 0 F:0 A\n";
        write_file(p, text);
        QVERIFY(t->app->documents().open_document_file(p));
        QCOMPARE(window_count(), 1);
        QCOMPARE(t->ui.texts().size(), std::size_t{1});
        const std::string said = t->ui.texts().front();
        QVERIFY(said.rfind(QDir::toNativeSeparators(p).toStdString() +
                               ":\nLine 6 was not read as written: \"40001x 0 1 0 0 0 F:0 A\"\n",
                           0) == 0);
        QVERIFY(said.ends_with("\nand 2 more"));
    }

    void open_retry_after_fixing_the_file() {
        const QString p = path("broken.zrp");
        write_file(p, "this is not a register map\n");
        t->ui.answer({true, false});
        bool fixed = false;
        t->ui.on_question = [&] {
            if (!fixed)
                write_file(p, map_text(1));
            fixed = true;
        };
        CTessalyDoc* doc = t->app->documents().open_document_file(p);
        QVERIFY(doc);
        QCOMPARE(t->ui.texts(), std::vector<std::string>{"Unable to open the requested file"});
        QVERIFY(!doc->is_modified());
        QCOMPARE(window_count(), 1);
    }

    void open_failures_ask_until_cancel_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << false << "no such file";
        QTest::newRow("text") << QByteArray("hello\nworld\n") << true << "no NODENUM line";
        QTest::newRow("binary") << QByteArray("\x00\xff\x01\x02RDX\x00", 8) << true << "not text";
        QTest::newRow("truncated")
            << QByteArray(map_text(1).substr(0, 12).c_str()) << true << "no NODENUM line";
        QTest::newRow("empty") << QByteArray() << true << "no NODENUM line";
    }
    void open_failures_ask_until_cancel() {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QFETCH(QString, reason);
        const QString p = path("bad.zrp");
        if (exists)
            write_file(p, content.toStdString());
        t->ui.answer({true, true, false});
        QVERIFY(!t->app->documents().open_document_file(p));
        QCOMPARE(t->ui.texts(), std::vector<std::string>(3, "Unable to open the requested file"));
        // The box says which file and why.
        QCOMPARE(QString::fromStdString(t->ui.events.back().detail),
                 QDir::toNativeSeparators(p) + ": " + reason);
        QCOMPARE(window_count(), 0);
        QVERIFY(t->app->recent_files().files().isEmpty());
    }

    void opening_an_open_file_activates_its_window() {
        write_file(path("a.zrp"), map_text(1));
        write_file(path("b.zrp"), map_text(10));
        CTessalyDoc* a = t->app->documents().open_document_file(path("a.zrp"));
        CTessalyDoc* b = t->app->documents().open_document_file(path("b.zrp"));
        QVERIFY(a && b && a != b);
        QCOMPARE(t->app->documents().active_document(), b);
        // The same file by another spelling of its path.
        QCOMPARE(t->app->documents().open_document_file(files.path() + "/./sub/../a.zrp"), a);
        QCOMPARE(window_count(), 2);
        QCOMPARE(t->app->documents().active_document(), a);
        QCOMPARE(t->app->recent_files().files(), (QStringList{path("b.zrp"), path("a.zrp")}));
    }

    void save_writes_and_clears_modified() {
        write_file(path("m.zrp"), map_text(1));
        CTessalyDoc* doc = t->app->documents().open_document_file(path("m.zrp"));
        doc->set_modified(true);
        doc->map()->header->node = 17;
        QVERIFY(t->app->documents().save_document(doc));
        QVERIFY(!doc->is_modified());
        std::ostringstream expected;
        write_map(expected, *doc->map());
        QCOMPARE(read_file(path("m.zrp")).toStdString(), expected.str());
        QVERIFY(t->ui.events.empty());
    }

    // A file that cannot be written: the question repeats until Cancel, the old file stays
    // as it was and the document stays modified.
    void save_failures_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("read-only file") << "readonly";
        QTest::newRow("folder gone") << "missing folder";
        QTest::newRow("path is a folder") << "folder";
    }
    void save_failures() {
        QFETCH(QString, kind);
        write_file(path("m.zrp"), map_text(1));
        CTessalyDoc* doc = t->app->documents().open_document_file(path("m.zrp"));
        QVERIFY(doc);
        QString target = path("m.zrp");
        if (kind == "readonly")
            QFile::setPermissions(target, QFileDevice::ReadOwner);
        else if (kind == "missing folder")
            target = path("gone/m.zrp");
        else
            QDir(files.path()).mkdir("m2.zrp"), target = path("m2.zrp");
        doc->set_path(target);
        doc->map()->header->node = 42;
        doc->set_modified(true);
        const QByteArray before = read_file(path("m.zrp"));
        t->ui.answer({true, true, false});
        QVERIFY(!t->app->documents().save_document(doc));
        QCOMPARE(t->ui.texts(), std::vector<std::string>(3, "Unable to save the requested file"));
        QVERIFY(doc->is_modified());
        QCOMPARE(read_file(path("m.zrp")), before);
        QFile::setPermissions(path("m.zrp"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void save_as_names_the_document() {
        t->dialogs.selections.push_back({1, 4, "RDX"});
        CTessalyDoc* doc = t->app->documents().file_new();
        QVERIFY(doc);
        doc->set_modified(true);
        t->prompter.save_paths << path("site");          // the extension is added
        QVERIFY(t->app->documents().save_document(doc)); // no file yet: Save As
        QCOMPARE(t->prompter.save_starts.value(0),
                 QDir::current().filePath("ModbusTCP  Quorvel.zrp"));
        QCOMPARE(doc->path(), path("site.zrp"));
        QCOMPARE(doc->title(), QStringLiteral("Modbus/TCP  site.zrp"));
        QVERIFY(!doc->is_modified());
        QVERIFY(QFileInfo::exists(path("site.zrp")));
        QCOMPARE(t->app->recent_files().files().value(0), path("site.zrp"));

        // Cancelled Save As changes nothing.
        doc->set_modified(true);
        QVERIFY(!t->app->documents().save_document_as(doc));
        QCOMPARE(doc->path(), path("site.zrp"));
        QVERIFY(doc->is_modified());
    }

    void closing_a_modified_document_asks() {
        write_file(path("c.zrp"), map_text(1));
        CTessalyDoc* doc = t->app->documents().open_document_file(path("c.zrp"));
        doc->set_modified(true);
        CChildFrame* frame = t->app->documents().frame_of(doc);

        t->prompter.save_answers = {save_answer::cancel};
        QVERIFY(!frame->close());
        QCOMPARE(t->prompter.questions, QStringList{"Save changes to c.zrp?"});
        QCOMPARE(window_count(), 1);

        // Yes with a failing save keeps the window too.
        QFile::remove(path("c.zrp"));
        QDir(files.path()).mkdir("c.zrp");
        t->prompter.save_answers = {save_answer::yes};
        t->ui.answer({false});
        QVERIFY(!frame->close());
        QCOMPARE(window_count(), 1);

        t->prompter.save_answers = {save_answer::no};
        QVERIFY(frame->close());
        QTRY_COMPARE(window_count(), 0);
        QTRY_VERIFY(!t->app->main_frame()->document_menus_shown());
    }

    void unmodified_document_closes_without_asking() {
        write_file(path("u.zrp"), map_text(1));
        CTessalyDoc* doc = t->app->documents().open_document_file(path("u.zrp"));
        QVERIFY(t->app->documents().frame_of(doc)->close());
        QVERIFY(t->prompter.questions.isEmpty());
    }

    void recent_files_keep_four() {
        QStringList opened;
        for (int i = 0; i < 6; ++i) {
            const QString p = path(QStringLiteral("r%1.zrp").arg(i));
            write_file(p, map_text(1));
            QVERIFY(t->app->documents().open_document_file(p));
            opened.prepend(p);
        }
        QCOMPARE(t->app->recent_files().files(), opened.mid(0, 4));
    }

    void send_without_link_reports_it() {
        t->dialogs.selections.push_back({1, 1, "RDX"});
        t->app->documents().file_new();
        t->app->transfers().link().select_com_link(); // a link that cannot open
        t->app->transfers().link().set_com_port(path("no-such-port").toStdString());
        t->app->main_frame()->run_command(ID_FILE_SEND);
        QVERIFY(t->transfers_done());
        QCOMPARE(t->ui.texts(), std::vector<std::string>{"Error opening specified COM port."});
    }
};

QTEST_MAIN(tst_documents)
#include "tst_documents.moc"
