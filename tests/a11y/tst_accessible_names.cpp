// What every window of the editor tells assistive technology, read through Qt's accessibility
// interfaces offscreen: every control a user edits, ticks or presses has a name (a combo box,
// whose name on Linux is its value, has a label instead), radio buttons sit in titled groups,
// the status bar panes speak, and the names are the labels' texts as the windows show them.

#include "tests/a11y/every_window.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMetaEnum>
#include <QRadioButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
bool is_control(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
        return true;
    default:
        return false;
    }
}

// Controls whose children are their own parts (cells, a combo box's popup list and field).
bool is_opaque(QAccessible::Role role) {
    return role == QAccessible::ComboBox || role == QAccessible::List ||
           role == QAccessible::Tree || role == QAccessible::Table ||
           role == QAccessible::ScrollBar;
}

QString role_name(QAccessible::Role role) {
    return QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(role));
}

// The names of the objects that label iface.
QStringList labels_of(QAccessibleInterface* iface) {
    QStringList names;
    for (const auto& [label, relation] : iface->relations(QAccessible::Label))
        if (label && !label->text(QAccessible::Name).trimmed().isEmpty())
            names << label->text(QAccessible::Name);
    return names;
}

struct reading {
    int controls = 0;
    QStringList findings;
    // Every control's name and the texts of its labels.
    QStringList names;
};

void read_tree(QAccessibleInterface* iface, const QStringList& path, bool in_status_bar,
               reading& out) {
    const QAccessible::Role role = iface->role();
    const QString name = iface->text(QAccessible::Name);
    const QStringList here =
        path + QStringList{name.isEmpty() ? role_name(role) : role_name(role) + " '" + name + "'"};
    const QString where = here.join(" > ");
    if (is_control(role)) {
        ++out.controls;
        const QStringList labels = labels_of(iface);
        out.names << labels;
        if (role == QAccessible::ComboBox) {
            if (labels.isEmpty())
                out.findings << "combo box without a label: " + where;
        } else {
            out.names << name;
            if (name.trimmed().isEmpty() && labels.isEmpty())
                out.findings << "control without a name: " + where;
        }
        if (role == QAccessible::RadioButton) {
            QAccessibleInterface* group = iface->parent();
            if (!group || group->role() != QAccessible::Grouping ||
                group->text(QAccessible::Name).trimmed().isEmpty())
                out.findings << "radio button outside a titled group: " + where;
        }
    } else if (role == QAccessible::StaticText && in_status_bar) {
        out.names << name;
        if (name.trimmed().isEmpty())
            out.findings << "status bar pane without a name: " + where;
    }
    if (is_opaque(role))
        return;
    const bool status_bar = in_status_bar || role == QAccessible::StatusBar;
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface* child = iface->child(i))
            read_tree(child, here, status_bar, out);
}

reading read_window(QWidget* window) {
    reading out;
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window))
        read_tree(iface, {}, false, out);
    return out;
}
} // namespace

using window_builder = std::function<void(QMainWindow&, QVBoxLayout&)>;
Q_DECLARE_METATYPE(window_builder)

class tst_accessible_names : public QObject {
    Q_OBJECT
  private slots:
    // The reading finds each kind of fault, and only faults: a check that cannot fail would
    // pass every window.
    void reading_finds_faults_data() {
        QTest::addColumn<window_builder>("build");
        QTest::addColumn<QString>("finding");
        QTest::newRow("field without a label")
            << window_builder([](QMainWindow&, QVBoxLayout& l) { l.addWidget(new QLineEdit); })
            << "control without a name";
        QTest::newRow("label beside a field, not its buddy")
            << window_builder([](QMainWindow&, QVBoxLayout& l) {
                   l.addWidget(new QLabel(QStringLiteral("Node num:")));
                   l.addWidget(new QLineEdit);
               })
            << "control without a name";
        QTest::newRow("list named by a buddy alone")
            << window_builder([](QMainWindow&, QVBoxLayout& l) {
                   auto* list = new QTreeWidget;
                   auto* label = new QLabel(QStringLiteral("Defined blocks:"));
                   label->setBuddy(list);
                   l.addWidget(label);
                   l.addWidget(list);
               })
            << "control without a name";
        QTest::newRow("combo box with a name but no label")
            << window_builder([](QMainWindow&, QVBoxLayout& l) {
                   auto* combo = new QComboBox;
                   combo->addItem(QStringLiteral("COM1"));
                   combo->setAccessibleName(QStringLiteral("Port"));
                   l.addWidget(combo);
               })
            << "combo box without a label";
        QTest::newRow("radio button in an untitled group")
            << window_builder([](QMainWindow&, QVBoxLayout& l) {
                   auto* group = new QGroupBox;
                   (new QVBoxLayout(group))->addWidget(new QRadioButton(QStringLiteral("COM")));
                   l.addWidget(group);
               })
            << "radio button outside a titled group";
        QTest::newRow("empty status bar pane") << window_builder([](QMainWindow& w, QVBoxLayout&) {
            w.statusBar()->addPermanentWidget(new QLabel);
        }) << "status bar pane without a name";
        QTest::newRow("labelled field, titled radio group, named pane")
            << window_builder([](QMainWindow& w, QVBoxLayout& l) {
                   auto* edit = new QLineEdit;
                   auto* label = new QLabel(QStringLiteral("Node num:"));
                   label->setBuddy(edit);
                   l.addWidget(label);
                   l.addWidget(edit);
                   auto* group = new QGroupBox(QStringLiteral("Use:"));
                   (new QVBoxLayout(group))->addWidget(new QRadioButton(QStringLiteral("COM")));
                   l.addWidget(group);
                   auto* pane = new QLabel;
                   pane->setAccessibleName(QStringLiteral("Link"));
                   w.statusBar()->addPermanentWidget(pane);
               })
            << QString();
    }
    void reading_finds_faults() {
        QFETCH(window_builder, build);
        QFETCH(QString, finding);
        QMainWindow window;
        auto* central = new QWidget;
        auto* layout = new QVBoxLayout(central);
        window.setCentralWidget(central);
        build(window, *layout);
        const QStringList findings = read_window(&window).findings;
        if (finding.isEmpty()) {
            QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
        } else {
            QCOMPARE(findings.size(), 1);
            QVERIFY2(findings[0].startsWith(finding), qPrintable(findings[0]));
        }
    }

