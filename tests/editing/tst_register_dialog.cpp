// The register dialog: its pages by type, labels and accessible names, tab order and keys,
// refusals, the parameter tree and its search, the location, blocks and line shown by map, and
// a dialog that fits the screen.

#include "editing/CParameterSearch.h"
#include "tests/editing/register_dialog_fixture.h"

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

using namespace register_dialog_test;

class tst_register_dialog : public dialog_fixture {
    Q_OBJECT
  private slots:
    void pages_follow_the_type() {
        auto d = open(values(0, "Massflow"), false);
        QCOMPARE(d->windowTitle(), QString("Register properties"));
        QCOMPARE(tab_titles(*d), QStringList{"Register"});
        choose_type(*d, 3);
        QCOMPARE(tab_titles(*d), (QStringList{"Register", "Commands"}));
        QVERIFY(d->commands_page() != nullptr);
        QVERIFY(d->ok_button()->isEnabled());
        QCOMPARE(named<QLineEdit>(d.get(), "Selected parameter")->text(), QString());
        choose_type(*d, 4);
        QCOMPARE(tab_titles(*d), (QStringList{"Register", "Status"}));
        QVERIFY(d->commands_page() == nullptr);
        choose_type(*d, 1);
        QCOMPARE(tab_titles(*d), QStringList{"Register"});
        QVERIFY(!d->ok_button()->isEnabled()); // the line above the tree is empty
        // Opened on a bitmap register, the page is there at once.
        QCOMPARE(tab_titles(*open(values(4, ""))), (QStringList{"Register", "Status"}));

        // A pick reacts at once: a "bits" parameter gives "Status Value", "Unsigned", "2" whole.
        auto p = open(values(0, ""), false);
        QTreeWidget* tree = p->register_page()->tree();
        QTreeWidgetItem* bits =
            tree->findItems("AlarmStatus2", Qt::MatchExactly | Qt::MatchRecursive).value(0);
        QVERIFY(bits);
        tree->setCurrentItem(bits);
        QCOMPARE(p->register_page()->type_box()->currentText(), QString("Status Value"));
        QVERIFY(named<QGroupBox>(p.get(), "Integer Type")
                    ->findChildren<QRadioButton*>()[1]
                    ->isChecked());
        QVERIFY(
            named<QGroupBox>(p.get(), "# whole")->findChildren<QRadioButton*>()[1]->isChecked());
        QVERIFY(p->ok_button()->isEnabled());
        // "Siemens float" is greyed for "RDX"; "Bit Write Value" always.
        auto* model = qobject_cast<QStandardItemModel*>(p->register_page()->type_box()->model());
        QVERIFY(!model->item(6)->isEnabled());
        QVERIFY(!model->item(8)->isEnabled());
    }

    void labels_and_accessible_names() {
        register_dialog_values v = values(1, "Massflow", 3, "Profibus");
        v.block_mapped = false;
        auto d = open(v);
        // Every field is named after its label, and the label is its buddy.
        const QStringList fields = {
            "Parameters:", "Register number:", "Register type",      "Decimal shift:",    "Min:",
            "Max:",        "Scale:",           "Feeder (Line = 0):", "ROM Constant Value"};
        for (const QString& name : fields) {
            QWidget* field = named<QWidget>(d.get(), name);
            QVERIFY2(field, qPrintable(name));
            bool has_buddy = false;
            for (QLabel* label : d->findChildren<QLabel*>())
                has_buddy = has_buddy ||
                            (label->buddy() == field && without_mnemonic(label->text()) == name);
            QVERIFY2(has_buddy, qPrintable(name));
        }
        // Choices shown as radio buttons sit in group boxes titled with the choice's label.
        for (const char* title : {"#fract", "# whole", "Integer Type", "Word order", "Location",
                                  "Line", "Swap order", "Integer (numeric)"}) {
            QGroupBox* group = named<QGroupBox>(d.get(), title);
            QVERIFY2(group, qPrintable(title));
            QCOMPARE(without_mnemonic(group->title()), title);
        }
        QVERIFY(named<QCheckBox>(d.get(), "Swapped"));
        bool note = false;
        for (QLabel* label : d->findChildren<QLabel*>())
            note = note || label->text() == "Controller parameter will be multiplied by this value";
        QVERIFY(note);
        // The register types in their order.
        QComboBox* type = d->register_page()->type_box();
        QCOMPARE(type->count(), 12);
        QCOMPARE(type->itemText(0), QString("Integer (pass thru)"));
        QCOMPARE(type->itemText(11), QString("IntArray(pass thru)"));

        // The bit pages: each bit's fields in a group "Bit N", named after their labels.
        choose_type(*d, 4);
        d->tabs()->setCurrentWidget(d->status_page());
        for (int bit = 0; bit < 16; ++bit) {
            QGroupBox* group = named<QGroupBox>(d->status_page(), QString("Bit %1").arg(bit));
            QVERIFY(group);
            for (const char* name : {"Feeder #:", "Mnemonic:", "Bit position:"}) {
                QWidget* field = named<QWidget>(group, name);
                QVERIFY2(field, qPrintable(name));
                QCOMPARE(field->accessibleDescription(), group->title());
            }
        }
        QStringList marks;
        for (QLabel* label : d->status_page()->findChildren<QLabel*>())
            marks << label->text();
        QVERIFY(marks.contains("MSB") && marks.contains("LSB"));
    }

