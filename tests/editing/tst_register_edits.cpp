// New Register and Properties in the register list: the dialog's values, adding and re-sorting,
// the overlap refusal with Retry and Cancel, Enter and double-click, the edited register kept
// in view.

#include "tests/editing/register_view_fixture.h"

using namespace register_view_test;

class tst_register_edits : public register_view_state {
    Q_OBJECT
  private slots:
    void new_register_adds_sorts_and_marks_modified() {
        zrp_file& map = *doc_->map();
        QVERIFY(add(map, 40005));
        CRegisterView view(doc_.get(), dialogs_, nullptr);

        dialogs_.steps = {cancel()};
        view.on_new_register();
        QCOMPARE(map.register_count(), 1);
        QVERIFY(!doc_->is_modified());

        dialogs_.steps = {ok_with(40002, 2)};
        view.on_new_register();
        QCOMPARE(dialogs_.modes.back(), 0);
        QCOMPARE(numbers(map), (std::vector<int>{40002, 40005}));
        QCOMPARE(view.model()->rowCount(), 2);
        QCOMPARE(view.model()->index(0, 5).data().toString(), QString("2"));
        QVERIFY(doc_->is_modified());
        QVERIFY(ui_.events.empty());
    }

    void new_register_overlap_retry_and_cancel() {
        zrp_file& map = *doc_->map();
        QVERIFY(add(map, 40001, 2));
        CRegisterView view(doc_.get(), dialogs_, nullptr);

        // Overlapping the second word of 40001, Retry, then a free number: the dialog reopens
        // on what was entered.
        std::string seen_name;
        dialogs_.steps = {ok_with(40002, 1, "Setpoint"), [&](register_dialog_values& v) {
                              seen_name = v.name;
                              v.register_number = 40003;
                              return 1;
                          }};
        ui_.answer({true});
        view.on_new_register();
        QCOMPARE(ui_.texts(), (std::vector<std::string>{overlap}));
        QCOMPARE(ui_.events[0].kind, scripted_ui::event::retry_cancel);
        QCOMPARE(seen_name, std::string("Setpoint"));
        QCOMPARE(numbers(map), (std::vector<int>{40001, 40003}));

        // Same number, Cancel: nothing changes.
        doc_->set_modified(false);
        ui_.events.clear();
        dialogs_.steps = {ok_with(40003)};
        ui_.answer({false});
        view.on_new_register();
        QCOMPARE(ui_.texts(), (std::vector<std::string>{overlap}));
        QCOMPARE(numbers(map), (std::vector<int>{40001, 40003}));
        QVERIFY(!doc_->is_modified());
    }