    void initTestCase() {
        windows_ = std::make_unique<every_window>();
        windows_->show_all();
    }
    void cleanupTestCase() { windows_.reset(); }

    void every_control_is_named_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < windows_->windows().size(); ++i)
            QTest::newRow(qPrintable(windows_->windows()[i].name)) << i;
    }
    void every_control_is_named() {
        QFETCH(int, index);
        const reading r = read_window(windows_->windows()[index].widget);
        QVERIFY2(r.controls > 0, "no controls found");
        // Each on its own line: a failure message would cut a long list short.
        for (const QString& finding : r.findings)
            qInfo().noquote() << finding;
        QVERIFY2(r.findings.isEmpty(), qPrintable(QString::number(r.findings.size()) + " found"));
    }

    // The names a screen reader says are the labels' texts, where a wrong label is easy to
    // give: the address octets by position, fields whose label sits apart from them, the
    // block lists under their headings.
    void names_follow_the_labels_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("Modbus/TCP dialog")
            << "Modbus/TCP settings:"
            << QStringList{"Ip address: octet 1", "Network mask: octet 4",
                           "Default gateway: octet 2"};
        QTest::newRow("EtherNet/IP dialog")
            << "Ethernet/IP Settings"
            << QStringList{"IP Address: octet 1", "Network Mask: octet 3", "Defined Blocks"};
        QTest::newRow("Profinet dialog")
            << "Profinet I/O settings:"
            << QStringList{"IP address: octet 4", "Input block size:", "Output block size:"};
        QTest::newRow("DeviceNet dialog") << "Device Net params:" << QStringList{"Defined blocks:"};
        QTest::newRow("serial dialog")
            << "Modbus/Siemens protocol setup" << QStringList{"Node num:", "9600", "RTU"};
        QTest::newRow("block editor")
            << "Block Definitions" << QStringList{"Input Blocks", "Output Blocks"};
        QTest::newRow("block properties")
            << "Block Properties" << QStringList{"Starting Register:", "# of Registers:"};
        QTest::newRow("host selection") << "Host Protocol Selection" << QStringList{"Platform"};
        QTest::newRow("port setup")
            << "Select a com port:" << QStringList{"Select a COM Port for Tessaly to Use", "COM"};
        QTest::newRow("preferences")
            << "Dialog (preferences)"
            << QStringList{"Show protocol dialog on File New", "Parameter file:"};
        QTest::newRow("error list") << "ZRP Errors" << QStringList{"Error list"};
        QTest::newRow("register dialog")
            << "Register properties (Commands)"
            << QStringList{"Search:", "Trigger mode: Off", "Trigger mode: Rising edge"};
        QTest::newRow("register list menu")
            << "Register commands" << QStringList{"New Register", "Properties", "Delete"};
        QTest::newRow("forms and register list")
            << "Tessaly" << QStringList{"Ip address: octet 1", "Input block size (bytes):",
                                        "Source id:",          "Node num:",
                                        "Node address:",       "Defined Blocks",
                                        "Defined blocks:",     "IP Address: octet 2",
                                        "Input Registers:",    "Register list",
                                        "Find registers",      "New",
                                        "About Tessaly",       "Help",
                                        "More buttons",        "Link: COM1"};
    }
    void names_follow_the_labels() {
        QFETCH(QString, window);
        QFETCH(QStringList, names);
        QWidget* widget = nullptr;
        for (const every_window::window& w : windows_->windows())
            if (w.name == window)
                widget = w.widget;
        QVERIFY2(widget, qPrintable(window));
        const QStringList said = read_window(widget).names;
        QStringList missing;
        for (const QString& name : names)
            if (!said.contains(name))
                missing << name;
        QVERIFY2(missing.isEmpty(), qPrintable("not named: " + missing.join(", ")));
    }

  private:
    std::unique_ptr<every_window> windows_;
};

QTEST_MAIN(tst_accessible_names)
#include "tst_accessible_names.moc"
