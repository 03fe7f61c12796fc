// Transfers of the running editor on their worker thread, against the card emulator on a real
// pseudo-terminal: the window stays alive while the card is silent, the progress window says
// so and cancels at once (Cancel, Escape, quitting), and a map the card would not get as it
// stands is sent only after the question and compared with the card finding by finding.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CMapCommands.h"
#include "app/CProgressWindow.h"
#include "app/CTransferRunner.h"
#include "app/QtUserInterface.h"
#include "app/command_table.h"
#include "app_fixture.h"
#include "card_on_pty.h"
#include "document/CTessalyDoc.h"
#include "editing/CDeviceCompareDlg.h"
#include "editing/CRegisterView.h"
#include "editing/CTextTableModel.h"
#include "link/link_state.h"
#include "link/transfer_messages.h"

#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <algorithm>

namespace {

const std::string plain_registers = "40001 0 1 0 0 0 F:0 Massflow\n";
// Bit 14 holds a mnemonic the card gets as "CZZZ".
const std::string odd_mnemonic =
    "40003 0 1 3 0 0 F:0\nF:1 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0\n"
    "XXXX ZZZZ XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX\n"
    "OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF\n";
const std::string odd_finding = "40003: Bit 14: command mnemonic \"ZZZZ\" is not \"XXXX\" or "
                                "\"C\" and three characters; the card gets \"CZZZ\"";

CTessalyDoc* open_map(app_under_test& t, private_settings& settings, const std::string& text) {
    const QString path = settings.dir.filePath("plant.zrp");
    write_file(path, text);
    return t.app->documents().open_document_file(path);
}

int times_received(const card_on_pty& card, const std::string& payload) {
    QByteArray hex = QByteArray::fromStdString("\x02" + payload + "\x03").toHex(' ').toUpper();
    hex.chop(3); // the check byte varies
    const QString text = QString::fromStdString(card.transcript.text());
    return text.count(QString::fromLatin1(" rx " + hex));
}

} // namespace

