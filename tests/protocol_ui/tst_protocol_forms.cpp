// The protocol settings forms: which form a header gets, fill and the device rules with their
// messages and effect on the modified flag, edit propagation on every keystroke, refusals and
// the Properties command.

#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "model/model_tables.h"
#include "model/protocol_header.h"
#include "model/zrp_file.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/CProtocolForm.h"
#include "tests/protocol_ui/scripted_dialogs.h"
#include "tests/protocol_ui/widget_texts.h"
#include "tests/support/scripted_ui.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {
// A document holding a new map of protocol_code for device, with register_count registers.
std::unique_ptr<CTessalyDoc> make_doc(int protocol_code, int device, int register_count = 0,
                                      const std::function<void(protocol_header&)>& setup = {}) {
    auto doc = std::make_unique<CTessalyDoc>();
    auto map = std::make_unique<zrp_file>(protocol_code);
    map->header->device_code = device;
    if (setup)
        setup(*map->header);
    for (int i = 0; i < register_count; ++i)
        map->add_register(std::make_unique<host_register>(map.get(), 40001 + 10 * i));
    doc->replace_map(std::move(map));
    doc->set_modified(false);
    return doc;
}

// Dialogs that are all cancelled, for the forms whose test runs none.
scripted_dialogs& cancelled_dialogs() {
    static scripted_dialogs dialogs;
    return dialogs;
}

std::unique_ptr<CProtocolForm> make_form(CTessalyDoc* doc,
                                         CProtocolDialogs& dialogs = cancelled_dialogs()) {
    return std::unique_ptr<CProtocolForm>(CProtocolForm::create(doc, dialogs, nullptr));
}
} // namespace

class tst_protocol_forms : public QObject {
    Q_OBJECT
  private slots:
    void form_class_of_each_header_data() {
        QTest::addColumn<int>("protocol");
        QTest::addColumn<QString>("form");
        QTest::newRow("generic") << int(protocol_generic) << "CGenericForm";
        QTest::newRow("Modbus") << int(protocol_modbus) << "CCommFORM";
        QTest::newRow("Siemens") << int(protocol_siemens) << "CCommFORM";
        QTest::newRow("Allen-Bradley") << int(protocol_allen_bradley) << "CComm2Form";
        QTest::newRow("Profibus") << int(protocol_profibus) << "CProfibusForm";
        QTest::newRow("Modbus/TCP") << int(protocol_modbus_tcp) << "CMbTcpForm";
        QTest::newRow("Modbus Plus") << int(protocol_modbus_plus) << "CMbplusForm";
        QTest::newRow("DeviceNet") << int(protocol_devicenet) << "CDeviceNetForm";
        QTest::newRow("EtherNet/IP") << int(protocol_ethernetip) << "CEthernetIPForm";
        QTest::newRow("Profinet IO") << int(protocol_profinet) << "CProfinetForm";
    }
    void form_class_of_each_header() {
        QFETCH(int, protocol);
        QFETCH(QString, form);
        auto doc = make_doc(protocol, device_hqp);
        std::unique_ptr<QWidget> widget(
            CProtocolForm::create(doc.get(), cancelled_dialogs(), nullptr));
        QCOMPARE(widget->objectName(), form);
        QVERIFY(qobject_cast<CProtocolForm*>(widget.get())->initialised);
        QVERIFY(!doc->is_modified());
    }

