// The host protocol selection dialog: preset, the device rule on device changes and on OK.

#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CHostDialog.h"

#include <QComboBox>
#include <QRadioButton>
#include <QtTest>

namespace {
// Which of the nine buttons are enabled, as a string of 0 and 1.
QString enabled_pattern(const CHostDialog& dialog) {
    QString pattern;
    for (int i = 0; i < 9; ++i)
        pattern += dialog.protocols()->button(i)->isEnabled() ? '1' : '0';
    return pattern;
}
} // namespace

class tst_host_dialog : public QObject {
    Q_OBJECT
  private slots:
    void opens_as_laid_out_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("position");
        QTest::newRow("BLF with Profinet IO") << "BLF" << 8;
        QTest::newRow("WNT with Device Net") << "WNT" << 6;
        QTest::newRow("RDX without protocol") << "RDX" << -1;
    }
    void opens_as_laid_out() {
        QFETCH(QString, device);
        QFETCH(int, position);
        CHostDialog dialog({position, device.toStdString()});
        QCOMPARE(dialog.windowTitle(), QString("Host Protocol Selection"));
        QCOMPARE(dialog.device_list()->currentText(), device);
        // The rule does not run on opening: only Siemens is disabled and the preset stays.
        QCOMPARE(enabled_pattern(dialog), QString("110111111"));
        QCOMPARE(dialog.protocols()->checked(), position);
    }

    void device_list_order() {
        CHostDialog dialog({-1, "RDX"});
        QStringList words;
        for (int i = 0; i < dialog.device_list()->count(); ++i)
            words << dialog.device_list()->itemText(i);
        QCOMPARE(words, QStringList({"RDX", "HQP", "BLF", "WNT"}));
        const QStringList labels = {"Allen-Bradley", "Modbus",      "Siemens",
                                    "Profibus",      "Modbus/TCP",  "Modbus Plus",
                                    "Device Net",    "Ethernet/IP", "Profinet IO"};
        for (int i = 0; i < 9; ++i)
            QCOMPARE(dialog.protocols()->button(i)->text(), labels[i]);
    }

    void device_rule_on_change_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("enabled");
        QTest::newRow("WNT drops Device Net") << "RDX" << 6 << "WNT" << 0 << "111000000";
        QTest::newRow("WNT keeps Siemens") << "BLF" << 2 << "WNT" << 2 << "111000000";
        QTest::newRow("RDX drops Siemens") << "BLF" << 2 << "RDX" << 0 << "110111111";
        QTest::newRow("HQP drops Siemens") << "WNT" << 2 << "HQP" << 0 << "110111111";
        QTest::newRow("HQP keeps Profinet IO") << "RDX" << 8 << "HQP" << 8 << "110111111";
        QTest::newRow("BLF drops Profinet IO") << "RDX" << 8 << "BLF" << 0 << "111111110";
        QTest::newRow("BLF keeps Ethernet/IP") << "RDX" << 7 << "BLF" << 7 << "111111110";
        QTest::newRow("none stays none") << "RDX" << -1 << "WNT" << -1 << "111000000";
    }
    void device_rule_on_change() {
        QFETCH(QString, from);
        QFETCH(int, position);
        QFETCH(QString, to);
        QFETCH(int, expected);
        QFETCH(QString, enabled);
        CHostDialog dialog({position, from.toStdString()});
        dialog.device_list()->setCurrentText(to);
        QCOMPARE(dialog.protocols()->checked(), expected);
        QCOMPARE(enabled_pattern(dialog), enabled);
    }

    void ok_applies_the_rule_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("click");
        QTest::addColumn<int>("returned");
        QTest::newRow("BLF preset, Profinet IO clicked") << "BLF" << 8 << 0;
        QTest::newRow("RDX preset, nothing checked") << "RDX" << -1 << -1;
        QTest::newRow("HQP preset, Profinet IO clicked") << "HQP" << 8 << 8;
    }
    void ok_applies_the_rule() {
        QFETCH(QString, device);
        QFETCH(int, click);
        QFETCH(int, returned);
        CHostDialog dialog({-1, device.toStdString()});
        if (click >= 0)
            dialog.protocols()->button(click)->click();
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.values().protocol_position, returned);
        QCOMPARE(QString::fromStdString(dialog.values().device_word), device);
    }
};

QTEST_MAIN(tst_host_dialog)
#include "tst_host_dialog.moc"
