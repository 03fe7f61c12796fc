#include "live_ui/CLiveConnectionBar.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int baud_rates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

struct parity_choice {
    char letter;
    const char* text;
};
constexpr parity_choice parities[] = {{'N', "None"}, {'E', "Even"}, {'O', "Odd"}};

// A label for field, named after it for screen readers, placed before it in row.
void add_labelled(QHBoxLayout* row, const QString& text, QWidget* field, QLabel** out = nullptr) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    QString name = text;
    name.remove(QLatin1Char('&'));
    name.remove(QLatin1Char(':'));
    field->setAccessibleName(name);
    row->addWidget(label);
    row->addWidget(field);
    if (out)
        *out = label;
}

QHBoxLayout* bare_row(QWidget* owner = nullptr) {
    auto* row = owner ? new QHBoxLayout(owner) : new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    return row;
}

} // namespace

CLiveConnectionBar::CLiveConnectionBar(QWidget* parent)
    : QWidget(parent), transport_(new QComboBox), tcp_fields_(new QWidget), host_(new QLineEdit),
      port_(new QSpinBox), rtu_fields_(new QWidget), device_(new QComboBox), baud_(new QComboBox),
      parity_(new QComboBox), stop_bits_(new QComboBox), unit_(new QSpinBox),
      interval_(new QDoubleSpinBox), start_(new QPushButton(QStringLiteral("&Start"))),
      record_(new QPushButton(QStringLiteral("&Record..."))), state_(new QLabel) {
    transport_->addItem(QStringLiteral("Modbus/TCP"));
    transport_->addItem(QStringLiteral("Modbus RTU"));

    auto* tcp_row = bare_row(tcp_fields_);
    host_->setPlaceholderText(QStringLiteral("IP address or host name"));
    host_->setMinimumWidth(host_->fontMetrics().averageCharWidth() * 18);
    add_labelled(tcp_row, QStringLiteral("&Host:"), host_);
    port_->setRange(1, 65535);
    port_->setObjectName(QStringLiteral("port"));
    add_labelled(tcp_row, QStringLiteral("&Port:"), port_);

    auto* rtu_row = bare_row(rtu_fields_);
    device_->setEditable(true);
    device_->setMinimumWidth(device_->fontMetrics().averageCharWidth() * 16);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        device_->addItem(info.systemLocation());
    add_labelled(rtu_row, QStringLiteral("Serial p&ort:"), device_);
    for (int rate : baud_rates)
        baud_->addItem(QString::number(rate), rate);
    add_labelled(rtu_row, QStringLiteral("&Baud:"), baud_);
    for (const auto& p : parities)
        parity_->addItem(QString::fromLatin1(p.text), QChar::fromLatin1(p.letter));
    add_labelled(rtu_row, QStringLiteral("P&arity:"), parity_);
    stop_bits_->addItem(QStringLiteral("1"), 1);
    stop_bits_->addItem(QStringLiteral("2"), 2);
    add_labelled(rtu_row, QStringLiteral("Stop bi&ts:"), stop_bits_);

    auto* first = bare_row();
    add_labelled(first, QStringLiteral("&Connection:"), transport_);
    first->addWidget(tcp_fields_);
    first->addWidget(rtu_fields_);
    unit_->setRange(0, 255);
    add_labelled(first, QStringLiteral("&Unit:"), unit_, &unit_label_);
    first->addStretch(1);

    auto* second = bare_row();
    interval_->setRange(0.2, 60);
    interval_->setDecimals(1);
    interval_->setSingleStep(0.1);
    interval_->setSuffix(QStringLiteral(" s"));
    interval_->setValue(1.0);
    add_labelled(second, QStringLiteral("&Interval:"), interval_);
    second->addWidget(start_);
    second->addWidget(record_);
    start_->setAccessibleName(QStringLiteral("Start"));
    record_->setAccessibleName(QStringLiteral("Record"));
    auto* state_caption = new QLabel(QStringLiteral("State:"));
    second->addSpacing(12);
    second->addWidget(state_caption);
    state_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    state_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    second->addWidget(state_, 1);

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addLayout(first);
    rows->addLayout(second);

    connect(transport_, &QComboBox::currentIndexChanged, this, &CLiveConnectionBar::show_transport);
    connect(start_, &QPushButton::clicked, this,
            [this] { emit running_ ? stop_clicked() : start_clicked(); });
    connect(record_, &QPushButton::clicked, this, &CLiveConnectionBar::record_clicked);
    connect(interval_, &QDoubleSpinBox::valueChanged, this, &CLiveConnectionBar::interval_changed);
    set_state(QStringLiteral("Stopped"));
    set_connection(settings_);
}

