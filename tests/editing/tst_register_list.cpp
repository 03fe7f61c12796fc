// The register list as a user finds, sorts and reaches registers: sorting by a heading (the
// map and its saved order untouched), the find bar's filter and count, typing to jump, the
// context menu with an action added from outside, the end-of-range tip, the frozen column.

#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "editing/CFrozenColumn.h"
#include "editing/CRegisterContextMenu.h"
#include "editing/CRegisterDialogs.h"
#include "editing/CRegisterPane.h"
#include "editing/CRegisterTableModel.h"
#include "editing/CRegisterView.h"
#include "format/map_text.h"
#include "model/zrp_file.h"
#include "tests/support/scripted_ui.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

#include <sstream>

namespace {

struct entry {
    int number, whole, feeder;
    const char* name;
};

// A Modbus map of the given registers (in this order in the file).
std::unique_ptr<zrp_file> map_of(std::initializer_list<entry> entries) {
    auto map = std::make_unique<zrp_file>(1);
    for (const entry& e : entries) {
        auto reg = std::make_unique<host_register>(map.get(), e.number);
        reg->whole_count = e.whole;
        reg->feeder = e.feeder;
        reg->name = e.name;
        map->add_register(std::move(reg));
    }
    return map;
}

std::string saved(const zrp_file& map) {
    std::ostringstream out;
    write_map(out, const_cast<zrp_file&>(map));
    return out.str();
}

// The list's column as shown, top to bottom.
QStringList shown(const CRegisterView& view, int column) {
    QStringList cells;
    for (int row = 0; row < view.model()->rowCount(); ++row)
        cells << view.model()->index(row, column).data().toString();
    return cells;
}

} // namespace

class tst_register_list : public QObject {
    Q_OBJECT
  private:
    // The list's sorting, filtering and menu open no register dialog.
    class no_dialogs : public CRegisterDialogs {
        bool edit_register(register_dialog_values&, bool) override { return false; }
    } dialogs;
    scripted_ui ui;
    std::unique_ptr<CTessalyDoc> doc;
    std::unique_ptr<CRegisterPane> pane;
    CRegisterView* view = nullptr;

  private slots:
    void init() {
        set_editor_ui(&ui);
        doc = std::make_unique<CTessalyDoc>();
        doc->replace_map(map_of({{40001, 1, 2, "Setpoint"},
                                 {40002, 2, 1, "Massflow"},
                                 {40004, 1, 10, "BatchCount"},
                                 {40010, 1, 1, "FeederName"},
                                 {40011, 1, 3, "Massflow"}}));
        doc->set_modified(false);
        pane = std::make_unique<CRegisterPane>(doc.get(), dialogs);
        view = pane->view();
    }
    void cleanup() {
        pane.reset();
        doc.reset();
        set_editor_ui(nullptr);
    }

