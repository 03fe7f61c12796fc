// The block definitions editor: the fit check, the memory counters, editing rows with the
// conflict message and the block properties fields.

#include "document/editor_ui.h"
#include "model/block_rules.h"
#include "protocol_ui/CBlockDefDialog.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CBlockPropDIALOG.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/CUsageDisplay.h"
#include "protocol_ui/help_topics.h"
#include "tests/support/scripted_ui.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

namespace {
block_table_t table_with(std::initializer_list<std::tuple<int, int, int>> blocks) {
    block_table_t table{};
    for (auto [position, base, length] : blocks) {
        table[position].start = base;
        table[position].length = length;
    }
    return table;
}

const char* conflict_text =
    "This Block definition conflicts with another\n\rdefinition, or is too large to fit into "
    "remaining memory.\n\rPlease try again";
} // namespace

class tst_block_editor : public QObject {
    Q_OBJECT
  private slots:
    void fit_check_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("fits");
        // Against the default table: I/O input 0..255 (block 0), I/O output 0..255 (block 11).
        QTest::newRow("I/O ends at 256") << 1 << 256 << 0 << true;
        QTest::newRow("block 0 itself to 256") << 0 << 0 << 256 << true;
        QTest::newRow("block 0 one more") << 0 << 0 << 257 << false;
        QTest::newRow("I/O output ends at 257") << 11 << 1 << 256 << false;
        QTest::newRow("Param ends at 768") << 5 << 256 << 512 << true;
        QTest::newRow("Param one more") << 5 << 256 << 513 << false;
        QTest::newRow("Param input over I/O input") << 5 << 0 << 10 << false;
        QTest::newRow("Param input after I/O input") << 5 << 256 << 10 << true;
        QTest::newRow("Param output over I/O output") << 16 << 250 << 10 << false;
        QTest::newRow("empty block over another") << 6 << 10 << 0 << true;
        QTest::newRow("empty I/O block past its area") << 1 << 300 << 0 << true;
        QTest::newRow("empty Param block past the space") << 7 << 900 << 0 << true;
        QTest::newRow("second I/O input over block 0") << 2 << 100 << 1 << false;
    }
    void fit_check() {
        QFETCH(int, position);
        QFETCH(int, base);
        QFETCH(int, length);
        QFETCH(bool, fits);
        QCOMPARE(block_fits(default_block_table(), position, base, length), fits);
    }

    void directions_do_not_collide() {
        // An output block may take registers an input block holds.
        const block_table_t table = table_with({{5, 300, 10}});
        QVERIFY(block_fits(table, 16, 300, 10));
        QVERIFY(!block_fits(table, 6, 305, 10));
        QVERIFY(block_fits(table, 6, 310, 10));
    }

    void counters_data() {
        QTest::addColumn<block_table_t>("table");
        QTest::addColumn<QList<int>>("bytes");
        QTest::newRow("default") << default_block_table() << QList<int>{512, 512, 0, 0};
        QTest::newRow("Param window")
            << table_with({{5, 300, 10}, {6, 400, 10}}) << QList<int>{0, 0, 220, 0};
        QTest::newRow("equal bases, later wins")
            << table_with({{0, 10, 50}, {1, 10, 20}}) << QList<int>{60, 0, 0, 0};
        QTest::newRow("gaps below I/O count")
            << table_with({{11, 100, 28}, {17, 500, 4}, {16, 600, 6}})
            << QList<int>{0, 256, 0, 212};
    }
    void counters() {
        QFETCH(block_table_t, table);
        QFETCH(QList<int>, bytes);
        CBlockDefDialog dialog(table);
        const QStringList formats = {"I/O Input: (%1 / 512 bytes)", "I/O Output: (%1 / 512 bytes)",
                                     "Param Input: (%1 / 1024 bytes)",
                                     "Param Output: (%1 / 1024 bytes)"};
        const int highs[] = {512, 512, 1024, 1024};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(dialog.usage()->label(i)->text(), formats[i].arg(bytes[i]));
            QCOMPARE(dialog.usage()->bar(i)->maximum(), highs[i]);
            QCOMPARE(dialog.usage()->bar(i)->value(), bytes[i]);
        }
    }

    void lists_and_columns() {
        CBlockDefDialog dialog(default_block_table());
        QCOMPARE(dialog.windowTitle(), QString("Block Definitions"));
        for (CBlockList* list : {dialog.input_list(), dialog.output_list()}) {
            QCOMPARE(list->topLevelItemCount(), 11);
            list->setup_columns(); // a second set-up adds nothing
            QCOMPARE(list->columnCount(), 4);
            QCOMPARE(list->headerItem()->text(3), QString("Length"));
        }
        QCOMPARE(CBlockList::row_texts(dialog.table()[0]), QStringList({"I/O", "IN", "0", "256"}));
        QCOMPARE(CBlockList::row_texts(dialog.table()[16]),
                 QStringList({"Param", "OUT", "0", "0"}));
        QCOMPARE(dialog.output_list()->topLevelItem(0)->text(3), QString("256"));
    }

    void help_button_asks_for_topic_11() {
        QList<int> contexts;
        set_help_topic_handler([&](QWidget*, int context) { contexts << context; });
        CBlockDefDialog dialog(default_block_table());
        QCOMPARE(dialog.help_button()->text(), QString("Block Definition Help"));
        dialog.help_button()->click();
        set_help_topic_handler({});
        QCOMPARE(contexts, QList<int>{11});
    }

    void edit_without_selection_does_nothing() {
        CBlockDefDialog dialog(default_block_table());
        int asked = 0;
        dialog.set_properties_asker([&](QWidget*, int&, int&) { return ++asked, true; });
        dialog.edit_selected(false);
        dialog.edit_selected(true);
        QCOMPARE(asked, 0);
    }

    void edit_retries_until_it_fits() {
        scripted_ui messages;
        scoped_editor_ui installed(messages);
        CBlockDefDialog dialog(default_block_table());
        // Row 5 of the input list is the first Param input block.
        dialog.input_list()->setCurrentItem(dialog.input_list()->topLevelItem(5));
        QList<QPair<int, int>> presets;
        const QList<QPair<int, int>> answers = {{0, 10}, {300, 500}, {256, 10}};
        int call = 0;
        dialog.set_properties_asker([&](QWidget*, int& base, int& length) {
            presets << qMakePair(base, length);
            base = answers[call].first;
            length = answers[call].second;
            ++call;
            return true;
        });
        dialog.edit_selected(false);
        // Each retry starts from the values just refused.
        QCOMPARE(presets, (QList<QPair<int, int>>{{0, 0}, {0, 10}, {300, 500}}));
        QCOMPARE(messages.texts(), (std::vector<std::string>{conflict_text, conflict_text}));
        QCOMPARE(dialog.table()[5].start, 256);
        QCOMPARE(dialog.table()[5].length, 10);
        QCOMPARE(dialog.input_list()->topLevelItemCount(), 11);
        QCOMPARE(dialog.input_list()->topLevelItem(5)->text(2), QString("256"));
        QCOMPARE(dialog.usage()->label(2)->text(), QString("Param Input: (20 / 1024 bytes)"));
    }

    // Enter and F2 on a selected row edit the block; the dialog stays open.
    void keyboard_edits_the_selected_block_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("F2") << int(Qt::Key_F2);
    }
    void keyboard_edits_the_selected_block() {
        QFETCH(int, key);
        CBlockDefDialog dialog(default_block_table());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        int asked = 0;
        dialog.set_properties_asker([&](QWidget*, int& base, int& length) {
            ++asked;
            base = 256;
            length = 4;
            return true;
        });
        CBlockList* list = dialog.input_list();
        list->setFocus();
        list->setCurrentItem(list->topLevelItem(5));
        QTest::keyClick(list, Qt::Key(key));
        QCOMPARE(asked, 1);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.table()[5].length, 4);
        // Without a selected row, Enter is the dialog's: OK.
        list->clearSelection();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(asked, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // Whatever height the list gets, it shows whole rows only.
    void list_shows_whole_rows() {
        CBlockList list;
        list.setup_columns();
        list.show_blocks(default_block_table(), 0, 22);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const int row = list.visualItemRect(list.topLevelItem(0)).height();
        QVERIFY(row > 0);
        for (int height : {120, 137, 151, 200, 233}) {
            list.resize(list.width(), height);
            QCoreApplication::processEvents();
            QCOMPARE(list.viewport()->height() % row, 0);
        }
    }

    void cancel_keeps_the_block() {
        scripted_ui messages;
        scoped_editor_ui installed(messages);
        CBlockDefDialog dialog(default_block_table());
        dialog.output_list()->setCurrentItem(dialog.output_list()->topLevelItem(0));
        int call = 0;
        dialog.set_properties_asker([&](QWidget*, int& base, int& length) {
            base = 0;
            length = 300; // too large: refused, then the user cancels
            return call++ == 0;
        });
        dialog.edit_selected(true);
        QCOMPARE(call, 2);
        QCOMPARE(dialog.table()[11].length, 256);
        QCOMPARE(dialog.output_list()->topLevelItem(0)->text(3), QString("256"));
    }

    void removing_a_block_frees_its_counter() {
        CBlockDefDialog dialog(default_block_table());
        dialog.output_list()->setCurrentItem(dialog.output_list()->topLevelItem(0));
        dialog.set_properties_asker([](QWidget*, int&, int& length) { return length = 0, true; });
        dialog.edit_selected(true);
        QCOMPARE(dialog.usage()->label(1)->text(), QString("I/O Output: (0 / 512 bytes)"));
        QCOMPARE(dialog.usage()->bar(1)->value(), 0);
    }

    void properties_fields_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("message");
        QTest::newRow("accepted") << "256"
                                  << " 12 "
                                  << "";
        QTest::newRow("negative") << "-1"
                                  << "12"
                                  << "Please enter a positive integer.";
        QTest::newRow("text") << "12"
                              << "abc"
                              << "Please enter a positive integer.";
        QTest::newRow("empty") << ""
                               << "12"
                               << "Please enter a positive integer.";
    }
    void properties_fields() {
        QFETCH(QString, base);
        QFETCH(QString, length);
        QFETCH(QString, message);
        scripted_ui messages;
        scoped_editor_ui installed(messages);
        CBlockPropDIALOG dialog(5, 6);
        QCOMPARE(dialog.windowTitle(), QString("Block Properties"));
        QCOMPARE(dialog.base_edit()->text(), QString("5"));
        dialog.base_edit()->setText(base);
        dialog.length_edit()->setText(length);
        dialog.accept();
        if (message.isEmpty()) {
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.base(), base.toInt());
            QCOMPARE(dialog.length(), length.trimmed().toInt());
        } else {
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(messages.texts(), std::vector<std::string>{message.toStdString()});
            QCOMPARE(dialog.base(), 5);
        }
    }
};

QTEST_MAIN(tst_block_editor)
#include "tst_block_editor.moc"