    void tab_order_and_keys() {
        auto d = open(values(1, "Massflow", 2, "Profibus"));
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        // Tab runs top-left to bottom-right: the catalogue, then the register's fields.
        const QStringList expected = {"Selected parameter",
                                      "Parameters:",
                                      "Register number:",
                                      "Register type",
                                      "Decimal shift:",
                                      "Min:",
                                      "Max:",
                                      "Scale:",
                                      "Feeder (Line = 0):",
                                      "ROM Constant Value"};
        QStringList seen;
        QWidget* w = named<QWidget>(d.get(), "Selected parameter");
        for (int i = 0; i < 200 && w != nullptr; ++i, w = w->nextInFocusChain())
            if (expected.contains(w->accessibleName()) && !seen.contains(w->accessibleName()))
                seen << w->accessibleName();
        QCOMPARE(seen, expected);

        // The type is chosen from the keyboard too, past the types the rules disabled.
        QComboBox* type = d->register_page()->type_box();
        type->setFocus();
        QTest::keyClick(type, Qt::Key_Down);
        QCOMPARE(d->state().fields().type, 2);
        QTest::keyClick(type, Qt::Key_End);
        QCOMPARE(d->state().fields().type, 7); // the special types are not offered

        // Enter is OK, Escape Cancel, wherever the focus is.
        QLineEdit* number = named<QLineEdit>(d.get(), "Register number:");
        number->setFocus();
        QTest::keyClick(number, Qt::Key_Return);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QVERIFY(!d->isVisible());

        auto e = open(values(1, "Massflow"));
        QVERIFY(QTest::qWaitForWindowExposed(e.get()));
        QTest::keyClick(e->register_page()->tree(), Qt::Key_Escape);
        QCOMPARE(e->result(), int(QDialog::Rejected));

        // Enter on a trigger button does not click it but confirms the dialog.
        auto c = open(values(3, ""));
        choose_type(*c, 3);
        c->tabs()->setCurrentWidget(c->commands_page());
        CTriggerButton* trigger = c->commands_page()->trigger(15);
        trigger->setFocus();
        QTest::keyClick(trigger, Qt::Key_Return);
        QCOMPARE(c->result(), int(QDialog::Accepted));
        QCOMPARE(c->values().commands[15].value, 0);
    }

    void refusals_keep_the_dialog_open() {
        struct c {
            int format;
            const char* field;
            const char* text;
            const char* message;
        };
        const c cases[] = {{1, "Register number:", "4o001", "Please enter a positive integer."},
                           {5, "ROM Constant Value", "x", "Please enter an integer."},
                           {1, "Feeder (Line = 0):", "", "Please enter an integer."}};
        for (const c& x : cases) {
            ui_.events.clear();
            auto d = open(values(x.format, "Massflow", 2));
            QVERIFY(QTest::qWaitForWindowActive(d.get()));
            QLineEdit* edit = named<QLineEdit>(d.get(), x.field);
            QVERIFY2(edit, x.field);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, x.text);
            if (QString(x.text).isEmpty())
                QTest::keyClick(edit, Qt::Key_Backspace);
            d->ok_button()->click();
            QCOMPARE(ui_.texts(), std::vector<std::string>{x.message});
            QVERIFY(d->isVisible());
            QCOMPARE(QApplication::focusWidget(), edit);
            QCOMPARE(d->values().register_number, 40001); // nothing handed back
        }
        // A numeric register without a parameter is refused on the tree.
        ui_.events.clear();
        auto d = open(values(1, ""));
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        d->ok_button()->click();
        QCOMPARE(ui_.events.size(), std::size_t(1));
        QVERIFY(d->isVisible());
        QCOMPARE(QApplication::focusWidget(), d->register_page()->tree());

