// The protocol settings dialogs: titles, presets, device rules on opening, ranges and refusal
// messages, and what OK hands back.

#include "document/editor_ui.h"
#include "model/block_rules.h"
#include "model/model_tables.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/CSettingsDialog.h"
#include "protocol_ui/CUsageDisplay.h"
#include "protocol_ui/help_topics.h"
#include "tests/protocol_ui/widget_texts.h"
#include "tests/support/scripted_ui.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {
// The settings dialog of protocol code kind for device BLF.
std::unique_ptr<CSettingsDialog> make_dialog(int kind, const header_values& preset = {}) {
    return std::make_unique<CSettingsDialog>(protocol_description_for(kind), device_blf, preset);
}

header_values serial(int data_bits, int mode, int baud = 1) {
    header_values v;
    v.data_bits = data_bits;
    v.mode = mode;
    v.baud = baud;
    return v;
}

bool enabled(CChoiceGroup* group, int position) {
    return group->button(position)->isEnabled();
}
} // namespace

class tst_settings_dialogs : public QObject {
    Q_OBJECT
  private slots:
    void titles_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::newRow("AB") << 2 << "Allen-Bradley Comm Setup";
        QTest::newRow("MB") << 1 << "Modbus/Siemens protocol setup";
        QTest::newRow("generic") << 0 << "Generic protocol";
        QTest::newRow("Profibus") << 9 << "Profibus params:";
        QTest::newRow("MB+") << 11 << "ModbusPlus params:";
        QTest::newRow("MB/TCP") << 10 << "Modbus/TCP settings:";
        QTest::newRow("Profinet") << 14 << "Profinet I/O settings:";
        QTest::newRow("DeviceNet") << 12 << "Device Net params:";
        QTest::newRow("EtherNet/IP") << 13 << "Ethernet/IP Settings";
    }
    void titles() {
        QFETCH(int, kind);
        QFETCH(QString, title);
        const auto dialog = make_dialog(kind);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), title);
    }

    // Enter in a field presses OK, whatever other buttons the dialog holds.
    void enter_confirms_data() { titles_data(); }
    void enter_confirms() {
        QFETCH(int, kind);
        const auto dialog = make_dialog(kind);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QWidget* field = nullptr;
        for (QWidget* w : dialog->findChildren<QWidget*>())
            if (!field && !qobject_cast<QPushButton*>(w) && w->focusPolicy() & Qt::TabFocus &&
                w->isVisible() && w->isEnabled())
                field = w;
        QVERIFY(field);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }

    void labels_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("labels");
        const QStringList usage = {
            "Memory Usage", "Change Block Definitions", "Area", "Type", "Base", "Length"};
        QTest::newRow("AB") << 2 << serial_labels + QStringList{"Bit mode", "BCC", "CRC"};
        QTest::newRow("MB") << 1
                            << serial_labels + QStringList{"57600", "Bit mode", "RTU", "ASCII"};
        QTest::newRow("generic") << 0 << serial_labels;
        QTest::newRow("Profibus") << 9
                                  << QStringList{"Input block size:", "Output block size:",
                                                 "Node address:", "Byte order"};
        QTest::newRow("MB+") << 11
                             << QStringList{"GDB Setting",        "Source id:", "Number of words:",
                                            "Offset within GDB:", "Node num:",  "Byte order"};
        QTest::newRow("MB/TCP") << 10
                                << QStringList{"Ip address:", "Network mask:", "Default gateway:",
                                               "Byte order"};
        QTest::newRow("Profinet") << 14 << QStringList{"IP address:",
                                                       "Network mask:",
                                                       "Default gateway:",
                                                       "Input block size:",
                                                       "Output block size:",
                                                       "Byte order",
                                                       "Help"};
        QTest::newRow("DeviceNet")
            << 12
            << usage + QStringList{"Byte order", "Defined blocks:",
                                   "Note:  DeviceNet MAC ID and Baud Rate must be set using the "
                                   "DIP switches on the Ombra board."};
        QTest::newRow("EtherNet/IP")
            << 13 << usage + QStringList{"Byte Order",       "MS Byte First", "LS Byte First",
                                         "TCP/IP Settings",  "IP Address:",   "Network Mask:",
                                         "Default Gateway:", "Defined Blocks"};
    }
    void labels() {
        QFETCH(int, kind);
        QFETCH(QStringList, labels);
        const auto dialog = make_dialog(kind);
        QVERIFY(dialog);
        QCOMPARE(missing_texts(dialog.get(), labels), QStringList());
    }

    void allen_bradley_device_rule_data() {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("data_bits");
        QTest::addColumn<bool>("seven_enabled");
        QTest::addColumn<int>("checked");
        QTest::newRow("HQP, 7 bits") << int(device_hqp) << 7 << false << 1;
        QTest::newRow("RDX, 8 bits") << int(device_rdx) << 8 << false << 1;
        QTest::newRow("BLF, 7 bits") << int(device_blf) << 7 << true << 0;
        QTest::newRow("WNT, 8 bits") << int(device_wnt) << 8 << true << 1;
    }
    void allen_bradley_device_rule() {
        QFETCH(int, device);
        QFETCH(int, data_bits);
        QFETCH(bool, seven_enabled);
        QFETCH(int, checked);
        CSettingsDialog dialog(ab_header, device, serial(data_bits, 2));
        QCOMPARE(enabled(dialog.choice(header_field::data_bits), 0), seven_enabled);
        QCOMPARE(dialog.choice(header_field::data_bits)->checked(), checked);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.values().data_bits, checked + 7);
    }

    void allen_bradley_check_mode_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("preset");
        QTest::addColumn<int>("click");
        QTest::addColumn<int>("returned");
        QTest::newRow("BCC kept") << 2 << 0 << -1 << 2;
        QTest::newRow("CRC kept") << 3 << 1 << -1 << 3;
        QTest::newRow("unknown shows CRC") << 0 << 1 << -1 << 3;
        QTest::newRow("BCC chosen") << 3 << 1 << 0 << 2;
        QTest::newRow("CRC chosen") << 2 << 0 << 1 << 3;
    }
    void allen_bradley_check_mode() {
        QFETCH(int, stored);
        QFETCH(int, preset);
        QFETCH(int, click);
        QFETCH(int, returned);
        CSettingsDialog dialog(ab_header, device_blf, serial(8, stored));
        QCOMPARE(dialog.choice(header_field::mode)->checked(), preset);
        if (click >= 0)
            dialog.choice(header_field::mode)->button(click)->click();
        QVERIFY(dialog.read_fields());
        QCOMPARE(dialog.values().mode, returned);
    }

    void modbus_device_rules_data() {
        QTest::addColumn<int>("device");
        QTest::addColumn<bool>("seven");
        QTest::addColumn<bool>("ascii");
        QTest::addColumn<bool>("baud57600");
        QTest::newRow("HQP") << int(device_hqp) << false << false << true;
        QTest::newRow("RDX") << int(device_rdx) << false << false << false;
        QTest::newRow("BLF") << int(device_blf) << true << true << false;
        QTest::newRow("WNT") << int(device_wnt) << true << true << false;
    }
    void modbus_device_rules() {
        QFETCH(int, device);
        QFETCH(bool, seven);
        QFETCH(bool, ascii);
        QFETCH(bool, baud57600);
        // Preset at 57600 baud, 7 bits and ASCII: what the device refuses is unchecked.
        CSettingsDialog dialog(modbus_header, device, serial(7, 1, 3));
        QCOMPARE(enabled(dialog.choice(header_field::data_bits), 0), seven);
        QCOMPARE(enabled(dialog.choice(header_field::mode), 1), ascii);
        QCOMPARE(enabled(dialog.choice(header_field::baud), 3), baud57600);
        QCOMPARE(dialog.choice(header_field::data_bits)->checked(), seven ? 0 : 1);
        QCOMPARE(dialog.choice(header_field::mode)->checked(), ascii ? 1 : 0);
        QCOMPARE(dialog.choice(header_field::baud)->checked(), baud57600 ? 3 : -1);
        QVERIFY(dialog.read_fields());
        QCOMPARE(dialog.values().mode, ascii ? 1 : 0);
        QCOMPARE(dialog.values().data_bits, seven ? 7 : 8);
    }

    void serial_values_round_trip() {
        header_values v = serial(7, 0, 2);
        v.parity = 2;
        v.stop_bits = 1;
        v.byte_order = 1;
        v.node = 17;
        CSettingsDialog dialog(generic_protocol, device_blf, v);
        QVERIFY(!dialog.choice(header_field::mode));
        QCOMPARE(dialog.integer(header_field::node)->text(), QString("17"));
        dialog.choice(header_field::stop_bits)->button(0)->click();
        dialog.choice(header_field::parity)->button(1)->click();
        dialog.choice(header_field::data_bits)->button(1)->click();
        dialog.integer(header_field::node)->setText("-4");
        QVERIFY(dialog.read_fields());
        QCOMPARE(dialog.values().stop_bits, 0);
        QCOMPARE(dialog.values().parity, 1);
        QCOMPARE(dialog.values().data_bits, 8);
        QCOMPARE(dialog.values().baud, 2);
        QCOMPARE(dialog.values().byte_order, 1);
        QCOMPARE(dialog.values().node, -4);
    }

    // A refused field keeps the dialog open with the focus on it and the values unchanged.
    void refusals_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const auto pb = 9;
        const auto pn = 14;
        const auto mp = 11;
        const auto ab = 2;
        QTest::newRow("Profibus input 244") << pb << 0 << "244"
                                            << "";
        QTest::newRow("Profibus input 245") << pb << 0 << "245"
                                            << "Please enter an integer between 0 and 244.";
        QTest::newRow("Profibus output -1") << pb << 1 << "-1"
                                            << "Please enter a positive integer.";
        QTest::newRow("Profibus node 99") << pb << 2 << "99"
                                          << "";
        QTest::newRow("Profibus node 100") << pb << 2 << "100"
                                           << "Please enter an integer between 0 and 99.";
        QTest::newRow("Profibus node text") << pb << 2 << "x1"
                                            << "Please enter a positive integer.";
        QTest::newRow("Profinet 1536") << pn << 0 << "1536"
                                       << "";
        QTest::newRow("Profinet 1537") << pn << 1 << "1537"
                                       << "Please enter an integer between 0 and 1536.";
        QTest::newRow("MB+ negative") << mp << 0 << "-12"
                                      << "";
        QTest::newRow("MB+ text") << mp << 2 << "1.5"
                                  << "Please enter an integer.";
        QTest::newRow("MB+ empty node") << mp << 3 << ""
                                        << "Please enter an integer.";
        QTest::newRow("MB+ too large") << mp << 1 << "99999999999"
                                       << "Please enter an integer.";
        QTest::newRow("AB node text") << ab << 0 << "12a"
                                      << "Please enter an integer.";
    }
    void refusals() {
        QFETCH(int, kind);
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        scripted_ui messages;
        scoped_editor_ui installed(messages);
        header_values preset;
        preset.node = 5;
        auto dialog = make_dialog(kind, preset);
        dialog->show();
        QList<CIntegerEdit*> edits = dialog->findChildren<CIntegerEdit*>();
        // Fields in layout order: sort by position on the dialog.
        std::sort(edits.begin(), edits.end(), [](CIntegerEdit* a, CIntegerEdit* b) {
            return a->mapToGlobal(QPoint()).y() < b->mapToGlobal(QPoint()).y();
        });
        QVERIFY(field < edits.size());
        edits[field]->setText(text);
        dialog->accept();
        if (message.isEmpty()) {
            QVERIFY(messages.events.empty());
            QCOMPARE(dialog->result(), int(QDialog::Accepted));
        } else {
            QCOMPARE(messages.texts(), std::vector<std::string>{message.toStdString()});
            QCOMPARE(dialog->result(), int(QDialog::Rejected));
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->focusWidget(), edits[field]);
            QCOMPARE(dialog->values().node, 5);
        }
    }

    void addresses_round_trip_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("MB/TCP") << 10;
        QTest::newRow("Profinet") << 14;
        QTest::newRow("EtherNet/IP") << 13;
    }
    void addresses_round_trip() {
        QFETCH(int, kind);
        header_values preset;
        preset.ip_address = 0xC0A80A01;      // 192.168.10.1
        preset.network_mask = 0xFFFFFF00;    // 255.255.255.0
        preset.default_gateway = 0x0A000001; // 10.0.0.1
        auto dialog = make_dialog(kind, preset);
        auto addresses = dialog->findChildren<CIpAddressEdit*>();
        QCOMPARE(addresses.size(), 3);
        QCOMPARE(addresses[0]->octet(0)->text(), QString("192"));
        QCOMPARE(addresses[0]->octet(3)->text(), QString("1"));
        addresses[2]->octet(1)->setText("7");
        addresses[1]->octet(3)->setText("");
        QVERIFY(dialog->read_fields());
        QCOMPARE(dialog->values().ip_address, 0xC0A80A01u);
        QCOMPARE(dialog->values().network_mask, 0xFFFFFF00u);
        QCOMPARE(dialog->values().default_gateway, 0x0A070001u);
    }

    void block_dialogs_start_from_the_default_table_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("DeviceNet") << 12;
        QTest::newRow("EtherNet/IP") << 13;
    }
    void block_dialogs_start_from_the_default_table() {
        QFETCH(int, kind);
        auto dialog = make_dialog(kind);
        CSettingsDialog* blocks = dialog.get();
        QVERIFY(blocks->block_list());
        QCOMPARE(blocks->block_list()->topLevelItemCount(), 22);
        QCOMPARE(blocks->block_list()->topLevelItem(11)->text(1), QString("OUT"));
        const QStringList labels = {"I/O Input: (256 / 256 regs)", "I/O Output: (256 / 256 regs)",
                                    "Param Input: (0 / 512 regs)", "Param Output: (0 / 512 regs)"};
        const int bars[] = {512, 512, 0, 0};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(blocks->usage()->label(i)->text(), labels[i]);
            QCOMPARE(blocks->usage()->bar(i)->value(), bars[i]);
            QCOMPARE(blocks->usage()->bar(i)->value() == blocks->usage()->bar(i)->maximum(), i < 2);
        }
        QVERIFY(dialog->read_fields());
        QCOMPARE(dialog->values().blocks.block_count, 22);
        QCOMPARE(dialog->values().blocks.table[11].length, 256);
        QCOMPARE(dialog->values().blocks.io_input_size, 256);
    }

    void change_block_definitions() {
        header_values preset;
        preset.blocks.block_count = 22;
        preset.blocks.table = default_block_table();
        CSettingsDialog dialog(devicenet_header, device_blf, preset);
        int runs = 0;
        dialog.set_block_editor([&](QWidget*, block_table_t& table) {
            ++runs;
            table[5].start = 300;
            table[5].length = 10;
            table[6].start = 400;
            table[6].length = 10;
            return runs == 1; // the second run is cancelled
        });
        QCOMPARE(dialog.change_button()->text(), QString("Change Block Definitions"));
        dialog.change_button()->click();
        QCOMPARE(dialog.usage()->label(2)->text(), QString("Param Input: (110 / 512 regs)"));
        QCOMPARE(dialog.usage()->bar(2)->value(), 220);
        QCOMPARE(dialog.block_list()->topLevelItem(5)->text(2), QString("300"));
        // A cancelled editor leaves the table as it was.
        dialog.block_list()->setCurrentItem(dialog.block_list()->topLevelItem(0));
        QTest::mouseDClick(dialog.block_list()->viewport(), Qt::LeftButton);
        QCOMPARE(runs, 2);
        QVERIFY(dialog.read_fields());
        QCOMPARE(dialog.values().blocks.param_input_usage, 110);
        QCOMPARE(dialog.values().blocks.table[6].start, 400);
    }

    void help_buttons() {
        QList<int> contexts;
        set_help_topic_handler([&](QWidget*, int context) { contexts << context; });
        CSettingsDialog profinet(profinet_header, device_blf, {});
        profinet.help_button()->click();
        set_help_topic_handler({});
        QCOMPARE(contexts, QList<int>{13});
    }
};

QTEST_MAIN(tst_settings_dialogs)
#include "tst_settings_dialogs.moc"