bool CLiveConnectionBar::is_tcp() const {
    return transport_->currentIndex() == 0;
}

void CLiveConnectionBar::show_transport() {
    tcp_fields_->setVisible(is_tcp());
    rtu_fields_->setVisible(!is_tcp());
    // The same number is the unit identifier on TCP and the slave address on a serial line.
    unit_label_->setText(is_tcp() ? QStringLiteral("&Unit:") : QStringLiteral("S&lave:"));
    unit_->setAccessibleName(is_tcp() ? QStringLiteral("Unit") : QStringLiteral("Slave address"));
}

void CLiveConnectionBar::set_connection(const connection_settings& settings) {
    settings_ = settings;
    transport_->setCurrentIndex(settings.transport == link_transport::tcp ? 0 : 1);
    host_->setText(QString::fromStdString(settings.host));
    port_->setValue(settings.port);
    device_->setCurrentText(QString::fromStdString(settings.device));
    if (baud_->findData(settings.baud) < 0)
        baud_->addItem(QString::number(settings.baud), settings.baud);
    baud_->setCurrentIndex(baud_->findData(settings.baud));
    parity_->setCurrentIndex(std::max(0, parity_->findData(QChar::fromLatin1(settings.parity))));
    stop_bits_->setCurrentIndex(settings.stop_bits == 2 ? 1 : 0);
    unit_->setValue(settings.unit);
    show_transport();
}

connection_settings CLiveConnectionBar::connection() const {
    connection_settings s = settings_;
    s.transport = is_tcp() ? link_transport::tcp : link_transport::rtu;
    s.host = host_->text().trimmed().toStdString();
    s.port = port_->value();
    s.device = device_->currentText().trimmed().toStdString();
    s.baud = baud_->currentData().toInt();
    s.parity = parity_->currentData().toChar().toLatin1();
    s.stop_bits = stop_bits_->currentData().toInt();
    s.unit = unit_->value();
    return s;
}

QString CLiveConnectionBar::problem() const {
    const connection_settings s = connection();
    if (s.transport == link_transport::tcp && s.host.empty())
        return QStringLiteral("Enter the card's IP address or host name as Host.");
    if (s.transport == link_transport::rtu && s.device.empty())
        return QStringLiteral("Enter the serial port of the card's host side.");
    if (s.transport == link_transport::rtu && (s.unit < 1 || s.unit > 247))
        return QStringLiteral("Slave address %1 cannot be read on a serial line (1 to 247 can).")
            .arg(s.unit);
    return {};
}

void CLiveConnectionBar::set_interval_seconds(double seconds) {
    interval_->setValue(seconds);
}

double CLiveConnectionBar::interval_seconds() const {
    return interval_->value();
}

void CLiveConnectionBar::set_running(bool running) {
    running_ = running;
    start_->setText(running ? QStringLiteral("&Stop") : QStringLiteral("&Start"));
    start_->setAccessibleName(running ? QStringLiteral("Stop") : QStringLiteral("Start"));
    for (QWidget* field : {static_cast<QWidget*>(transport_), tcp_fields_, rtu_fields_,
                           static_cast<QWidget*>(unit_)})
        field->setEnabled(!running);
}

void CLiveConnectionBar::set_recording(bool recording) {
    record_->setText(recording ? QStringLiteral("Stop &Recording") : QStringLiteral("&Record..."));
    record_->setAccessibleName(recording ? QStringLiteral("Stop recording")
                                         : QStringLiteral("Record"));
}

void CLiveConnectionBar::set_state(const QString& text) {
    // The label's text is its name: a screen reader hears every change of state.
    state_->setText(text);
    state_->setToolTip(text);
}

QString CLiveConnectionBar::state() const {
    return state_->text();
}
