// The register dialog's bit pages: the trigger button, the Commands and Status pages, and the
// bits a page never opened keeps.

#include "tests/editing/register_dialog_fixture.h"

using namespace register_dialog_test;

class tst_register_bit_pages : public dialog_fixture {
    Q_OBJECT
  private slots:
    void trigger_button() {
        CTriggerButton button;
        QCOMPARE(button.text(), QString("No items"));
        QCOMPARE(button.current_index(), 0);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(button.add_caption(QString("Mode %1").arg(i)), i);
        QCOMPARE(button.add_caption("eleventh"), -1);
        QCOMPARE(button.text(), QString("Mode 0"));
        button.select_index(10);
        QCOMPARE(button.current_index(), 0);
        button.select_index(9);
        QCOMPARE(button.text(), QString("Mode 9"));
        QSignalSpy changed(&button, &CTriggerButton::index_changed);
        button.click();
        QCOMPARE(button.current_index(), 0);
        QCOMPARE(changed.takeFirst().at(0).toInt(), 0);
        button.clear();
        QCOMPARE(button.text(), QString("No items"));
        button.click(); // nothing to step through
        QCOMPARE(button.current_index(), 0);

        // Six modes: six clicks from "Off" come back to "Off"; a screen reader hears each mode.
        const QStringList modes = {"Off",         "Active high",  "Active low",
                                   "Rising edge", "Falling edge", "Any edge"};
        for (const QString& mode : modes)
            button.add_caption(mode);
        button.set_accessible_label("Trigger mode:");
        QCOMPARE(button.accessibleName(), QString("Trigger mode: Off"));
        QStringList shown, heard;
        for (int i = 0; i < 6; ++i) {
            QTest::mouseClick(&button, Qt::LeftButton);
            shown << button.text();
            heard << button.accessibleName();
        }
        QCOMPARE(shown, (QStringList{"Active high", "Active low", "Rising edge", "Falling edge",
                                     "Any edge", "Off"}));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(heard[i], "Trigger mode: " + shown[i]);
    }

    void commands_page() {
        register_dialog_values v = values(3, "", 2);
        v.commands[0] = {7, 1, "cstc"};
        v.commands[15] = {1, 4, "CTAR"};
        {
            // Serial protocols: stored modes, feeders enabled for "WNT".
            auto d = open(v);
            QVERIFY(QTest::qWaitForWindowActive(d.get()));
            d->tabs()->setCurrentWidget(d->commands_page());
            CRegisterProperty_2* page = d->commands_page();
            QVERIFY(page->opened());
            QCOMPARE(page->trigger(15)->text(), QString("Falling edge"));
            QCOMPARE(page->trigger(0)->text(), QString("Active high"));
            QVERIFY(page->trigger(0)->isEnabled());
            QVERIFY(page->feeder(0)->isEnabled());
            QCOMPARE(page->mnemonic(0)->currentText(), QString("cstc"));
            QCOMPARE(page->mnemonic(0)->count(), 38);
            QCOMPARE(page->mnemonic(0)->itemText(37), QString("ctoc"));
            // Edits: a click, a typed mnemonic (as typed, case kept), a feeder.
            page->trigger(0)->click();
            page->mnemonic(3)->setFocus();
            page->mnemonic(3)->lineEdit()->selectAll();
            QTest::keyClicks(page->mnemonic(3)->lineEdit(), "cPas");
            page->feeder(3)->setFocus();
            page->feeder(3)->selectAll();
            QTest::keyClicks(page->feeder(3), "12");
            // Enter in an editable list is OK too, keeping the typed text. A mnemonic outside the
            // list is asked about with what the card would get: No goes back to it, Yes keeps it.
            const std::string question =
                "Mnemonic \"cPas\" on bit 3 is not one the card knows; the "
                "card would get \"CPas\". Keep it?";
            ui_.events.clear();
            ui_.answer({false});
            QTest::keyClick(page->mnemonic(3)->lineEdit(), Qt::Key_Return);
            QCOMPARE(ui_.texts(), std::vector<std::string>{question});
            QCOMPARE(d->result(), int(QDialog::Rejected));
            QCOMPARE(QApplication::focusWidget(), page->mnemonic(3));
            page->feeder(3)->setFocus(); // Yes is asked from wherever OK comes
            ui_.answer({true});
            QTest::keyClick(page->mnemonic(3)->lineEdit(), Qt::Key_Return);
            QCOMPARE(ui_.texts(), (std::vector<std::string>{question, question}));
            QCOMPARE(d->result(), int(QDialog::Accepted));
            QCOMPARE(d->values().commands[0].value, 2);
            QCOMPARE(d->values().commands[3].mnemonic, std::string("cPas"));
            QCOMPARE(d->values().commands[3].feeder, 12);
            QCOMPARE(d->values().commands[15].value, 4);
            QCOMPARE(page->mnemonic(3)->count(), 38); // typing adds nothing to the list
        }
        {
            // Network protocols: every button "Rising edge", locked; stored as 3. "BLF": feeders
            // disabled.
            v.device_code = 0;
            auto d = open(v, true, true);
            d->tabs()->setCurrentWidget(d->commands_page());
            for (int bit = 0; bit < 16; ++bit) {
                QCOMPARE(d->commands_page()->trigger(bit)->text(), QString("Rising edge"));
                QVERIFY(!d->commands_page()->trigger(bit)->isEnabled());
                QVERIFY(!d->commands_page()->feeder(bit)->isEnabled());
            }
            d->ok_button()->click();
            for (const auto& c : d->values().commands)
                QCOMPARE(c.value, 3);
        }
    }

