#include "live/platform/qt_modbus_link.h"

#include "link/platform/serial_port_names.h"
#include "live/live_messages.h"

#include <QModbusReply>
#include <QModbusRtuSerialClient>
#include <QModbusTcpClient>
#include <QSerialPort>
#include <QVariant>

namespace {

struct parity_row {
    char letter;
    QSerialPort::Parity parity;
};
constexpr parity_row parities[] = {
    {'N', QSerialPort::NoParity}, {'E', QSerialPort::EvenParity}, {'O', QSerialPort::OddParity}};

QSerialPort::Parity parity_of(char letter) {
    for (const auto& row : parities)
        if (row.letter == letter)
            return row.parity;
    return QSerialPort::NoParity;
}

const char* const mismatch = "the answer does not match the request";
const char* const malformed = "the answer is not a valid Modbus answer";
// How much later than the link's own watch the client's time-out ends a request.
constexpr int backstop_ms = 1000;

// The reason of a client's error: the socket's own words, without the wrapping the TCP client
// puts around them ("TCP socket error (Connection refused).").
std::string reason_of(const QString& error) {
    static const QString prefix = QStringLiteral("TCP socket error (");
    static const QString suffix = QStringLiteral(").");
    if (error.startsWith(prefix) && error.endsWith(suffix))
        return error.mid(prefix.size(), error.size() - prefix.size() - suffix.size()).toStdString();
    return error.toStdString();
}

} // namespace

qt_modbus_link::qt_modbus_link(connection_settings settings, QObject* parent)
    : QObject(parent), settings_(std::move(settings)) {
    connect_timer_.setSingleShot(true);
    connect(&connect_timer_, &QTimer::timeout, this, [this] {
        close();
        open_finished("Connection timed out");
    });
}

qt_modbus_link::~qt_modbus_link() {
    close();
}

void qt_modbus_link::make_client() {
    close();
    if (settings_.transport == link_transport::tcp) {
        client_ = new QModbusTcpClient(this);
        client_->setConnectionParameter(QModbusDevice::NetworkAddressParameter,
                                        QString::fromStdString(settings_.host));
        client_->setConnectionParameter(QModbusDevice::NetworkPortParameter, settings_.port);
    } else {
        client_ = new QModbusRtuSerialClient(this);
        // COMn names the n-th serial device, as on the configuration link.
        client_->setConnectionParameter(QModbusDevice::SerialPortNameParameter,
                                        QString::fromStdString(port_device_path(settings_.device)));
        client_->setConnectionParameter(QModbusDevice::SerialBaudRateParameter, settings_.baud);
        client_->setConnectionParameter(QModbusDevice::SerialParityParameter,
                                        parity_of(settings_.parity));
        client_->setConnectionParameter(QModbusDevice::SerialDataBitsParameter,
                                        settings_.data_bits);
        client_->setConnectionParameter(QModbusDevice::SerialStopBitsParameter,
                                        settings_.stop_bits);
    }
    // The link's own watch decides when a request has no answer; the client's time-out is
    // only a backstop behind it.
    client_->setTimeout(settings_.timeout_ms + backstop_ms);
    client_->setNumberOfRetries(0);
    connect(client_, &QModbusDevice::stateChanged, this, [this](QModbusDevice::State s) {
        if (s == QModbusDevice::ConnectedState) {
            open_finished({});
        } else if (s == QModbusDevice::UnconnectedState) {
            // The error that says why comes after the state: give it its turn first.
            QTimer::singleShot(0, this, [this] {
                open_finished(client_ && !client_->errorString().isEmpty()
                                  ? reason_of(client_->errorString())
                                  : "Connection closed");
            });
        }
    });
    connect(client_, &QModbusDevice::errorOccurred, this, [this](QModbusDevice::Error e) {
        if (e == QModbusDevice::ConnectionError)
            open_finished(reason_of(client_->errorString()));
    });
}

void qt_modbus_link::open(open_handler done) {
    make_client();
    pending_open_ = std::move(done);
    connect_timer_.start(settings_.timeout_ms);
    if (!client_->connectDevice())
        open_finished(reason_of(client_->errorString()));
}