    void labels_data() {
        QTest::addColumn<int>("protocol");
        QTest::addColumn<QStringList>("labels");
        const QStringList counts = {
            "I/O Area", "Param Area", "Input Registers:", "Output Registers:", "Area", "Type",
            "Base",     "Length"};
        QTest::newRow("Allen-Bradley")
            << int(protocol_allen_bradley) << serial_labels + QStringList{"BCC", "CRC"};
        QTest::newRow("Modbus") << int(protocol_modbus)
                                << serial_labels + QStringList{"57600", "RTU", "ASCII"};
        QTest::newRow("generic") << int(protocol_generic) << serial_labels;
        QTest::newRow("Profibus") << int(protocol_profibus)
                                  << QStringList{"Input block size:", "Output block size:",
                                                 "Node address:", "Byte order"};
        QTest::newRow("Modbus Plus")
            << int(protocol_modbus_plus)
            << QStringList{"GDB Setting",        "Source id:", "Number of words:",
                           "Offset within GDB:", "Node num:",  "Byte order"};
        QTest::newRow("Modbus/TCP")
            << int(protocol_modbus_tcp)
            << QStringList{"Ip address:", "Network mask:", "Default gateway:", "Byte order"};
        QTest::newRow("Profinet IO") << int(protocol_profinet)
                                     << QStringList{"Ip address:",
                                                    "Network mask:",
                                                    "Default gateway:",
                                                    "Input block size (bytes):",
                                                    "Output block size (bytes):",
                                                    "Byte order"};
        QTest::newRow("DeviceNet")
            << int(protocol_devicenet) << counts + QStringList{"Defined blocks:", "Byte order"};
        QTest::newRow("EtherNet/IP")
            << int(protocol_ethernetip)
            << counts + QStringList{
                            "Defined Blocks",  "Byte Order",  "MS Byte First", "LS Byte First",
                            "TCP/IP Settings", "IP Address:", "Network Mask:", "Default Gateway:"};
    }
    void labels() {
        QFETCH(int, protocol);
        QFETCH(QStringList, labels);
        auto doc = make_doc(protocol, device_blf);
        std::unique_ptr<QWidget> form(
            CProtocolForm::create(doc.get(), cancelled_dialogs(), nullptr));
        QCOMPARE(missing_texts(form.get(), labels), QStringList());
    }

    void document_without_map_gets_generic_form() {
        CTessalyDoc doc;
        auto form = make_form(&doc);
        QVERIFY(form);
        QCOMPARE(form->choice(header_field::baud)->checked(), -1);
        form->integer(header_field::node)->setText("3"); // no header: nothing happens
        form->on_properties();
        QVERIFY(!doc.is_modified());
    }

    void allen_bradley_device_rule_data() {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("message");
        QTest::addColumn<bool>("seven_enabled");
        QTest::addColumn<int>("stored");
        QTest::newRow("HQP, 7 bits") << int(device_hqp) << 7 << true << false << 8;
        QTest::newRow("RDX, 7 bits") << int(device_rdx) << 7 << true << false << 8;
        QTest::newRow("RDX, 8 bits") << int(device_rdx) << 8 << false << false << 8;
        QTest::newRow("BLF, 7 bits") << int(device_blf) << 7 << false << true << 7;
    }
    void allen_bradley_device_rule() {
        QFETCH(int, device);
        QFETCH(int, bits);
        QFETCH(bool, message);
        QFETCH(bool, seven_enabled);
        QFETCH(int, stored);
        scripted_ui messages;
        scoped_editor_ui installed(messages);
        auto doc = make_doc(protocol_allen_bradley, device, 1,
                            [&](protocol_header& h) { h.data_bits = bits; });
        auto form = make_form(doc.get());
        QCOMPARE(messages.events.size(), std::size_t(message ? 1 : 0));
        if (message)
            QCOMPARE(messages.texts()[0], std::string("The RDX does not support 7-bit "
                                                      "communications.\nSettings have been "
                                                      "adjusted accordingly."));
        QCOMPARE(doc->map()->header->data_bits, stored);
        QCOMPARE(form->choice(header_field::data_bits)->checked(), stored - 7);
        QCOMPARE(form->choice(header_field::data_bits)->button(0)->isEnabled(), seven_enabled);
        QVERIFY(!doc->is_modified());
    }