    // Heading clicks: ascending, descending, the map's order; numbers by value. The map and
    // what Save writes never change.
    void headings_sort_the_list_only_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("Fdr# by value") << 1 << QStringList{"1", "1", "2", "3", "10"};
        QTest::newRow("Parameter by text")
            << 2 << QStringList{"BatchCount", "FeederName", "Massflow", "Massflow", "Setpoint"};
    }
    void headings_sort_the_list_only() {
        QFETCH(int, column);
        QFETCH(QStringList, ascending);
        const std::string before = saved(*doc->map());
        const QStringList map_order = shown(*view, 0);
        view->on_heading_clicked(column);
        QCOMPARE(shown(*view, column), ascending);
        QCOMPARE(view->header()->sortIndicatorSection(), column);
        view->on_heading_clicked(column);
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        QCOMPARE(shown(*view, column), descending);
        view->on_heading_clicked(column);
        QCOMPARE(shown(*view, 0), map_order);
        QCOMPARE(view->header()->sortIndicatorSection(), -1);
        QCOMPARE(saved(*doc->map()), before);
        QVERIFY(!doc->is_modified());
    }

    // Commands act on the registers selected in a sorted, filtered list, never on the rows
    // at the same places in the map.
    void commands_act_on_what_is_shown() {
        view->sort_list(2, Qt::DescendingOrder); // Setpoint, Massflow, Massflow, FeederName, ...
        view->selectionModel()->select(view->model()->index(0, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCOMPARE(view->selected_rows(), QList<int>{0}); // Setpoint is the map's first row
        view->on_delete();
        QCOMPARE(doc->map()->register_at(0)->name, std::string("Massflow"));
        QCOMPARE(doc->map()->register_count(), 4);
        QCOMPARE(shown(*view, 2).first(), QString("Massflow")); // still sorted
    }

    // The find bar keeps the rows whose number, feeder, parameter or format holds the text.
    void filter_and_count_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("count");
        QTest::newRow("none") << "" << QStringList{"40001", "40002", "40004", "40010", "40011"}
                              << "5 registers";
        QTest::newRow("parameter, any case")
            << "massFLOW" << QStringList{"40002", "40011"} << "2 of 5 registers";
        QTest::newRow("register number")
            << "4001" << QStringList{"40010", "40011"} << "2 of 5 registers";
        QTest::newRow("feeder or number")
            << "10" << QStringList{"40004", "40010"} << "2 of 5 registers";
        QTest::newRow("format") << "INT_LONG" << QStringList{"40002"} << "1 of 5 registers";
        QTest::newRow("nothing") << "xyz" << QStringList{} << "0 of 5 registers";
    }
    void filter_and_count() {
        QFETCH(QString, text);
        QFETCH(QStringList, numbers);
        QFETCH(QString, count);
        pane->set_filter_text(text);
        QCOMPARE(shown(*view, 0), numbers);
        QCOMPARE(pane->count_text(), count);
        // Escape in the box shows every register again.
        pane->find_box()->setFocus();
        QTest::keyClick(pane->find_box(), Qt::Key_Escape);
        QCOMPARE(view->model()->rowCount(), 5);
        QCOMPARE(pane->count_text(), QString("5 registers"));
        QVERIFY(pane->find_box()->text().isEmpty());
    }

    // An edit that leaves a register the filter would hide clears the filter to show it.
    void edits_show_their_register() {
        pane->set_filter_text("Setpoint");
        view->select_rows({2}); // BatchCount, hidden by the filter
        QVERIFY(pane->find_box()->text().isEmpty());
        QCOMPARE(view->selected_rows(), QList<int>{2});
    }

    // Typed keys jump to the next register number or parameter that starts with them.
    void typing_jumps_to_a_register() {
        view->setFocus();
        const struct {
            const char* keys;
            int row;
        } steps[] = {{"m", 1}, {"m", 4}, {"m", 1}, {"b", 2}, {"4001", 3}};
        for (const auto& step : steps) {
            QTest::qWait(QApplication::keyboardInputInterval() + 50); // a new search each time
            QTest::keyClicks(view, step.keys);
            QCOMPARE(view->selected_rows(), QList<int>{step.row});
        }
    }

    void context_menu_offers_the_commands() {
        QAction live(QStringLiteral("Show Live Value"));
        view->add_context_action(&live);
        CRegisterContextMenu* menu = view->context_menu();
        QStringList texts;
        for (QAction* a : menu->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(texts, (QStringList{"New &Register", "&Properties", "-", "Cu&t", "&Copy", "&Paste",
                                     "&Delete", "-", "Show Live Value"}));
        // Without a selection only New Register (and Paste with a clipboard) are offered.
        menu->follow_list();
        QVERIFY(menu->command("New &Register")->isEnabled());
        QVERIFY(!menu->command("&Delete")->isEnabled());
        QVERIFY(!menu->command("&Properties")->isEnabled());
        view->select_rows({1});
        menu->follow_list();
        QVERIFY(menu->command("&Delete")->isEnabled());
        menu->command("&Delete")->trigger();
        QCOMPARE(doc->map()->register_count(), 4);
    }

    // A register of several words says where it ends; the cells stay as they are.
    void register_cell_tip_shows_the_range() {
        const QModelIndex two_words = view->model()->index(1, 0);
        QCOMPARE(two_words.data().toString(), QString("40002"));
        QCOMPARE(two_words.data(Qt::ToolTipRole).toString(), QString("40002-40003"));
        QCOMPARE(view->model()->index(0, 0).data(Qt::ToolTipRole).toString(), QString("40001"));
    }

    // Scrolled sideways, the register numbers stay in view.
    void first_column_stays_in_view() {
        view->resize(300, 200);
        pane->show();
        QVERIFY(QTest::qWaitForWindowExposed(pane.get()));
        auto* frozen = view->findChild<CFrozenColumn*>();
        QVERIFY(frozen);
        QVERIFY(!frozen->isVisible());
        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
        QVERIFY(frozen->isVisible());
        QCOMPARE(frozen->width(), view->columnWidth(0));
        QCOMPARE(frozen->model(), view->model());
        QCOMPARE(frozen->selectionModel(), view->selectionModel());
        view->horizontalScrollBar()->setValue(0);
        QVERIFY(!frozen->isVisible());
    }
};

QTEST_MAIN(tst_register_list)
#include "tst_register_list.moc"
