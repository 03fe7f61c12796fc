// The protocol settings dialogs: titles, presets, device rules on opening, ranges and refusal
// messages, and what OK hands back.

#include "model/block_rules.h"
#include "model/model_tables.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CComm2Dialog.h"
#include "protocol_ui/CCommDialog.h"
#include "protocol_ui/CDeviceNetDialog.h"
#include "protocol_ui/CEditorDialogs.h"
#include "protocol_ui/CEthernetIPDialog.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/CMbplusDialog.h"
#include "protocol_ui/CModTcpDialog.h"
#include "protocol_ui/CProfibusDialog.h"
#include "protocol_ui/CProfinetDialog.h"
#include "protocol_ui/CUsageDisplay.h"
#include "protocol_ui/GenericDialog.h"
#include "protocol_ui/help_topics.h"
#include "tests/protocol_ui/widget_texts.h"
#include "tests/support/scripted_ui.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

Q_DECLARE_METATYPE(settings_dialog_kind)

namespace {
protocol_dialog_values serial(int device, int data_bits, int mode, int baud = 1) {
    protocol_dialog_values v;
    v.device_code = device;
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
        QTest::addColumn<settings_dialog_kind>("kind");
        QTest::addColumn<QString>("title");
        QTest::newRow("AB") << settings_dialog_kind::allen_bradley << "Allen-Bradley Comm Setup";
        QTest::newRow("MB") << settings_dialog_kind::modbus_siemens
                            << "Modbus/Siemens protocol setup";
        QTest::newRow("generic") << settings_dialog_kind::generic << "Generic protocol";
        QTest::newRow("Profibus") << settings_dialog_kind::profibus << "Profibus params:";
        QTest::newRow("MB+") << settings_dialog_kind::modbus_plus << "ModbusPlus params:";
        QTest::newRow("MB/TCP") << settings_dialog_kind::modbus_tcp << "Modbus/TCP settings:";
        QTest::newRow("Profinet") << settings_dialog_kind::profinet << "Profinet I/O settings:";
        QTest::newRow("DeviceNet") << settings_dialog_kind::devicenet << "Device Net params:";
        QTest::newRow("EtherNet/IP") << settings_dialog_kind::ethernetip << "Ethernet/IP Settings";
    }
    void titles() {
        QFETCH(settings_dialog_kind, kind);
        QFETCH(QString, title);
        const auto dialog = CEditorDialogs::create_settings_dialog(kind, {}, nullptr);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), title);
    }

    // Enter in a field presses OK, whatever other buttons the dialog holds.
    void enter_confirms_data() { titles_data(); }
    void enter_confirms() {
        QFETCH(settings_dialog_kind, kind);
        const auto dialog = CEditorDialogs::create_settings_dialog(kind, {}, nullptr);
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
        QTest::addColumn<settings_dialog_kind>("kind");
        QTest::addColumn<QStringList>("labels");
        const QStringList serial = {
            "Baud rate", "9600",   "19200",      "38400",         "Data bits",     "7",
            "8",         "Parity", "None",       "Even",          "Odd",           "Stop bits",
            "1",         "2",      "Byte order", "MS byte first", "LS byte first", "Node num:"};
        const QStringList usage = {
            "Memory Usage", "Change Block Definitions", "Area", "Type", "Base", "Length"};
        QTest::newRow("AB") << settings_dialog_kind::allen_bradley
                            << serial + QStringList{"Bit mode", "BCC", "CRC"};
        QTest::newRow("MB") << settings_dialog_kind::modbus_siemens
                            << serial + QStringList{"57600", "Bit mode", "RTU", "ASCII"};
        QTest::newRow("generic") << settings_dialog_kind::generic << serial;
        QTest::newRow("Profibus") << settings_dialog_kind::profibus
                                  << QStringList{"Input block size:", "Output block size:",
                                                 "Node address:", "Byte order"};
        QTest::newRow("MB+") << settings_dialog_kind::modbus_plus
                             << QStringList{"GDB Setting",        "Source id:", "Number of words:",
                                            "Offset within GDB:", "Node num:",  "Byte order"};
        QTest::newRow("MB/TCP") << settings_dialog_kind::modbus_tcp
                                << QStringList{"Ip address:", "Network mask:", "Default gateway:",
                                               "Byte order"};
        QTest::newRow("Profinet") << settings_dialog_kind::profinet
                                  << QStringList{"IP address:",
                                                 "Network mask:",
                                                 "Default gateway:",
                                                 "Input block size:",
                                                 "Output block size:",
                                                 "Byte order",
                                                 "Help"};
        QTest::newRow("DeviceNet")
            << settings_dialog_kind::devicenet
            << usage + QStringList{"Byte order", "Defined blocks:",
                                   "Note:  DeviceNet MAC ID and Baud Rate must be set using the "
                                   "DIP switches on the Ombra board."};
        QTest::newRow("EtherNet/IP")
            << settings_dialog_kind::ethernetip
            << usage + QStringList{
                           "Byte Order",  "MS Byte First", "LS Byte First",    "TCP/IP Settings",
                           "IP Address:", "Network Mask:", "Default Gateway:", "Defined Blocks"};
    }
    void labels() {
        QFETCH(settings_dialog_kind, kind);
        QFETCH(QStringList, labels);
        const auto dialog = CEditorDialogs::create_settings_dialog(kind, {}, nullptr);
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
        CComm2Dialog dialog(serial(device, data_bits, 2));
        QCOMPARE(enabled(dialog.data_bits(), 0), seven_enabled);
        QCOMPARE(dialog.data_bits()->checked(), checked);
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
        CComm2Dialog dialog(serial(device_blf, 8, stored));
        QCOMPARE(dialog.bit_mode()->checked(), preset);
        if (click >= 0)
            dialog.bit_mode()->button(click)->click();
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
        CCommDialog dialog(serial(device, 7, 1, 3));
        QCOMPARE(enabled(dialog.data_bits(), 0), seven);
        QCOMPARE(enabled(dialog.bit_mode(), 1), ascii);
        QCOMPARE(enabled(dialog.baud(), 3), baud57600);
        QCOMPARE(dialog.data_bits()->checked(), seven ? 0 : 1);
        QCOMPARE(dialog.bit_mode()->checked(), ascii ? 1 : 0);
        QCOMPARE(dialog.baud()->checked(), baud57600 ? 3 : -1);
        QVERIFY(dialog.read_fields());
        QCOMPARE(dialog.values().mode, ascii ? 1 : 0);
        QCOMPARE(dialog.values().data_bits, seven ? 7 : 8);
    }

    void serial_values_round_trip() {
        protocol_dialog_values v = serial(device_blf, 7, 0, 2);
        v.parity = 2;
        v.stop_bits = 1;
        v.byte_order = 1;
        v.node = 17;
        GenericDialog dialog(v);
        QVERIFY(!dialog.bit_mode());
        QCOMPARE(dialog.node()->text(), QString("17"));
        dialog.stop_bits()->button(0)->click();
        dialog.parity()->button(1)->click();
        dialog.data_bits()->button(1)->click();
        dialog.node()->setText("-4");
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
        QTest::addColumn<settings_dialog_kind>("kind");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const auto pb = settings_dialog_kind::profibus;
        const auto pn = settings_dialog_kind::profinet;
        const auto mp = settings_dialog_kind::modbus_plus;
        const auto ab = settings_dialog_kind::allen_bradley;
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
        QFETCH(settings_dialog_kind, kind);
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        scripted_ui messages;
        scoped_ui installed(messages);
        protocol_dialog_values preset;
        preset.node = 5;
        auto dialog = CEditorDialogs::create_settings_dialog(kind, preset, nullptr);
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
        QTest::addColumn<settings_dialog_kind>("kind");
        QTest::newRow("MB/TCP") << settings_dialog_kind::modbus_tcp;
        QTest::newRow("Profinet") << settings_dialog_kind::profinet;
        QTest::newRow("EtherNet/IP") << settings_dialog_kind::ethernetip;
    }
    void addresses_round_trip() {
        QFETCH(settings_dialog_kind, kind);
        protocol_dialog_values preset;
        preset.ip_address = 0xC0A80A01;      // 192.168.10.1
        preset.network_mask = 0xFFFFFF00;    // 255.255.255.0
        preset.default_gateway = 0x0A000001; // 10.0.0.1
        auto dialog = CEditorDialogs::create_settings_dialog(kind, preset, nullptr);
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
        QTest::addColumn<settings_dialog_kind>("kind");
        QTest::newRow("DeviceNet") << settings_dialog_kind::devicenet;
        QTest::newRow("EtherNet/IP") << settings_dialog_kind::ethernetip;
    }
    void block_dialogs_start_from_the_default_table() {
        QFETCH(settings_dialog_kind, kind);
        auto dialog = CEditorDialogs::create_settings_dialog(kind, {}, nullptr);
        auto* blocks = dynamic_cast<CBlockSettingsDialog*>(dialog.get());
        QVERIFY(blocks);
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
        QCOMPARE(dialog->values().block_count, 22);
        QCOMPARE(dialog->values().blocks[11].length, 256);
        QCOMPARE(dialog->values().io_input_size, 256);
    }

    void change_block_definitions() {
        protocol_dialog_values preset;
        preset.block_count = 22;
        preset.blocks = default_block_table();
        CDeviceNetDialog dialog(preset);
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
        QCOMPARE(dialog.values().param_input_usage, 110);
        QCOMPARE(dialog.values().blocks[6].start, 400);
    }

    void help_buttons() {
        QList<int> contexts;
        set_help_topic_handler([&](QWidget*, int context) { contexts << context; });
        CProfinetDialog profinet({});
        profinet.help_button()->click();
        set_help_topic_handler({});
        QCOMPARE(contexts, QList<int>{13});
    }
};

QTEST_MAIN(tst_settings_dialogs)
#include "tst_settings_dialogs.moc"