    void modbus_device_rule_data() {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("baud");
        QTest::addColumn<bool>("adjusted");
        QTest::addColumn<int>("baud_checked");
        QTest::newRow("RDX, ASCII") << int(device_rdx) << 8 << 1 << 1 << true << 1;
        QTest::newRow("HQP, 7 bits, 57600") << int(device_hqp) << 7 << 0 << 3 << true << 3;
        QTest::newRow("HQP, RTU 8") << int(device_hqp) << 8 << 0 << 0 << false << 0;
        QTest::newRow("BLF, ASCII 7 57600") << int(device_blf) << 7 << 1 << 3 << false << -1;
        QTest::newRow("WNT, 38400") << int(device_wnt) << 8 << 0 << 2 << false << 2;
    }
    void modbus_device_rule() {
        QFETCH(int, device);
        QFETCH(int, bits);
        QFETCH(int, mode);
        QFETCH(int, baud);
        QFETCH(bool, adjusted);
        QFETCH(int, baud_checked);
        scripted_ui messages;
        scoped_editor_ui installed(messages);
        auto doc = make_doc(protocol_modbus, device, 0, [&](protocol_header& h) {
            h.data_bits = bits;
            h.mode = mode;
            h.baud = baud;
        });
        auto form = make_form(doc.get());
        const bool rdx_hqp = device == device_rdx || device == device_hqp;
        QCOMPARE(messages.events.size(), std::size_t(adjusted ? 1 : 0));
        if (adjusted)
            QCOMPARE(messages.texts()[0], std::string("The RDX/HQP does not support ASCII or "
                                                      "7-bit mode.\nThese settings have been "
                                                      "changed."));
        // The adjustment marks the document modified even without registers.
        QCOMPARE(doc->is_modified(), adjusted);
        QCOMPARE(doc->map()->header->mode, adjusted ? 0 : mode);
        QCOMPARE(doc->map()->header->data_bits, adjusted ? 8 : bits);
        QCOMPARE(form->choice(header_field::mode)->button(1)->isEnabled(), !rdx_hqp);
        QCOMPARE(form->choice(header_field::data_bits)->button(0)->isEnabled(), !rdx_hqp);
        QCOMPARE(form->choice(header_field::mode)->checked(), doc->map()->header->mode);
        QCOMPARE(form->choice(header_field::baud)->button(3)->isEnabled(), device == device_hqp);
        QCOMPARE(form->choice(header_field::baud)->checked(), baud_checked);
    }

    void keystrokes_reach_the_header_data() {
        QTest::addColumn<int>("registers");
        QTest::newRow("no registers: not modified") << 0;
        QTest::newRow("one register: modified") << 1;
    }
    void keystrokes_reach_the_header() {
        QFETCH(int, registers);
        scripted_ui messages;
        scoped_editor_ui installed(messages);
        auto doc = make_doc(protocol_modbus, device_blf, registers);
        auto form = make_form(doc.get());
        form->integer(header_field::node)->clear();
        QTest::keyClicks(form->integer(header_field::node), "2");
        QCOMPARE(doc->map()->header->node, 2);
        QTest::keyClicks(form->integer(header_field::node), "7");
        QCOMPARE(doc->map()->header->node, 27);
        QCOMPARE(doc->is_modified(), registers > 0);
        // Emptying the field and a text that is not a number are refused at once; the header
        // keeps the last accepted value.
        QCOMPARE(messages.texts(), std::vector<std::string>{"Please enter an integer."});
        QTest::keyClicks(form->integer(header_field::node), "x");
        QCOMPARE(messages.events.size(), std::size_t(2));
        QCOMPARE(doc->map()->header->node, 27);
        // While the field still holds refused text, edits elsewhere go through without
        // repeating its message.
        form->choice(header_field::parity)->button(1)->click();
        QCOMPARE(doc->map()->header->parity, 1);
        QCOMPARE(messages.events.size(), std::size_t(2));
    }

    void clicks_reach_the_header() {
        auto doc = make_doc(protocol_allen_bradley, device_blf, 1);
        auto form = make_form(doc.get());
        // Clicking the button that is already checked changes nothing.
        form->choice(header_field::parity)->button(doc->map()->header->parity)->click();
        QVERIFY(!doc->is_modified());
        form->choice(header_field::mode)->button(1)->click();
        QCOMPARE(doc->map()->header->mode, 3);
        QVERIFY(doc->is_modified());
        form->choice(header_field::data_bits)->button(0)->click();
        QCOMPARE(doc->map()->header->data_bits, 7);
    }

    void generic_form_stores_stop_bits() {
        auto doc = make_doc(protocol_generic, device_blf);
        auto form = make_form(doc.get());
        QVERIFY(!form->choice(header_field::mode));
        const int other = 1 - doc->map()->header->stop_bits;
        form->choice(header_field::stop_bits)->button(other)->click();
        QCOMPARE(doc->map()->header->stop_bits, other);
        form->choice(header_field::byte_order)->button(1)->click();
        QCOMPARE(doc->map()->header->byte_order, 1);
    }

