// The single-instance channel and the shell's command texts, and the transfers of the
// running editor against the card emulator on a real pseudo-terminal: send, configuration
// extraction into a new modified document, and the error list window.

#include "app/CInstanceChannel.h"
#include "app/CMainFrame.h"
#include "app/CZRPErrorDlg.h"
#include "app/command_table.h"
#include "app_fixture.h"
#include "card_on_pty.h"
#include "document/CTessalyDoc.h"
#include "event_loop_wait.h"
#include "format/map_text.h"
#include "link/link_state.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <thread>

namespace {
QString unique_channel() {
    return QStringLiteral("tessaly-test-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}

} // namespace

class tst_shell_and_transfers : public QObject {
    Q_OBJECT
  private slots:
    void channel_carries_texts_in_order() {
        listening_channel listener(unique_channel());
        QVERIFY(listener.listening);
        const QStringList texts{CInstanceChannel::open_request("/tmp/a b.zrp"),
                                CInstanceChannel::send_request("/tmp/line\nbreak\".zrp"),
                                QStringLiteral("\u00e9t\u00e9")};
        QVERIFY(deliver_from_thread(listener.channel.name(), texts));
        QTRY_COMPARE(listener.received.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(listener.received[i][0].toString(), texts[i]);
        QCOMPARE(texts[0], QStringLiteral("[open(\"/tmp/a b.zrp\")]"));
    }

    void no_editor_listening() {
        QVERIFY(!CInstanceChannel::deliver(unique_channel(), {"x"}, 500));
    }

    void second_editor_does_not_take_over() {
        CInstanceChannel first(unique_channel());
        QVERIFY(first.listen());
        CInstanceChannel second(first.name());
        QVERIFY(!second.listen());
    }

    void left_over_channel_is_taken_over() {
        const QString name = unique_channel();
        // What a crashed editor leaves behind: the socket file without a listener.
        const QString socket_file = QDir(QDir::tempPath()).filePath(name);
        {
            QFile f(socket_file);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        listening_channel listener(name);
        QVERIFY(listener.listening);
        QVERIFY(deliver_from_thread(name, {"hello"}));
        QTRY_COMPARE(listener.received.size(), 1);
    }

    void garbage_on_the_channel_is_dropped() {
        listening_channel listener(unique_channel());
        QVERIFY(listener.listening);
        std::atomic<bool> done{false};
        std::thread sender([&] {
            QLocalSocket s;
            s.connectToServer(listener.channel.name());
            if (s.waitForConnected(2000)) {
                s.write(QByteArray(200 * 1024, 'x'));
                s.waitForBytesWritten(2000);
                s.waitForDisconnected(2000);
            }
            done = true;
        });
        wait_until([&] { return done.load(); });
        sender.join();
        QTest::qWait(50);
        QCOMPARE(listener.received.size(), 0);
        // The channel still serves the next editor.
        QVERIFY(deliver_from_thread(listener.channel.name(), {"after"}));
        QTRY_COMPARE(listener.received.size(), 1);
    }

    void command_texts() {
        private_settings settings;
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        const QString map = settings.dir.filePath("shell.zrp");
        write_file(map, map_text(1));

        QVERIFY(t.app->on_command_text(CInstanceChannel::open_request(map)));
        QCOMPARE(t.app->documents().frames().size(), 1);
        QVERIFY(!t.app->on_command_text(QStringLiteral("[print(\"x\")]")));

        // Malformed send requests are not handled and show nothing.
        QVERIFY(!t.app->on_command_text(QStringLiteral("[send(\"")));
        QVERIFY(!t.app->on_command_text(QStringLiteral("[send(\"no closing quote")));
        QVERIFY(t.ui.events.empty());

        QVERIFY(t.app->on_command_text(
            CInstanceChannel::send_request(settings.dir.filePath("none.zrp"))));
        QCOMPARE(t.ui.texts(), std::vector<std::string>{"The file could not be opened."});
        // A file that is no map is refused before the link is touched.
        const QString typo = settings.dir.filePath("typo.zrp");
        std::string text = map_text(1);
        text.replace(text.find("PLC_CHAN"), 8, "PLC-CHAN");
        write_file(typo, text);
        t.ui.events.clear();
        QVERIFY(t.app->on_command_text(CInstanceChannel::send_request(typo)));
        QCOMPARE(t.ui.texts(), std::vector<std::string>{"Unable to open the requested file"});
        QVERIFY(t.app->main_frame()->isVisible()); // started by the user: stays
    }

    void send_request_of_an_editor_started_for_it() {
        private_settings settings;
        card_on_pty card({}, settings.preset_port("card"));
        QVERIFY(card.ok);
        app_under_test t(settings);
        t.app->set_started_by_user(false);
        QVERIFY(t.app->init_instance(QString()));
        QVERIFY(!t.app->main_frame()->isVisible());
        const QString map = settings.dir.filePath("send.zrp");
        write_file(map, map_text(1));
        QVERIFY(t.app->on_command_text(CInstanceChannel::send_request(map)));
        QVERIFY(t.transfers_done());
        QCOMPARE(t.ui.texts(), std::vector<std::string>{"File send complete!"});
        QCOMPARE(card.card.configuration().front(), std::string("RDX Modbus protocol"));
        QVERIFY(!t.app->main_frame()->isVisible());
    }

    void send_and_extract_through_the_editor() {
        private_settings settings;
        card_options options;
        options.device_code = 1;
        options.error_text = "Line 7: register overlaps\nLine 9: bad parameter\n";
        card_on_pty card(options, settings.preset_port("card"));
        QVERIFY(card.ok);
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();

        // Send the active document, unsaved changes included.
        const QString map = settings.dir.filePath("plant.zrp");
        write_file(map, map_text(10) + "40001 0 1 1 0 0 F:1 Massflow 100 0 1\n");
        CTessalyDoc* doc = t.app->documents().open_document_file(map);
        QVERIFY(doc);
        doc->map()->header->byte_order = 1;
        doc->set_modified(true);
        frame->run_command(ID_FILE_SEND);
        QVERIFY(t.transfers_done());
        QCOMPARE(t.ui.texts(), std::vector<std::string>{"File send complete!"});
        std::ostringstream sent;
        write_map(sent, *doc->map());
        QVERIFY(card.card.configuration().size() >= 4);
        QCOMPARE(card.card.configuration().front() + "\n",
                 sent.str().substr(0, sent.str().find('\n') + 1));

        // Extraction opens a new, modified document named by the reserved name.
        t.ui.events.clear();
        frame->run_command(ID_EXTRACT_RDX);
        QVERIFY(t.transfers_done());
        QVERIFY2(t.ui.events.empty(), t.ui.events.empty() ? "" : t.ui.events.front().text.c_str());
        QCOMPARE(t.app->documents().frames().size(), 2);
        CTessalyDoc* extracted = t.app->documents().active_document();
        QVERIFY(extracted != doc);
        QVERIFY(extracted->is_modified());
        QCOMPARE(QFileInfo(extracted->path()).fileName(), QStringLiteral("extract_rdx"));
        QCOMPARE(extracted->title(),
                 QString::fromStdString(std::string(extracted->map()->header->name())) +
                     "  extract_rdx");
        QCOMPARE(extracted->map()->header->byte_order, 1);
        // The same command again only brings that window to the front.
        t.app->documents().open_document_file(map);
        frame->run_command(ID_EXTRACT_RDX);
        QCOMPARE(t.app->documents().frames().size(), 2);
        QCOMPARE(t.app->documents().active_document(), extracted);
        // Saving it asks for a name.
        t.prompter.save_paths << settings.dir.filePath("from_card.zrp");
        QVERIFY(t.app->documents().save_document(extracted));
        QCOMPARE(extracted->path(), settings.dir.filePath("from_card.zrp"));

        // The error list goes to the error window, no document.
        frame->run_command(ID_EXTRACT_ERRORS);
        QVERIFY(t.transfers_done());
        QCOMPARE(t.app->documents().frames().size(), 2);
        QVERIFY(t.app->transfers().error_window());
        QCOMPARE(t.app->transfers().error_window()->text(),
                 QStringLiteral("Line 7: register overlaps\nLine 9: bad parameter\n"));
        t.app->exit_instance();
    }

    void extraction_without_a_card() {
        private_settings settings;
        settings.preset_port("nothing-here");
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        t.app->main_frame()->run_command(ID_EXTRACT_BLF);
        QVERIFY(t.transfers_done());
        QCOMPARE(t.ui.texts(), std::vector<std::string>{"Error opening specified COM port."});
        QVERIFY(t.app->documents().frames().isEmpty());
        QVERIFY(t.app->recent_files().files().isEmpty());
    }
};

QTEST_MAIN(tst_shell_and_transfers)
#include "tst_shell_and_transfers.moc"
