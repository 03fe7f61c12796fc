// The IP address control as it is typed into: octets move on with "." and a third digit,
// Backspace and the arrows cross octets, a pasted dotted address fills the octets, an octet
// above 255 is refused.

#include "document/editor_ui.h"
#include "model/model_tables.h"
#include "model/protocol_description.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/CSettingsDialog.h"
#include "tests/support/scripted_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

namespace {
const std::string range_message = "Please enter an integer between 0 and 255.";

// Types keys one at a time into whatever holds the focus, as a keyboard does.
void type(const QString& keys) {
    for (QChar c : keys)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

QString dotted(const CIpAddressEdit& edit) {
    const std::uint32_t v = edit.value();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(v >> 24)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}
} // namespace

class tst_address_control : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<CIpAddressEdit> edit;
    scripted_ui messages;
    user_interface* previous = nullptr;

  private slots:
    void init() {
        messages = scripted_ui();
        previous = set_editor_ui(&messages);
        edit = std::make_unique<CIpAddressEdit>();
        edit->set_value(0xC0A8000A); // 192.168.0.10
        edit->show();
        QVERIFY(QTest::qWaitForWindowActive(edit.get()));
        edit->octet(0)->setFocus();
        edit->octet(0)->selectAll();
    }
    void cleanup() {
        edit.reset();
        set_editor_ui(previous);
    }

    void typing_an_address_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("address");
        QTest::newRow("dots") << "10.1.2.3"
                              << "10.1.2.3";
        QTest::newRow("three digits move on") << "172016001001"
                                              << "172.16.1.1";
        QTest::newRow("mixed") << "255.2550.7"
                               << "255.255.0.7";
        QTest::newRow("dot in an empty octet stays") << ".10.1.1.1"
                                                     << "10.1.1.1";
        QTest::newRow("digits past the last octet") << "1.2.3.1234"
                                                    << "1.2.3.123";
    }
    void typing_an_address() {
        QFETCH(QString, keys);
        QFETCH(QString, address);
        type(keys);
        QCOMPARE(dotted(*edit), address);
        QVERIFY(messages.events.empty());
    }

    void octet_above_255_is_refused() {
        type("25");
        type("6");
        QCOMPARE(messages.texts(), std::vector<std::string>{range_message});
        QCOMPARE(edit->octet(0)->text(), QString("25"));
        QCOMPARE(QApplication::focusWidget(), edit->octet(0));
        type("5");
        QCOMPARE(edit->octet(0)->text(), QString("255"));
    }

    void backspace_and_arrows_cross_octets() {
        type("10.20");
        QCOMPARE(QApplication::focusWidget(), edit->octet(1));
        QTest::keyClick(edit->octet(1), Qt::Key_Backspace);
        QTest::keyClick(edit->octet(1), Qt::Key_Backspace);
        QCOMPARE(edit->octet(1)->text(), QString());
        // At the start of an empty octet Backspace goes back to the one before.
        QTest::keyClick(edit->octet(1), Qt::Key_Backspace);
        QCOMPARE(QApplication::focusWidget(), edit->octet(0));
        QTest::keyClick(edit->octet(0), Qt::Key_Backspace);
        QCOMPARE(edit->octet(0)->text(), QString("1"));
        QTest::keyClick(edit->octet(0), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), edit->octet(1));
        QTest::keyClick(edit->octet(1), Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), edit->octet(0));
    }

    void paste_fills_the_octets_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("refused");
        QTest::newRow("whole address") << " 10.1.2.3 "
                                       << "10.1.2.3" << false;
        QTest::newRow("part") << "10.1"
                              << "10.1.0.10" << false;
        QTest::newRow("octet too large") << "10.300.2.3"
                                         << "192.168.0.10" << true;
        QTest::newRow("not an address") << "hello"
                                        << "192.168.0.10" << false;
    }
    void paste_fills_the_octets() {
        QFETCH(QString, clipboard);
        QFETCH(QString, address);
        QFETCH(bool, refused);
        QApplication::clipboard()->setText(clipboard);
        QTest::keyClick(edit->octet(0), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dotted(*edit), address);
        QCOMPARE(messages.events.size(), refused ? 1u : 0u);
    }

    // A fresh settings dialog typed into as an address is read out loud: each octet reached
    // by Tab or a click has its text selected, so typing replaces the 0 it shows.
    void typing_into_a_fresh_dialog_data() {
        QTest::addColumn<int>("protocol");
        QTest::newRow("Modbus/TCP") << int(protocol_modbus_tcp);
        QTest::newRow("Profinet IO") << int(protocol_profinet);
        QTest::newRow("EtherNet/IP") << int(protocol_ethernetip);
    }
    void typing_into_a_fresh_dialog() {
        QFETCH(int, protocol);
        edit.reset();
        auto dialog = std::make_unique<CSettingsDialog>(protocol_description_for(protocol),
                                                        device_blf, header_values{});
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        const auto addresses = dialog->findChildren<CIpAddressEdit*>();
        QCOMPARE(addresses.size(), 3);
        // The dialog starts in the first address, or (EtherNet/IP) in its block list.
        QLineEdit* first = addresses[0]->octet(0);
        if (QApplication::focusWidget() != first) {
            QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(4, 4));
            QTRY_VERIFY(first->hasSelectedText());
        }
        type("192.168.10.20");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        type("255.255.255.0");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        type("192.168.10.1");
        QCOMPARE(dotted(*addresses[0]), QString("192.168.10.20"));
        QCOMPARE(dotted(*addresses[1]), QString("255.255.255.0"));
        QCOMPARE(dotted(*addresses[2]), QString("192.168.10.1"));
        // A click into an octet selects it as well (once the click has placed the cursor).
        QTest::mouseClick(addresses[2]->octet(1), Qt::LeftButton, {}, QPoint(4, 4));
        QTRY_VERIFY(addresses[2]->octet(1)->hasSelectedText());
        type("7");
        QCOMPARE(dotted(*addresses[2]), QString("192.7.10.1"));
        QVERIFY(messages.events.empty());
    }

    void accessible_names_by_position() {
        edit->set_accessible_label(QStringLiteral("Ip address:"));
        QCOMPARE(edit->accessibleName(), QString("Ip address:"));
        QCOMPARE(edit->octet(2)->accessibleName(), QString("Ip address: octet 3"));
    }
};

QTEST_MAIN(tst_address_control)
#include "tst_address_control.moc"