void qt_modbus_link::open_finished(std::string reason) {
    if (!pending_open_)
        return;
    connect_timer_.stop();
    auto done = std::move(pending_open_);
    pending_open_ = nullptr;
    if (reason.empty() && !is_open())
        reason = "Connection closed";
    done(std::move(reason));
}

void qt_modbus_link::close() {
    connect_timer_.stop();
    if (!client_)
        return;
    // The client may be in the middle of emitting a signal: it goes on the next turn of the
    // event loop, and nothing it or its replies still say reaches the link.
    auto* client = client_;
    client_ = nullptr;
    client->disconnect(this);
    for (auto* reply : client->findChildren<QModbusReply*>())
        reply->disconnect(this);
    client->disconnectDevice();
    client->deleteLater();
}

bool qt_modbus_link::is_open() const {
    return client_ && client_->state() == QModbusDevice::ConnectedState;
}

void qt_modbus_link::when_open(std::function<void()> send, const reply_handler& done) {
    if (is_open()) {
        send();
        return;
    }
    open([send = std::move(send), done](std::string reason) {
        if (reason.empty())
            send();
        else
            done({{}, std::move(reason), true});
    });
}

void qt_modbus_link::read(int address, int count, reply_handler done) {
    when_open(
        [this, address, count, done] {
            QModbusDataUnit unit(QModbusDataUnit::HoldingRegisters, address,
                                 static_cast<quint16>(count));
            watch(client_->sendReadRequest(unit, settings_.unit), address, count, true, done);
        },
        done);
}

void qt_modbus_link::write(int address, std::vector<std::uint16_t> words, reply_handler done) {
    when_open(
        [this, address, words = std::move(words), done] {
            QModbusDataUnit unit(QModbusDataUnit::HoldingRegisters, address,
                                 QList<quint16>(words.begin(), words.end()));
            watch(client_->sendWriteRequest(unit, settings_.unit), address,
                  static_cast<int>(words.size()), false, done);
        },
        done);
}

void qt_modbus_link::watch(QModbusReply* reply, int address, int count, bool is_read,
                           reply_handler done) {
    if (!reply) {
        done({{}, client_->errorString().toStdString(), !is_open()});
        return;
    }
    if (reply->isFinished()) {
        finished(reply, address, count, is_read, done);
        return;
    }
    auto* timer = new QTimer(reply);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, reply, done] {
        reply->disconnect(this);
        close();
        done({{}, std::string(live_messages::no_answer), false});
    });
    connect(reply, &QModbusReply::finished, this,
            [this, reply, timer, address, count, is_read, done] {
                timer->stop();
                finished(reply, address, count, is_read, done);
            });
    timer->start(settings_.timeout_ms);
}

link_reply qt_modbus_link::failure(QModbusReply* reply) {
    switch (reply->error()) {
    case QModbusDevice::ProtocolError:
        if (reply->rawResult().isException())
            return {{}, live_messages::exception_name(reply->rawResult().exceptionCode()), false};
        break;
    case QModbusDevice::TimeoutError:
        close();
        return {{}, std::string(live_messages::no_answer), false};
    case QModbusDevice::ConnectionError:
    case QModbusDevice::ReplyAbortedError:
        return {{}, reply->errorString().toStdString(), true};
    default:
        break;
    }
    if (!is_open())
        return {{}, reply->errorString().toStdString(), true};
    return {{}, malformed, false};
}

void qt_modbus_link::finished(QModbusReply* reply, int address, int count, bool is_read,
                              const reply_handler& done) {
    reply->deleteLater();
    if (reply->error() != QModbusDevice::NoError) {
        done(failure(reply));
        return;
    }
    const auto unit = reply->result();
    const auto function = reply->rawResult().functionCode();
    bool function_ok = is_read ? function == QModbusPdu::ReadHoldingRegisters
                               : function == QModbusPdu::WriteSingleRegister ||
                                     function == QModbusPdu::WriteMultipleRegisters;
    if (!function_ok || unit.registerType() != QModbusDataUnit::HoldingRegisters ||
        unit.startAddress() != address || static_cast<int>(unit.valueCount()) != count) {
        done({{}, mismatch, false});
        return;
    }
    link_reply ok;
    if (is_read) {
        const auto values = unit.values();
        ok.words.assign(values.begin(), values.end());
    }
    done(std::move(ok));
}
