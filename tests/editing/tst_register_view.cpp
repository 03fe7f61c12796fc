// The register list: the twelve cells of every format, the normalisations, sorting, Delete
// with any selection, other views following a change, and the printing refusals.

#include "tests/editing/register_view_fixture.h"

using namespace register_view_test;

namespace {
// A register of one format and the cells the list shows for it, columns 2 to 11.
struct cell_row {
    int format;
    std::string name;
    int fraction, whole, word_order, negative;
    bool swap;
    QStringList cells;
};
} // namespace
Q_DECLARE_METATYPE(cell_row)

class tst_register_view : public register_view_state {
    Q_OBJECT
  private slots:
    void columns_have_their_headings_and_widths() {
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        const QStringList headings{"Reg#",         "Fdr#",      "Parameter", "Format (Scaling)",
                                   "Num Frac",     "Num Whole", "Scaling",   "Word Order",
                                   "Neg.Handling", "Max Value", "Min Value", "Scale Factor"};
        const int widths[] = {50, 50, 150, 120, 70, 70, 120, 80, 80, 80, 80, 100};
        QCOMPARE(view.model()->columnCount(), 12);
        // Widths keep their proportions; a larger font widens every column alike.
        const double unit = view.columnWidth(0) / 50.0;
        QVERIFY(unit >= 1.0);
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(view.model()->headerData(i, Qt::Horizontal).toString(), headings[i]);
            QVERIFY2(qAbs(view.columnWidth(i) - widths[i] * unit) <= 1.0, qPrintable(headings[i]));
        }
        // The longest texts of the 80-unit columns are not cut.
        const QFontMetrics metrics(view.font());
        for (const char* text : {"UNSIGNED (2)", "REVERSED (6)", "2500.500000"})
            QVERIFY(metrics.horizontalAdvance(text) + 12 < view.columnWidth(7));
    }

    void cells_of_every_format_data() {
        QTest::addColumn<cell_row>("r");
        auto row = [](const char* tag, int format, const char* name, int fraction, int whole,
                      int word_order, int negative, bool swap, QStringList cells) {
            QTest::newRow(tag) << cell_row{format,     name,     fraction, whole,
                                           word_order, negative, swap,     std::move(cells)};
        };
        row("passthru", 0, "Massflow", 0, 1, 0, 0, false,
            {"Massflow", "INT_PASSTHRU", "0", "1", "0", "N/A (0)", "SIGNED (0)", "N/A", "N/A",
             "N/A"});
        row("int long", 0, "Totalizer", 0, 2, 6, 2, false,
            {"Totalizer", "INT_LONG", "0", "2", "0", "REVERSED (6)", "UNSIGNED (2)", "N/A", "N/A",
             "N/A"});
        row("numeric", 1, "Setpoint", 1, 1, 0, 3, false,
            {"Setpoint", "INT_NUMERIC", "1", "1", "1", "N/A (0)", "FORCE_0 (3)", "250.500000",
             "-1.250000", "0.500000"});
        row("decimal shift", 2, "Massflow", 0, 1, 0, 1, false,
            {"Massflow", "INT_DEC_SHIFT", "0", "1", "2", "N/A (0)", "SIGNED (1)", "N/A", "N/A",
             "0.001 (-3)"});
        row("commands", 3, "", 0, 1, 0, 2, false,
            {"", "COMMANDS", "0", "1", "3", "N/A (0)", "N/A (2)", "N/A", "N/A", "N/A"});
        row("status", 4, "", 0, 1, 6, 0, false,
            {"", "STATUS", "0", "1", "4", "REVERSED (6)", "N/A (0)", "N/A", "N/A", "N/A"});
        row("rom constant", 5, "", 0, 1, 0, 0, false,
            {"", "ROM_CONSTANT", "0", "1", "5", "N/A (0)", "SIGNED (0)", "RC 1234", "N/A", "N/A"});
        row("siemens float", 6, "Massflow", 1, 1, 0, 0, false,
            {"Massflow", "SIEMENS_FLOAT", "N/A", "1", "N/A (6)", "N/A (0)", "SIGNED (0)", "N/A",
             "N/A", "N/A"});
        row("ieee float normal", 7, "Massflow", 0, 2, 0, 2, false,
            {"Massflow", "IEEE_FLOAT", "0", "2", "7", "NORMAL (0)", "N/A (2)", "N/A", "N/A",
             "N/A"});
        row("ieee float reversed", 7, "Massflow", 0, 2, 6, 0, false,
            {"Massflow", "IEEE_FLOAT", "0", "2", "7", "REVERSED (6)", "N/A (0)", "N/A", "N/A",
             "N/A"});
        row("bit write", 8, "Massflow", 0, 1, 0, 0, false,
            {"Massflow", "BITWRITE_VAL", "N/A", "1", "N/A (8)", "N/A (0)", "SIGNED (0)", "N/A",
             "N/A", "N/A"});
        row("string swapped", 9, "FeederName", 0, 8, 0, 0, true,
            {"FeederName", "STRING_VAL", "0", "8", "STRING_SWAP (9)", "N/A (0)", "N/A (0)", "N/A",
             "N/A", "N/A"});
        row("string unswapped", 0, "SerialNumber", 0, 4, 0, 0, false,
            {"SerialNumber", "STRING_VAL", "0", "4", "NO_SWAP (0)", "N/A (0)", "SIGNED (0)", "N/A",
             "N/A", "N/A"});
        row("string of two words", 0, "LXGType", 0, 2, 0, 0, false,
            {"LXGType", "INT_LONG", "0", "2", "NO_SWAP (0)", "N/A (0)", "SIGNED (0)", "N/A", "N/A",
             "N/A"});
        row("status word swapped", 10, "AlarmStatus", 0, 1, 0, 0, true,
            {"AlarmStatus", "STATUS_VAL", "0", "1", "STATUS_SWAP (10)", "N/A (0)", "N/A (0)", "N/A",
             "N/A", "N/A"});
        row("status word stored as passthru", 0, "AlarmStatus3", 0, 1, 0, 0, false,
            {"AlarmStatus3", "STATUS_VAL", "0", "1", "NO_SWAP (0)", "N/A (0)", "N/A (0)", "N/A",
             "N/A", "N/A"});
        row("array", 11, "AlarmStat", 0, 6, 0, 2, false,
            {"AlarmStat", "INT_ARRAY", "0", "6", "0", "N/A (0)", "UNSIGNED (2)", "N/A", "N/A",
             "N/A"});
        row("array stored as numeric", 1, "ProcStat", 0, 3, 0, 2, false,
            {"ProcStat", "INT_ARRAY", "0", "3", "0", "N/A (0)", "UNSIGNED (2)", "N/A", "N/A",
             "N/A"});
        row("unknown format", 13, "Massflow", 0, 1, 0, 0, false,
            {"Massflow", "INT_PASSTHRU", "0", "1", "0", "N/A (0)", "SIGNED (0)", "N/A", "N/A",
             "N/A"});
        row("negative format", -4, "Massflow", 0, 1, 0, 0, false,
            {"Massflow", "INT_PASSTHRU", "0", "1", "0", "N/A (0)", "SIGNED (0)", "N/A", "N/A",
             "N/A"});
        // Names a saved file cannot hold carry the marker.
        row("numeric without a name", 1, "", 1, 1, 0, 3, false,
            {"(!)", "INT_NUMERIC", "1", "1", "1", "N/A (0)", "FORCE_0 (3)", "250.500000",
             "-1.250000", "0.500000"});
        row("decimal shift without a name", 2, "", 0, 1, 0, 0, false,
            {"(!)", "INT_DEC_SHIFT", "0", "1", "2", "N/A (0)", "SIGNED (0)", "N/A", "N/A",
             "0.001 (-3)"});
        row("name with a blank", 0, "Mass flow", 0, 1, 0, 0, false,
            {"(!) Mass flow", "INT_PASSTHRU", "0", "1", "0", "N/A (0)", "SIGNED (0)", "N/A", "N/A",
             "N/A"});
    }

    void cells_of_every_format() {
        QFETCH(cell_row, r);
        zrp_file& map = *doc_->map();
        host_register* reg = add(map, 40010, r.whole, r.name);
        QVERIFY(reg);
        reg->format = r.format;
        reg->fraction_count = r.fraction;
        reg->word_order = r.word_order;
        reg->negative = r.negative;
        reg->swap = r.swap;
        reg->feeder = 7;
        reg->maximum = 250.5f;
        reg->minimum = -1.25f;
        reg->scale = 0.5f;
        reg->decimal_shift = -3;
        reg->rom_constant = 1234;

        // Through the view, as the user sees it.
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        QAbstractItemModel* model = view.model();
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->index(0, 0).data().toString(), QString("40010"));
        QCOMPARE(model->index(0, 1).data().toString(), QString("7"));
        for (int column = 2; column < 12; ++column)
            QCOMPARE(model->index(0, column).data().toString(), r.cells[column - 2]);
    }

    void unsavable_names_explain_themselves_in_a_tip() {
        zrp_file& map = *doc_->map();
        host_register* unnamed = add(map, 40001, 1, "");
        unnamed->format = 1;
        add(map, 40002, 1, "Massflow");
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        QAbstractItemModel* model = view.model();
        QCOMPARE(
            model->index(0, parameter_column).data(Qt::ToolTipRole).toString(),
            QString("Saving does not keep this register as it is: the parameter name is empty: "
                    "the first value would be read as the name."));
        // Other cells, and registers that save as they are, keep their texts as tips.
        QCOMPARE(model->index(0, 3).data(Qt::ToolTipRole).toString(), QString("INT_NUMERIC"));
        QCOMPARE(model->index(1, parameter_column).data(Qt::ToolTipRole).toString(),
                 QString("Massflow"));
        // Naming the register takes the marker away.
        unnamed->name = "Setpoint";
        QCOMPARE(model->index(0, parameter_column).data().toString(), QString("Setpoint"));
        QCOMPARE(model->index(0, parameter_column).data(Qt::ToolTipRole).toString(),
                 QString("Setpoint"));
    }

    void normalisation_changes_only_what_it_must() {
        zrp_file& map = *doc_->map();
        host_register* array = add(map, 40001, 2, "ProcStat");
        host_register* status = add(map, 40003, 1, "AlarmStatus3");
        host_register* unknown = add(map, 40004, 1, "Massflow");
        host_register* plain = add(map, 40005, 1, "Massflow");
        array->format = 1;
        status->format = 0;
        unknown->format = 12;
        plain->format = 7;
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        QCOMPARE(array->format, 11); // from now on stored as an array
        QCOMPARE(status->format, 0); // shown as a status value, stored unchanged
        QCOMPARE(unknown->format, 0);
        QCOMPARE(plain->format, 7);
        QCOMPARE(view.model()->index(0, 6).data().toString(), QString("0"));
        QCOMPARE(view.model()->index(1, 3).data().toString(), QString("STATUS_VAL"));
    }

    void arrays_stay_arrays_after_a_save() {
        zrp_file& map = *doc_->map();
        host_register* array = add(map, 40001, 3, "ProcStat");
        QVERIFY(add(map, 40004, 2, "AlarmStat"));
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        QCOMPARE(array->format, 11);
        std::ostringstream saved;
        write_map(saved, map); // stores both with format 0
        QCOMPARE(array->format, 0);
        for (int row = 0; row < 2; ++row) {
            QCOMPARE(view.model()->index(row, 3).data().toString(), QString("INT_ARRAY"));
            QCOMPARE(view.model()->index(row, 6).data().toString(), QString("0"));
        }
    }

    void view_sorts_and_shows_the_cells() {
        zrp_file& map = *doc_->map();
        for (int n : {40009, 40002, 40005, 40001})
            QVERIFY(add(map, n));
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        QCOMPARE(numbers(map), (std::vector<int>{40001, 40002, 40005, 40009}));
        for (int row = 0; row < 4; ++row) {
            const auto cells = register_cells(*map.register_at(row));
            for (int column = 0; column < 12; ++column)
                QCOMPARE(view.model()->index(row, column).data().toString().toStdString(),
                         cells[static_cast<std::size_t>(column)]);
        }
        QVERIFY(!view.can_delete());
        QVERIFY(view.can_edit_registers());
    }

    void large_map_shows_at_once() {
        zrp_file& map = *doc_->map();
        const int count = 100000;
        map.registers.reserve(count);
        for (int i = count - 1; i >= 0; --i) { // reversed, so that the sort has work to do
            auto reg = std::make_unique<host_register>(&map, 40001 + i);
            reg->name = "Massflow";
            map.registers.push_back(std::move(reg));
        }
        QElapsedTimer timer;
        timer.start();
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        view.resize(900, 600);
        view.show();
        QCoreApplication::processEvents();
        view.scrollToBottom();
        QCoreApplication::processEvents();
        view.update_rows(0);
        QCoreApplication::processEvents();
        QCOMPARE(view.model()->rowCount(), count);
        QCOMPARE(view.model()->index(count - 1, 0).data().toString(),
                 QString::number(40000 + count));
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    }

    void delete_removes_exactly_the_selection() {
        zrp_file& map = *doc_->map();
        for (int i = 0; i < 8; ++i)
            QVERIFY(add(map, 40001 + i));
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        QSignalSpy updates(doc_.get(), &CTessalyDoc::views_update);
        // Rows picked out of order with gaps: 6, 1, 3 (Ctrl-clicks).
        auto* selection = view.selectionModel();
        for (int row : {6, 1, 3})
            selection->select(view.model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        selection->setCurrentIndex(view.model()->index(3, 0), QItemSelectionModel::NoUpdate);
        QVERIFY(view.can_delete());
        view.on_delete();
        QCOMPARE(numbers(map), (std::vector<int>{40001, 40003, 40005, 40006, 40008}));
        QCOMPARE(view.model()->rowCount(), 5);
        QVERIFY(doc_->is_modified());
        QCOMPARE(updates.count(), 1);

        // Everything selected.
        view.selectAll();
        view.on_delete();
        QCOMPARE(map.register_count(), 0);
        QCOMPARE(view.model()->rowCount(), 0);
    }

    void delete_without_selection_does_nothing() {
        zrp_file& map = *doc_->map();
        QVERIFY(add(map, 40001));
        QVERIFY(add(map, 40002));
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        // A current row that is not selected is no selection.
        view.selectionModel()->setCurrentIndex(view.model()->index(1, 0),
                                               QItemSelectionModel::NoUpdate);
        QVERIFY(!view.can_delete());
        view.on_delete();
        QCOMPARE(map.register_count(), 2);
        QVERIFY(!doc_->is_modified());
    }

    void other_views_follow_a_change() {
        zrp_file& map = *doc_->map();
        for (int i = 0; i < 3; ++i)
            QVERIFY(add(map, 40001 + i));
        CRegisterView first(doc_.get(), dialogs_, nullptr);
        CRegisterView second(doc_.get(), dialogs_, nullptr);
        first.selectionModel()->select(first.model()->index(0, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        first.on_delete();
        QCOMPARE(second.model()->rowCount(), 2);
        QCOMPARE(second.model()->index(0, 0).data().toString(), QString("40002"));

        // A new map in the document (Open, extraction) shows at once.
        auto replacement = std::make_unique<zrp_file>(3);
        QVERIFY(add(*replacement, 7));
        doc_->replace_map(std::move(replacement));
        QCOMPARE(second.model()->rowCount(), 1);
        QCOMPARE(second.model()->index(0, 0).data().toString(), QString("7"));
    }

    void view_outlives_its_document() {
        QVERIFY(add(*doc_->map(), 40001));
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        view.selectAll();
        doc_.reset(); // the frame deletes the document before its widgets
        view.update_rows(0);
        view.on_delete();
        QCOMPARE(view.model()->rowCount(), 0);
        QVERIFY(!view.model()->index(0, 0).data().isValid());
    }

    void printing_refuses_unsaved_documents() {
        QPrinter printer;
        const std::string save_first = "You need to save the file before printing !";

        print_register_list(doc_.get(), printer, nullptr); // never saved
        doc_->set_path("/nonexistent/folder/map.zrp");
        doc_->set_modified(true);
        preview_register_list(doc_.get(), printer, nullptr); // modified
        doc_->set_modified(false);
        print_register_list(doc_.get(), printer, nullptr); // saved file gone
        QCOMPARE(ui_.texts(),
                 (std::vector<std::string>{save_first, save_first,
                                           "Failed to open File: /nonexistent/folder/map.zrp !\n" +
                                               save_first}));
    }
};

QTEST_MAIN(tst_register_view)
#include "moc_register_view_fixture.cpp"
#include "tst_register_view.moc"