class tst_transfer_worker : public QObject {
    Q_OBJECT
  private slots:
    void silent_card_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel button") << "cancel";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("quitting") << "quit";
    }

    // A card that stops answering: the editor turns its event loop, says which transmission
    // waits for an answer, keeps the transfer commands off, asks before the document or the
    // editor closes, and stops within a second of the request, during the ten-second wait.
    void silent_card() {
        QFETCH(QString, how);
        private_settings settings;
        card_options options;
        options.faults.dead_after = 2; // "REGMAX ..." and everything after go unanswered
        card_on_pty card(options, settings.preset_port("card"));
        QVERIFY(card.ok);
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        // The production wait is 10 s; 2 s keep the test short and still far above a second.
        t.app->transfers().link().timing().com_read_timeout_ms = 2000;
        CMainFrame* frame = t.app->main_frame();
        QVERIFY(open_map(t, settings, map_text(1) + plain_registers));

        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        timer.start(20);
        frame->run_command(ID_FILE_SEND);
        QVERIFY(t.app->transfers().busy());
        CProgressWindow* window = t.app->transfers().runner().progress_window();
        QTRY_VERIFY(window = t.app->transfers().runner().progress_window());
        // A second into the first wait the card counts as silent; after the wait, the
        // second transmission goes out.
        QTRY_COMPARE_WITH_TIMEOUT(
            window->note(), QStringLiteral("No answer from the card, transmission 1 of 12"), 1900);
        QTRY_COMPARE_WITH_TIMEOUT(
            window->note(), QStringLiteral("No answer from the card, transmission 2 of 12"), 5000);
        QVERIFY(window->isVisible());
        QVERIFY(window->cancel_button()->isVisible());
        QVERIFY2(ticks > 50, qPrintable(QString::number(ticks))); // the loop kept turning
        for (int id : {ID_FILE_SEND, ID_EXTRACT_RDX, ID_EXTRACT_ERRORS, ID_COMPARE_WITH_DEVICE,
                       ID_PORT_SETUP, ID_USE_COM})
            QVERIFY2(!frame->command_enabled(id), qPrintable(QString::number(id)));
        QVERIFY(frame->command_enabled(ID_FILE_NEW));
        QVERIFY(frame->command_enabled(ID_CHECK_MAP));

        // Closing the document asks; No keeps both.
        t.ui.answer({false});
        QVERIFY(!frame->active_child()->close());
        QCOMPARE(t.ui.texts(), std::vector<std::string>{"A transfer is running. Cancel it?"});
        QVERIFY(t.app->transfers().busy());
        t.ui.events.clear();

        QElapsedTimer stopping;
        stopping.start();
        if (how == "cancel") {
            window->cancel_button()->click();
        } else if (how == "escape") {
            QTest::keyClick(window, Qt::Key_Escape);
        } else {
            t.ui.answer({true});
            QVERIFY(frame->close());
            QVERIFY(!frame->isVisible());
        }
        QVERIFY(t.transfers_done());
        QVERIFY2(stopping.elapsed() < 1000, qPrintable(QString::number(stopping.elapsed())));
        std::vector<std::string> said{msg_send_cancelled};
        if (how == "quit")
            said.insert(said.begin(), "A transfer is running. Cancel it?");
        QCOMPARE(t.ui.texts(), said);
        // The frame on the wire was not sent again, and nothing came after it.
        QCOMPARE(times_received(card, "REGMAX 65535"), 2);
        QCOMPARE(times_received(card, "NODENUM 1"), 0);
        QVERIFY(!t.app->transfers().runner().progress_window());
        QVERIFY(frame->command_enabled(ID_FILE_SEND) || how == "quit");
        t.app->exit_instance();
    }

    // A map the card would not get as it stands: the question lists the findings, No sends
    // nothing, Yes sends it; Compare with Device then lists the finding as a row of its own,
    // which leads to its register.
    void map_with_a_finding() {
        private_settings settings;
        card_on_pty card({}, settings.preset_port("card"));
        QVERIFY(card.ok);
        app_under_test t(settings);
        QVERIFY(t.app->init_instance(QString()));
        CMainFrame* frame = t.app->main_frame();
        CTessalyDoc* doc = open_map(t, settings, map_text(1) + plain_registers + odd_mnemonic);
        QVERIFY(doc);
        const std::string question =
            "The card would not get this map as it stands:\n" + odd_finding + "\n\nSend anyway?";

        t.ui.answer({false});
        frame->run_command(ID_FILE_SEND);
        QVERIFY(!t.app->transfers().busy());
        QCOMPARE(t.ui.texts(), std::vector<std::string>{question});
        QTest::qWait(100);
        QCOMPARE(card.transcript.text(), std::string()); // not one byte

        t.ui.events.clear();
        t.ui.answer({true});
        frame->run_command(ID_FILE_SEND);
        QVERIFY(t.transfers_done());
        QCOMPARE(t.ui.texts(), (std::vector<std::string>{question, msg_send_complete}));
        const auto& lines = card.card.configuration();
        QVERIFY(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
            return line.rfind("XXXX ZZZZ XXXX", 0) == 0;
        }));

        t.ui.events.clear();
        frame->run_command(ID_COMPARE_WITH_DEVICE);
        QVERIFY(t.transfers_done());
        QVERIFY(t.ui.events.empty());
        CDeviceCompareDlg* window = t.app->map_commands().compare_window();
        QVERIFY(window);
        QCOMPARE(window->summary(), QStringLiteral("The card differs from this map. 1 finding."));
        QCOMPARE(window->finding_count(), 1);
        QCOMPARE(window->difference_count(), 0);
        QCOMPARE(window->cell(0, 0), QStringLiteral("40003"));
        QCOMPARE(window->cell(0, 1), QStringLiteral("Finding"));
        QCOMPARE(window->cell(0, 2), QString::fromStdString(odd_finding.substr(7)));
        CRegisterView* list = frame->active_child()->register_view();
        list->clearSelection();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QPoint first = window->view()->visualRect(window->table()->index(0, 0)).center();
        QTest::mouseClick(window->view()->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(window->view()->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(list->selected_rows(), QList<int>{1});
        t.app->exit_instance();
    }

    // The editor's question before such a send offers No as the default: Enter sends nothing.
    void send_question_defaults_to_no() {
        QtUserInterface qt_ui;
        QMessageBox::StandardButton default_button = QMessageBox::NoButton;
        QTimer::singleShot(0, [&default_button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            default_button = box->standardButton(box->defaultButton());
            QTest::keyClick(box, Qt::Key_Return);
        });
        QVERIFY(!qt_ui.ask_yes_no_default_no("Send anyway?"));
        QCOMPARE(default_button, QMessageBox::No);
    }
};

QTEST_MAIN(tst_transfer_worker)
#include "tst_transfer_worker.moc"