        // A bit position out of range is refused on its page, with the field in focus.
        ui_.events.clear();
        auto s = open(values(4, ""));
        QVERIFY(QTest::qWaitForWindowActive(s.get()));
        s->tabs()->setCurrentWidget(s->status_page());
        QLineEdit* position = s->status_page()->bit_position(6);
        position->setFocus();
        position->selectAll();
        QTest::keyClicks(position, "32");
        s->tabs()->setCurrentIndex(0);
        s->ok_button()->click();
        QCOMPARE(ui_.texts(),
                 std::vector<std::string>{"Please enter an integer between 0 and 31."});
        QCOMPARE(s->tabs()->currentWidget(), s->status_page());
        QCOMPARE(QApplication::focusWidget(), position);
        QTest::keyClicks(position, "7"); // replaces the selected text
        s->ok_button()->click();
        QVERIFY(!s->isVisible());
        QCOMPARE(s->values().status[6].bit_position, 7);

        // A page taken away with a field the user cannot mend any more does not hold OK up.
        ui_.events.clear();
        auto gone = open(values(3, "Massflow"));
        gone->tabs()->setCurrentWidget(gone->commands_page());
        QLineEdit* feeder = gone->commands_page()->feeder(2);
        feeder->setEnabled(true); // "RDX" disables it; a typing user on "WNT" would not need this
        feeder->selectAll();
        QTest::keyClicks(feeder, "x");
        gone->tabs()->setCurrentIndex(0);
        choose_type(*gone, 0);
        QVERIFY(gone->commands_page() == nullptr);
        QTreeWidget* tree = gone->register_page()->tree();
        tree->setCurrentItem(tree->findItems("Massflow", Qt::MatchExactly | Qt::MatchRecursive)[0]);
        gone->ok_button()->click();
        QVERIFY(ui_.events.empty());
        QCOMPARE(gone->result(), int(QDialog::Accepted));
    }

    void tree_preselects_and_picks() {
        auto d = open(values(1, "BatchCount"));
        QTreeWidget* tree = d->register_page()->tree();
        QTreeWidgetItem* current = tree->currentItem();
        QVERIFY(current);
        QCOMPARE(current->text(0), QString("BatchCount"));
        QVERIFY(current->parent() && current->parent()->isExpanded());
        QCOMPARE(named<QLineEdit>(d.get(), "Selected parameter")->text(), QString("BatchCount"));
        // A "long" parameter: "Integer (pass thru)" whatever the register had.
        QCOMPARE(d->register_page()->type_box()->currentIndex(), 0);
        // Devices show folders, open while expanded; parameters the icon of their type.
        QTreeWidgetItem* device = current->parent();
        QCOMPARE(image(device->icon(0)), image(device_icon(true)));
        device->setExpanded(false);
        QCOMPARE(image(device->icon(0)), image(device_icon(false)));
        QTreeWidgetItem* floating =
            tree->findItems("Massflow", Qt::MatchExactly | Qt::MatchRecursive).value(0);
        QVERIFY(floating);
        QCOMPARE(image(floating->icon(0)), image(parameter_icon(param_float)));
        QCOMPARE(image(current->icon(0)), image(parameter_icon(param_long)));
        QVERIFY(image(floating->icon(0)) != image(current->icon(0)));
        QVERIFY(!floating->toolTip(0).isEmpty());
        // Only devices for the map's device code (and those for any) are in the tree.
        QVERIFY(tree->findItems("HQP Line Controller", Qt::MatchExactly | Qt::MatchRecursive)
                    .isEmpty());
        QVERIFY(
            !tree->findItems("RDX Controller", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());

        // Picking a device disables OK; a parameter enables it again and shows its name.
        tree->setCurrentItem(device);
        QVERIFY(!d->ok_button()->isEnabled());
        tree->setCurrentItem(floating);
        QVERIFY(d->ok_button()->isEnabled());
        QCOMPARE(named<QLineEdit>(d.get(), "Selected parameter")->text(), QString("Massflow"));
        d->ok_button()->click();
        QCOMPARE(d->values().name, std::string("Massflow"));
        QCOMPARE(d->values().group_name, std::string("Feeding"));
    }

    void location_blocks_and_line_are_shown_by_map() {
        auto profibus = open(values(1, "Massflow", 1, "Profibus"));
        QVERIFY(named<QGroupBox>(profibus.get(), "Location")->isVisible());
        QVERIFY(!profibus->register_page()->block_list()->isVisible());
        QVERIFY(!named<QGroupBox>(profibus.get(), "Line")->isVisible());
        QVERIFY(!named<QLineEdit>(profibus.get(), "Feeder (Line = 0):")->isVisible());

        register_dialog_values dn = values(1, "Massflow", 2, "DeviceNet");
        dn.block_mapped = true;
        dn.block_count = 22;
        dn.blocks[11] = {0, 1, 0, 32};
        dn.next_free_in_block[11] = 1030;
        dn.location = 11;
        auto devicenet = open(dn);
        CBlockList* blocks = devicenet->register_page()->block_list();
        QVERIFY(blocks->isVisible());
        QVERIFY(!named<QGroupBox>(devicenet.get(), "Location")->isVisible());
        QCOMPARE(blocks->topLevelItemCount(), 22);
        QCOMPARE(blocks->selected_row(), 11);
        QCOMPARE(blocks->topLevelItem(11)->text(1), QString("OUT"));
        QVERIFY(named<QLineEdit>(devicenet.get(), "Feeder (Line = 0):")->isVisible());
        blocks->setCurrentItem(blocks->topLevelItem(0));
        QCOMPARE(named<QLineEdit>(devicenet.get(), "Register number:")->text(), QString("0"));
        blocks->setCurrentItem(blocks->topLevelItem(11));
        QCOMPARE(named<QLineEdit>(devicenet.get(), "Register number:")->text(), QString("1030"));

        auto hqp = open(values(1, "LineMassflow", 3, "Modbus"));
        QGroupBox* line = named<QGroupBox>(hqp.get(), "Line");
        QVERIFY(line->isVisible());
        QVERIFY(line->isEnabled());
        QLineEdit* feeder = named<QLineEdit>(hqp.get(), "Feeder (Line = 0):");
        QVERIFY(!feeder->isEnabled());
        line->findChildren<QRadioButton*>()[1]->click();
        QCOMPARE(feeder->text(), QString("101"));
    }

    void parameter_search_and_why_ok_is_disabled() {
        auto d = open(values(1, ""), false);
        QPushButton* ok = d->ok_button();
        QVERIFY(!ok->isEnabled());
        QCOMPARE(ok->toolTip(), QString(CRegisterDialog::ok_disabled_reason));
        QCOMPARE(ok->toolTip(), QString("Pick a parameter in the tree"));

        // The tree keeps what the name or the description holds, groups opened to show it.
        QTreeWidget* tree = d->register_page()->tree();
        auto item = [tree](const char* name) {
            return tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0);
        };
        QTest::keyClicks(d->register_page()->search_box(), "MASS FLOW");
        QTreeWidgetItem* by_description = item("Massflow"); // "Actual mass flow of the feeder"
        QVERIFY(by_description && !by_description->isHidden());
        QVERIFY(by_description->parent()->isExpanded());
        QVERIFY(item("BatchCount")->isHidden());
        for (QTreeWidgetItemIterator it(tree, QTreeWidgetItemIterator::NotHidden |
                                                  QTreeWidgetItemIterator::NoChildren);
             *it; ++it)
            QVERIFY2(((*it)->text(0) + ' ' + (*it)->toolTip(0))
                         .contains("mass flow", Qt::CaseInsensitive),
                     qPrintable((*it)->text(0)));
        // Escape in the box empties it (the dialog stays) and shows every item again.
        QTest::keyClick(d->register_page()->search_box(), Qt::Key_Escape);
        QVERIFY(d->isVisible());
        QVERIFY(!item("BatchCount")->isHidden());

        tree->setCurrentItem(by_description);
        QVERIFY(ok->isEnabled());
        QVERIFY(ok->toolTip().isEmpty());
    }

    // However small the screen, OK stays on it: the pages scroll instead.
    void dialog_fits_the_screen() {
        auto d = open(values(3, ""));
        d->tabs()->setCurrentWidget(d->commands_page());
        QApplication::processEvents();
        const QRect room = d->screen()->availableGeometry();
        QVERIFY2(room.contains(d->geometry()), qPrintable(QString("%1x%2 on %3x%4")
                                                              .arg(d->width())
                                                              .arg(d->height())
                                                              .arg(room.width())
                                                              .arg(room.height())));
        auto* area = d->commands_page()->findChild<QScrollArea*>();
        QVERIFY(area);
        // The page needs more than the screen has here, so it scrolls.
        const QSize needed = area->widget()->minimumSizeHint();
        QCOMPARE(area->horizontalScrollBar()->maximum() > 0,
                 needed.width() > area->viewport()->width());
        QVERIFY(needed.width() > room.width() || needed.height() > room.height());
    }
};

QTEST_MAIN(tst_register_dialog)
#include "moc_register_dialog_fixture.cpp"
#include "tst_register_dialog.moc"