    void properties_overlap_rules() {
        zrp_file& map = *doc_->map();
        QVERIFY(add(map, 40001, 1, "Massflow"));
        QVERIFY(add(map, 40003, 1, "Setpoint"));
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        auto select_row = [&](int row) {
            view.selectionModel()->setCurrentIndex(view.model()->index(row, 0),
                                                   QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
        };

        // Widening 40001 to two words keeps clear of 40003 and of itself.
        select_row(0);
        dialogs_.steps = {ok_with(40001, 2)};
        view.on_properties();
        QCOMPARE(dialogs_.modes.back(), 1);
        QVERIFY(ui_.events.empty());
        QCOMPARE(map.register_at(0)->whole_count, 2);
        QCOMPARE(view.model()->index(0, 3).data().toString(), QString("INT_LONG"));
        QVERIFY(doc_->is_modified());

        // Widening 40003 backwards (renumbered to 40002) reaches into 40001's second word:
        // refused; Retry, then Cancel leaves the map as it was.
        doc_->set_modified(false);
        select_row(1);
        dialogs_.steps = {ok_with(40002, 1, "Setpoint"), ok_with(40002, 1, "Setpoint")};
        ui_.answer({true, false});
        view.on_properties();
        QCOMPARE(ui_.texts(), (std::vector<std::string>{overlap, overlap}));
        QCOMPARE(numbers(map), (std::vector<int>{40001, 40003}));
        QCOMPARE(map.register_at(1)->name, std::string("Setpoint"));
        QVERIFY(!doc_->is_modified());

        // Cancel in the dialog changes nothing either.
        dialogs_.steps = {cancel()};
        view.on_properties();
        QCOMPARE(map.register_at(0)->whole_count, 2);
        QVERIFY(!doc_->is_modified());
    }

    void properties_renumbering_resorts() {
        zrp_file& map = *doc_->map();
        for (int n : {40001, 40002, 40003})
            QVERIFY(add(map, n));
        map.register_at(0)->feeder = 5;
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        view.selectionModel()->setCurrentIndex(view.model()->index(0, 0),
                                               QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
        dialogs_.steps = {ok_with(40010)};
        view.on_properties();
        QCOMPARE(numbers(map), (std::vector<int>{40002, 40003, 40010}));
        QCOMPARE(view.model()->index(2, 0).data().toString(), QString("40010"));
        QCOMPARE(view.model()->index(2, 1).data().toString(), QString("5"));
    }

    void enter_and_double_click_open_properties() {
        zrp_file& map = *doc_->map();
        for (int n : {40001, 40002, 40003})
            QVERIFY(add(map, n));
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        // Enter without a selected row does nothing; on a row it edits that row.
        QTest::keyClick(&view, Qt::Key_Return);
        QVERIFY(dialogs_.modes.empty());
        view.selectionModel()->setCurrentIndex(view.model()->index(1, 0),
                                               QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
        int edited = 0;
        dialogs_.steps = {[&](register_dialog_values& v) {
            edited = v.register_number;
            return 0;
        }};
        QTest::keyClick(&view, Qt::Key_Return);
        QCOMPARE(edited, 40002);
        QCOMPARE(dialogs_.modes, std::vector<int>{1});
        dialogs_.steps = {[&](register_dialog_values& v) {
            edited = v.register_number;
            return 0;
        }};
        QTest::keyClick(&view, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(dialogs_.modes.size(), std::size_t(2));

        // A double-click on a row edits the row clicked.
        dialogs_.steps = {[&](register_dialog_values& v) {
            edited = v.register_number;
            return 0;
        }};
        const QRect third = view.visualRect(view.model()->index(2, 2));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
        QCOMPARE(edited, 40003);
    }

    void edited_register_stays_selected_and_visible() {
        zrp_file& map = *doc_->map();
        for (int i = 0; i < 400; ++i)
            QVERIFY(add(map, 40001 + 2 * i));
        CRegisterView view(doc_.get(), dialogs_, nullptr);
        view.resize(600, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto shown = [&](int row) {
            const QRect rect = view.visualRect(view.model()->index(row, 0));
            return view.viewport()->rect().intersects(rect);
        };

        // A new register deep down the list: selected alone and scrolled to.
        dialogs_.steps = {ok_with(40700)};
        view.on_new_register();
        const int added = 350;
        QCOMPARE(map.register_at(added)->register_number, 40700);
        QCOMPARE(view.selected_rows(), QList<int>{added});
        QVERIFY(shown(added));

        // Properties that renumber it to the top: still the one selected, shown where it went.
        dialogs_.steps = {ok_with(40000)};
        view.on_properties();
        QCOMPARE(map.register_at(0)->register_number, 40000);
        QCOMPARE(view.selected_rows(), QList<int>{0});
        QVERIFY(shown(0));
        // Properties in place: the row stays selected.
        dialogs_.steps = {ok_with(40000, 1, "Setpoint")};
        view.on_properties();
        QCOMPARE(map.register_at(0)->name, std::string("Setpoint"));
        QCOMPARE(view.selected_rows(), QList<int>{0});
    }
};

QTEST_MAIN(tst_register_edits)
#include "moc_register_view_fixture.cpp"
#include "tst_register_edits.moc"
