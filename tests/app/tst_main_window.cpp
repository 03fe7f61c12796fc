// The main window around several documents: a modified map is marked in the Window menu and
// by its window's icon (titles keep their form), Ctrl+Tab and Ctrl+F6 switch documents,
// Ctrl+F reaches the find bar, the window keeps its place between runs, and the register
// table is exported as a PDF named after the map.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/command_table.h"
#include "app_fixture.h"
#include "document/CTessalyDoc.h"
#include "editing/CRegisterPane.h"
#include "editing/CRegisterView.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

namespace {

// The Window menu's document entries, as it shows them when opened.
QStringList window_entries(CMainFrame* frame) {
    QStringList entries;
    for (QAction* top : frame->menuBar()->actions())
        if (top->text() == QLatin1String("&Window")) {
            emit top->menu()->aboutToShow();
            for (QAction* a : top->menu()->actions())
                if (a->isCheckable())
                    entries << a->text();
        }
    return entries;
}

QImage icon_image(const QMdiSubWindow* w) {
    return w->windowIcon().pixmap(16, 16).toImage();
}

} // namespace

class tst_main_window : public QObject {
    Q_OBJECT
  private:
    app_per_test t;

    CTessalyDoc* open(const QString& name) {
        const QString path = t.dir().filePath(name);
        write_file(path, map_text(1) + "40001 0 1 1 0 0 F:1 Massflow 100 0 1\n");
        return t->app->documents().open_document_file(path);
    }

  private slots:
    void init() { QVERIFY(t.start()); }
    void cleanup() { t.stop(); }

    void modified_maps_are_marked() {
        CTessalyDoc* a = open("a.zrp");
        CTessalyDoc* b = open("b.zrp");
        QVERIFY(a && b);
        CMainFrame* frame = t->app->main_frame();
        CChildFrame* a_window = t->app->documents().frame_of(a);
        const QImage plain = icon_image(a_window);
        QCOMPARE(window_entries(frame), (QStringList{"&1 Modbus  a.zrp", "&2 Modbus  b.zrp"}));
        a->set_modified(true);
        QCOMPARE(window_entries(frame), (QStringList{"&1 Modbus  a.zrp *", "&2 Modbus  b.zrp"}));
        QVERIFY(icon_image(a_window) != plain);
        QCOMPARE(a_window->windowTitle(), QString("Modbus  a.zrp")); // the title keeps its form
        a->set_modified(false);
        QCOMPARE(icon_image(a_window), plain);
        QCOMPARE(window_entries(frame).first(), QString("&1 Modbus  a.zrp"));
    }

    void keys_switch_documents_and_find() {
        CTessalyDoc* docs[] = {open("a.zrp"), open("b.zrp"), open("c.zrp")};
        CMainFrame* frame = t->app->main_frame();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        auto active = [&] { return frame->active_child()->document(); };
        QCOMPARE(active(), docs[2]);
        const struct {
            QKeyCombination key;
            int doc;
        } steps[] = {{Qt::CTRL | Qt::Key_Tab, 0},
                     {Qt::CTRL | Qt::Key_Tab, 1},
                     {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 0},
                     {Qt::CTRL | Qt::SHIFT | Qt::Key_F6, 2},
                     {Qt::CTRL | Qt::Key_F6, 0}};
        for (const auto& step : steps) {
            frame->active_child()->register_view()->setFocus();
            QTest::keyClick(QApplication::focusWidget(), step.key.key(),
                            step.key.keyboardModifiers());
            QCOMPARE(active(), docs[step.doc]);
        }
        // Ctrl+F puts the cursor in the active document's find bar.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), frame->active_child()->register_pane()->find_box());
    }

    // The first start on a small screen (the test screen) opens maximised; then the window
    // opens as it was closed.
    void window_keeps_its_place() {
        CMainFrame* frame = t->app->main_frame();
        QVERIFY(frame->isMaximized());
        frame->showNormal();
        frame->setGeometry(40, 50, 520, 400);
        QVERIFY(frame->close());
        QVERIFY(t.start());
        frame = t->app->main_frame();
        QVERIFY(!frame->isMaximized());
        QCOMPARE(frame->size(), QSize(520, 400));
    }

    void register_table_exports_as_pdf() {
        CTessalyDoc* doc = open("line3.zrp");
        QVERIFY(doc);
        const QString pdf = t.dir().filePath("table.pdf");
        t->prompter.save_paths << pdf;
        t->app->main_frame()->run_command(ID_EXPORT_REGISTER_TABLE_PDF);
        QCOMPARE(t->prompter.save_starts, QStringList{t.dir().filePath("line3.pdf")});
        QVERIFY(read_file(pdf).startsWith("%PDF"));
        QCOMPARE(t->ui.texts().size(), std::size_t{1});
        QVERIFY(t->ui.texts().front().rfind("Register table of 1 register exported to", 0) == 0);
    }
};

QTEST_MAIN(tst_main_window)
#include "tst_main_window.moc"
