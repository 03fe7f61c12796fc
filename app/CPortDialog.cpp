#include "app/CPortDialog.h"

#include "link/platform/serial_port_names.h"
#include "protocol_ui/accessible_labels.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// The list offers the names built from "COM%u" for 1 to this.
constexpr unsigned listed_com_ports = 9;

QList<CPortDialog::entry> named_only(const QStringList& names) {
    QList<CPortDialog::entry> entries;
    for (const QString& n : names)
        entries.push_back({n, QString()});
    return entries;
}
} // namespace

CPortDialog::CPortDialog(const QStringList& ports, const QString& current_port, bool use_usb,
                         QWidget* parent)
    : CPortDialog(named_only(ports), current_port, use_usb, parent) {}

CPortDialog::CPortDialog(const QList<entry>& ports, const QString& current_port, bool use_usb,
                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select a com port:"));

    // Sorted by name, each name once (the first description given for it).
    QList<entry> sorted = ports;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const entry& a, const entry& b) { return a.name < b.name; });
    sorted.erase(std::unique(sorted.begin(), sorted.end(),
                             [](const entry& a, const entry& b) { return a.name == b.name; }),
                 sorted.end());

    // Two columns, the name (what the field takes) and the description beside it.
    auto* model = new QStandardItemModel(0, 2, this);
    for (const entry& e : sorted)
        model->appendRow({new QStandardItem(e.name), new QStandardItem(e.description)});
    auto* view = new QTreeView;
    view->setHeaderHidden(true);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setAllColumnsShowFocus(true);

    port_box_ = new QComboBox;
    port_box_->setEditable(true);
    port_box_->setInsertPolicy(QComboBox::NoInsert);
    port_box_->setMinimumWidth(220);
    port_box_->setModel(model);
    port_box_->setView(view); // the view shows the box's model from here on
    view->header()->setStretchLastSection(true);
    view->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    view->setMinimumWidth(360);
    // The first entry that begins with the stored name is selected (an empty name begins
    // every entry); without one the field shows the stored name itself.
    int match = -1;
    for (int i = 0; i < sorted.size() && match < 0; ++i)
        if (sorted[i].name.startsWith(current_port))
            match = i;
    if (match >= 0)
        port_box_->setCurrentIndex(match);
    else
        port_box_->setEditText(current_port);

    com_ = new QRadioButton(QStringLiteral("COM"));
    usb_ = new QRadioButton(QStringLiteral("USB"));
    (use_usb ? usb_ : com_)->setChecked(true);
    auto* use = new QGroupBox(QStringLiteral("Use:"));
    auto* use_layout = new QHBoxLayout(use);
    use_layout->addWidget(com_);
    use_layout->addWidget(usb_);
    use_layout->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        control_label(QStringLiteral("Select a COM Port for Tessaly to Use"), port_box_));
    layout->addWidget(port_box_);
    layout->addWidget(use);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CPortDialog::port_name() const {
    return port_box_->currentText();
}

bool CPortDialog::usb_chosen() const {
    return usb_->isChecked();
}

QString CPortDialog::description(int row) const {
    return port_box_->model()->index(row, 1).data().toString();
}

QList<CPortDialog::entry> CPortDialog::port_entries(const QList<entry>& reported) {
    QList<entry> entries;
    for (unsigned n = 1; n <= listed_com_ports; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        const QString device = QString::fromStdString(port_device_path(name.toStdString()));
        QString description = device;
        for (const entry& r : reported)
            if (r.name == device && !r.description.isEmpty())
                description += QStringLiteral(", ") + r.description;
        entries.push_back({name, description});
    }
    for (const entry& r : reported)
        if (!com_name_for_device(r.name.toStdString(), listed_com_ports))
            entries.push_back(r);
    return entries;
}

QList<CPortDialog::entry> CPortDialog::system_ports() {
    QList<entry> reported;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        // A USB-serial adapter names its product; the maker helps where it does not.
        QString description = info.description();
        if (description.isEmpty())
            description = info.manufacturer();
        reported.push_back({info.systemLocation(), description});
    }
    return port_entries(reported);
}