    void status_page() {
        register_dialog_values v = values(4, "", 1);
        v.status[2] = {3, 17, "PSW5"};
        auto d = open(v);
        d->tabs()->setCurrentWidget(d->status_page());
        CRegisterProperty_3* page = d->status_page();
        QCOMPARE(page->mnemonic(2)->currentText(), QString("PSW5"));
        QCOMPARE(page->mnemonic(0)->currentText(), QString("XXX"));
        QCOMPARE(page->bit_position(2)->text(), QString("17"));
        QVERIFY(!page->feeder(2)->isEnabled()); // "RDX"
        QCOMPARE(page->mnemonic(0)->count(), 15);
        QCOMPARE(page->mnemonic(0)->itemText(14), QString("PSW7"));
        // The legend: the "RDX" words shown normally, the "BLF" ones greyed.
        const QList<QLabel*> legend = page->legend();
        QCOMPARE(legend.size(), 19);
        QCOMPARE(legend[0]->text(), QString("XXXX = unused"));
        for (QLabel* line : legend)
            QCOMPARE(line->isEnabled(), !line->text().startsWith("[BLF] "));
        page->mnemonic(2)->lineEdit()->selectAll();
        QTest::keyClicks(page->mnemonic(2)->lineEdit(), "asr");
        d->ok_button()->click();
        QCOMPARE(d->values().status[2].mnemonic, std::string("asr"));
        QCOMPARE(d->values().status[2].bit_position, 17);

        // "HQP": its own five "PSW" words are shown normally, the others greyed; feeders enabled.
        auto hqp = open(values(4, "", 3));
        hqp->tabs()->setCurrentWidget(hqp->status_page());
        QVERIFY(hqp->status_page()->feeder(0)->isEnabled());
        QStringList normal;
        for (QLabel* line : hqp->status_page()->legend())
            if (line->isEnabled() && line->text().startsWith('['))
                normal << line->text().mid(line->text().indexOf("] ") + 2, 4);
        QCOMPARE(normal, (QStringList{"ASW0", "ASW1", "ASW2", "ASW3", "ASW4", "ASW5", "ASW6",
                                      "ASW7", "PSW0", "PSW1", "PSW2", "PSW3", "PSW7"}));
    }

    void page_never_opened_keeps_the_bits() {
        register_dialog_values v = values(3, "", 1);
        v.commands[5] = {2, 5, "CTON"};
        auto d = open(v, true, true);
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        QVERIFY(d->ok_button()->isEnabled());
        QVERIFY(d->commands_page() != nullptr);
        QVERIFY(!d->commands_page()->opened());
        d->ok_button()->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(d->values().commands[5].value, 5); // not forced to "Rising edge"
        QCOMPARE(d->values().commands[5].mnemonic, std::string("CTON"));
    }
};

QTEST_MAIN(tst_register_bit_pages)
#include "moc_register_dialog_fixture.cpp"
#include "tst_register_bit_pages.moc"