    void address_fields_reach_the_header() {
        auto doc = make_doc(protocol_modbus_tcp, device_rdx, 1,
                            [](protocol_header& h) { h.ip_address = 0xC0A80001; });
        auto form = make_form(doc.get());
        QCOMPARE(form->address(header_field::ip_address)->octet(0)->text(), QString("192"));
        QVERIFY(!doc->is_modified());
        form->address(header_field::ip_address)->octet(3)->setText("25");
        QCOMPARE(doc->map()->header->ip_address, 0xC0A80019u);
        QVERIFY(doc->is_modified());
    }

    void profinet_sizes_are_unsigned() {
        scripted_ui messages;
        scoped_editor_ui installed(messages);
        auto doc = make_doc(protocol_profinet, device_rdx, 1);
        auto form = make_form(doc.get());
        protocol_header* header = doc->map()->header.get();
        form->integer(header_field::input_size)->setText("1600"); // the form has no range
        QCOMPARE(header->input_size, 1600);
        form->integer(header_field::output_size)->setText("-1");
        QCOMPARE(messages.texts(), std::vector<std::string>{"Please enter a positive integer."});
        QCOMPARE(header->output_size, 0);
    }

    void block_forms_show_blocks_and_counts() {
        auto doc = make_doc(protocol_ethernetip, device_rdx, 0, [](protocol_header& h) {
            protocol_header& e = h;
            e.blocks.block_count = 22;
            e.blocks.table[0] = {0, 0, 0, 100};
            e.blocks.table[5] = {1, 0, 300, 20};
            e.blocks.assign_roles();
            e.blocks.compute_io_sizes();
            e.blocks.compute_param_usages();
        });
        auto form = make_form(doc.get());
        QCOMPARE(form->block_list()->topLevelItemCount(), 22);
        QCOMPARE(form->block_list()->columnCount(), 4);
        QCOMPARE(form->block_list()->topLevelItem(5)->text(0), QString("Param"));
        QCOMPARE(form->count(0)->text(), QString("100"));
        QCOMPARE(form->count(2)->text(), QString("20"));
        QVERIFY(form->count(0)->isReadOnly());
        // ... and looks it: the window's background, not an editable field's.
        QCOMPARE(form->count(0)->palette().color(QPalette::Base),
                 form->palette().color(QPalette::Window));
        form->choice(header_field::byte_order)->button(1)->click();
        QCOMPARE(doc->map()->header->byte_order, 1);
    }

    void properties_runs_the_header_dialog_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK marks modified without registers") << true;
        QTest::newRow("Cancel changes nothing") << false;
    }
    void properties_runs_the_header_dialog() {
        QFETCH(bool, ok);
        scripted_dialogs dialogs;
        if (ok)
            dialogs.settings_answer = [](header_values& v) { v.node = 42; };
        auto doc = make_doc(protocol_modbus, device_blf, 0);
        auto form = make_form(doc.get(), dialogs);
        int updates = 0;
        QObject::connect(doc.get(), &CTessalyDoc::views_update, [&] { ++updates; });
        form->integer(header_field::node)
            ->setText("9"); // the dialog starts from what the form shows
        QTest::mouseDClick(form->viewport(), Qt::LeftButton);
        QCOMPARE(dialogs.settings_presets.size(), std::size_t(1));
        QCOMPARE(dialogs.settings_presets[0].node, 9);
        QCOMPARE(doc->is_modified(), ok);
        QCOMPARE(updates, ok ? 1 : 0);
        QCOMPARE(form->integer(header_field::node)->text(), QString(ok ? "42" : "9"));
    }

    void block_list_double_click_opens_dialog() {
        scripted_dialogs dialogs;
        auto doc = make_doc(protocol_devicenet, device_rdx);
        auto form = make_form(doc.get(), dialogs);
        QTest::mouseDClick(form->block_list()->viewport(), Qt::LeftButton);
        QCOMPARE(dialogs.settings_kinds.size(), std::size_t(1));
        QCOMPARE(dialogs.settings_kinds[0], form_class_t::CDeviceNetForm);
    }

    void other_views_refill_the_form() {
        auto doc = make_doc(protocol_modbus, device_blf);
        auto form = make_form(doc.get());
        doc->map()->header->node = 77;
        doc->update_all_views(nullptr);
        QCOMPARE(form->integer(header_field::node)->text(), QString("77"));
        QVERIFY(!form->filling);
    }
};

QTEST_MAIN(tst_protocol_forms)
#include "tst_protocol_forms.moc"
