// Tab order of the protocol forms and settings dialogs: top-left to bottom-right, group by
// group, as they are laid out.

#include "document/CTessalyDoc.h"
#include "model/zrp_file.h"
#include "protocol_ui/CProtocolDialogs.h"
#include "protocol_ui/CProtocolForm.h"
#include "protocol_ui/CSettingsDialog.h"
#include "protocol_ui/visual_tab_order.h"

#include <QAbstractScrollArea>
#include <QGroupBox>
#include <QScrollArea>
#include <QtTest>

namespace {
// What a focusable control stands for: the title of its outermost group box, or its class.
QString owner_of(const QWidget* w, const QWidget* root) {
    QString owner = QString::fromLatin1(w->metaObject()->className());
    for (const QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget())
        if (auto* box = qobject_cast<const QGroupBox*>(p))
            owner = box->title();
    return owner;
}

// The tab chain of root from its first control, one entry per run of controls of one owner.
QStringList tab_chain(QWidget* root) {
    QList<QWidget*> controls;
    for (QWidget* w = root->nextInFocusChain(); w != root; w = w->nextInFocusChain())
        if (root->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(root))
            controls << w;
    QStringList owners;
    for (QWidget* w : controls) {
        const QString owner = owner_of(w, root);
        if (owners.isEmpty() || owners.back() != owner)
            owners << owner;
    }
    return owners;
}

const QStringList serial_groups = {"Baud rate", "Data bits", "Parity", "Stop bits", "Byte order"};
} // namespace

class tst_tab_order : public QObject {
    Q_OBJECT
  private slots:
    void forms_data() {
        QTest::addColumn<int>("protocol");
        QTest::addColumn<QStringList>("chain");
        QTest::newRow("Modbus") << 1 << serial_groups + QStringList{"Bit mode", "CIntegerEdit"};
        QTest::newRow("Allen-Bradley")
            << 2 << serial_groups + QStringList{"Bit mode", "CIntegerEdit"};
        QTest::newRow("Modbus Plus")
            << 11 << QStringList{"GDB Setting", "CIntegerEdit", "Byte order"};
        QTest::newRow("EtherNet/IP")
            << 13
            << QStringList{"CBlockList", "TCP/IP Settings", "Byte Order", "I/O Area", "Param Area"};
        QTest::newRow("DeviceNet")
            << 12 << QStringList{"CBlockList", "Byte order", "I/O Area", "Param Area"};
    }
    void forms() {
        QFETCH(int, protocol);
        QFETCH(QStringList, chain);
        CTessalyDoc doc;
        doc.replace_map(std::make_unique<zrp_file>(protocol));
        CProtocolDialogs dialogs;
        std::unique_ptr<QWidget> form(CProtocolForm::create(&doc, dialogs, nullptr));
        form->resize(900, 240);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QWidget* content = static_cast<QScrollArea*>(form.get())->widget();
        apply_visual_tab_order(content);
        QCOMPARE(tab_chain(content), chain);
    }

    void dialogs_data() {
        QTest::addColumn<int>("protocol");
        QTest::addColumn<QStringList>("chain");
        QTest::newRow("Modbus") << 1
                                << serial_groups +
                                       QStringList{"Bit mode", "CIntegerEdit", "QPushButton"};
        QTest::newRow("generic") << 0 << serial_groups + QStringList{"CIntegerEdit", "QPushButton"};
    }
    void dialogs() {
        QFETCH(int, protocol);
        QFETCH(QStringList, chain);
        const auto dialog = std::make_unique<CSettingsDialog>(protocol_description_for(protocol), 0,
                                                              header_values{});
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        apply_visual_tab_order(dialog.get());
        QCOMPARE(tab_chain(dialog.get()), chain);
    }
};

QTEST_MAIN(tst_tab_order)
#include "tst_tab_order.moc"
