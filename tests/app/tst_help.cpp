// Help in the running editor: pages shown from a modal dialog stay usable, F1 shows the page
// of the window in use, context help shows a command's or a window's page instead of running
// it.

#include "app/CCommandSet.h"
#include "app/CContextHelp.h"
#include "app/CHelpWindow.h"
#include "app/CMainFrame.h"
#include "app/command_table.h"
#include "app_fixture.h"
#include "model/block_rules.h"
#include "protocol_ui/CBlockDefDialog.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/help_topics.h"

#include <QDialog>
#include <QLineEdit>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {
QString shown_page(const CHelpWindow* window) {
    return window ? window->browser()->source().fileName() : QString();
}
} // namespace

class tst_help : public QObject {
    Q_OBJECT
  private:
    app_per_test t;

  private slots:
    void init() {
        QVERIFY(t.start());
        t->app->main_frame()->show();
        QVERIFY(QTest::qWaitForWindowActive(t->app->main_frame()));
    }
    void cleanup() { t.stop(); }

    // Help asked for by a modal dialog (Block Definition Help) opens in a window of that
    // dialog, which modality does not block, and goes with the dialog.
    void help_from_a_modal_dialog_belongs_to_it() {
        CBlockDefDialog dialog(default_block_table(), t->app->main_frame());
        QPointer<CHelpWindow> help;
        bool ancestor = false, visible = false;
        QTimer::singleShot(0, &dialog, [&] {
            show_help_topic(&dialog, 11);
            const auto windows = dialog.findChildren<CHelpWindow*>();
            help = windows.isEmpty() ? nullptr : windows.first();
            ancestor = help && help->parentWidget() == &dialog;
            visible = help && help->isVisible();
            dialog.reject();
        });
        dialog.exec();
        QVERIFY(ancestor);
        QVERIFY(visible);
        QCOMPARE(shown_page(help), QString("block_definitions.html"));
        // Without a modal dialog the editor's own help window shows the page.
        t->app->help_context(13);
        QCOMPARE(shown_page(t->app->help_window()), QString("profinet.html"));
        QVERIFY(t->app->help_window()->parentWidget() == t->app->main_frame());
    }

    void f1_shows_the_page_of_the_window_in_use() {
        CBlockDefDialog dialog(default_block_table(), t->app->main_frame());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.input_list()->setFocus();
        QTest::keyClick(dialog.input_list(), Qt::Key_F1);
        QCOMPARE(shown_page(t->app->help_window()), QString("block_definitions.html"));
        dialog.close();

        // In the main window without a document: the contents.
        t->app->main_frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t->app->main_frame()));
        QTest::keyClick(t->app->main_frame(), Qt::Key_F1);
        QCOMPARE(shown_page(t->app->help_window()), QString("index.html"));
    }

    void context_help_shows_instead_of_running() {
        CMainFrame* frame = t->app->main_frame();
        // A menu command: its page, and the command does not run.
        frame->run_command(ID_CONTEXT_HELP);
        QVERIFY(t->app->context_help().active());
        frame->run_command(ID_FILE_OPEN);
        QVERIFY(!t->app->context_help().active());
        QVERIFY(t->prompter.titles.isEmpty());
        QCOMPARE(shown_page(t->app->help_window()), QString("documents.html"));

        // A toolbar button, also a disabled one.
        frame->run_command(ID_CONTEXT_HELP);
        auto* print = qobject_cast<QToolButton*>(
            frame->tool_bar()->widgetForAction(frame->command_action(ID_FILE_PRINT)));
        QVERIFY(print && !print->isEnabled());
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(shown_page(t->app->help_window()), QString("registers.html"));

        // Escape leaves without a page; the next command runs again.
        frame->run_command(ID_CONTEXT_HELP);
        t->app->help_window()->close();
        QTest::keyClick(frame, Qt::Key_Escape);
        QVERIFY(!t->app->context_help().active());
        QVERIFY(!t->app->help_window()->isVisible());
        frame->run_command(ID_FILE_OPEN);
        QCOMPARE(t->prompter.titles, QStringList{"Open"});
    }

    // Every page a command or a window points to is shipped.
    void every_page_exists() {
        for (const command_info& c : command_table()) {
            const QString page = CContextHelp::page_of_command(c.id);
            QVERIFY2(QFileInfo::exists(t->app->help_folder() + "/" + page), qPrintable(page));
        }
        for (int context : {11, 13}) {
            const QString page = CHelpWindow::page_of_context(context);
            QVERIFY2(QFileInfo::exists(t->app->help_folder() + "/" + page), qPrintable(page));
        }
    }
};

QTEST_MAIN(tst_help)
#include "tst_help.moc"
