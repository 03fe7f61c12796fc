// The register dialog's windows over the real widgets: the pages as the type changes, the
// labels and accessible names, tab order and keys, the refusals that keep the dialog open, the
// bit pages and the trigger button, driven offscreen without exec().

#include "catalogue/parameter_list.h"
#include "editing/CParameterSearch.h"
#include "editing/CRegisterDialog.h"
#include "editing/CRegisterProperty_1.h"
#include "editing/CRegisterProperty_2.h"
#include "editing/CRegisterProperty_3.h"
#include "editing/CTriggerButton.h"
#include "editing/dialog_fields.h"
#include "editing/parameter_icons.h"
#include "model/zrp_file.h"
#include "protocol_ui/CBlockList.h"
#include "tests/support/scripted_ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

register_dialog_values values(int format, std::string name, int device = 1,
                              std::string protocol = "Modbus") {
    register_dialog_values v;
    v.device_code = device;
    v.protocol_name = std::move(protocol);
    v.output_base = protocol == "Profibus" ? 1024 : 40001;
    v.register_number = 40001;
    v.format = format;
    v.name = std::move(name);
    v.maximum_text = "100.000000";
    v.minimum_text = "0.000000";
    v.scale_text = "1.000000";
    return v;
}

QStringList tab_titles(const CRegisterDialog& d) {
    QStringList titles;
    for (int i = 0; i < d.tabs()->count(); ++i)
        titles << d.tabs()->tabText(i);
    return titles;
}

// The user picks a register type in the drop-down.
void choose_type(CRegisterDialog& d, int type) {
    QComboBox* box = d.register_page()->type_box();
    box->setCurrentIndex(type);
    emit box->activated(type);
}

QImage image(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage();
}

template <class W> W* named(const QWidget* root, const QString& name) {
    for (W* w : root->findChildren<W*>())
        if (w->accessibleName() == name)
            return w;
    return nullptr;
}

} // namespace

class tst_register_dialog : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void pages_follow_the_type();
    void labels_and_accessible_names();
    void tab_order_and_keys();
    void refusals_keep_the_dialog_open();
    void tree_preselects_and_picks();
    void location_blocks_and_line_are_shown_by_map();
    void trigger_button();
    void commands_page();
    void status_page();
    void page_never_opened_keeps_the_bits();
    void parameter_search_and_why_ok_is_disabled();
    void dialog_fits_the_screen();

  private:
    std::unique_ptr<CRegisterDialog> open(const register_dialog_values& v, bool existing = true,
                                          bool network = false) {
        auto d = std::make_unique<CRegisterDialog>(v, existing, &catalogue_, network);
        d->show();
        return d;
    }

    parameter_list catalogue_;
    scripted_ui ui_;
    user_interface* previous_ui_ = nullptr;
};

void tst_register_dialog::initTestCase() {
    QCOMPARE(catalogue_.load(TESSALY_SOURCE_DIR "/resources/params.lst"), 0);
    QVERIFY(catalogue_.count() > 0);
}

void tst_register_dialog::init() {
    ui_ = scripted_ui();
    previous_ui_ = set_ui(&ui_);
}

void tst_register_dialog::cleanup() {
    set_ui(previous_ui_);
}

void tst_register_dialog::pages_follow_the_type() {
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
    QVERIFY(
        named<QGroupBox>(p.get(), "Integer Type")->findChildren<QRadioButton*>()[1]->isChecked());
    QVERIFY(named<QGroupBox>(p.get(), "# whole")->findChildren<QRadioButton*>()[1]->isChecked());
    QVERIFY(p->ok_button()->isEnabled());
    // "Siemens float" is greyed for "RDX"; "Bit Write Value" always.
    auto* model = qobject_cast<QStandardItemModel*>(p->register_page()->type_box()->model());
    QVERIFY(!model->item(6)->isEnabled());
    QVERIFY(!model->item(8)->isEnabled());
}

void tst_register_dialog::labels_and_accessible_names() {
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
            has_buddy =
                has_buddy || (label->buddy() == field && without_mnemonic(label->text()) == name);
        QVERIFY2(has_buddy, qPrintable(name));
    }
    // Choices shown as radio buttons sit in group boxes titled with the choice's label.
    for (const char* title : {"#fract", "# whole", "Integer Type", "Word order", "Location", "Line",
                              "Swap order", "Integer (numeric)"}) {
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

void tst_register_dialog::tab_order_and_keys() {
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

void tst_register_dialog::refusals_keep_the_dialog_open() {
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
    QCOMPARE(ui_.texts(), std::vector<std::string>{"Please enter an integer between 0 and 31."});
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

void tst_register_dialog::tree_preselects_and_picks() {
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
    QVERIFY(
        tree->findItems("HQP Line Controller", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
    QVERIFY(!tree->findItems("RDX Controller", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());

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

void tst_register_dialog::location_blocks_and_line_are_shown_by_map() {
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

void tst_register_dialog::trigger_button() {
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

void tst_register_dialog::commands_page() {
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
        const std::string question = "Mnemonic \"cPas\" on bit 3 is not one the card knows; the "
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

void tst_register_dialog::status_page() {
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
    QCOMPARE(normal, (QStringList{"ASW0", "ASW1", "ASW2", "ASW3", "ASW4", "ASW5", "ASW6", "ASW7",
                                  "PSW0", "PSW1", "PSW2", "PSW3", "PSW7"}));
}

void tst_register_dialog::page_never_opened_keeps_the_bits() {
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

QTEST_MAIN(tst_register_dialog)
#include "tst_register_dialog.moc"

void tst_register_dialog::parameter_search_and_why_ok_is_disabled() {
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
        QVERIFY2(
            ((*it)->text(0) + ' ' + (*it)->toolTip(0)).contains("mass flow", Qt::CaseInsensitive),
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
void tst_register_dialog::dialog_fits_the_screen() {
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
