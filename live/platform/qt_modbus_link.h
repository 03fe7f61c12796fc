#pragma once
// The host link on Qt SerialBus: a QModbusTcpClient or a QModbusRtuSerialClient, made anew
// on every open so that a card that went away is reached again from a clean state. Handlers
// run on the Qt event loop of the thread that owns the link. Every answer is checked against
// its request (function, address, count) before its words are passed on, so that a card that
// answers the wrong thing gives an error, never wrong words. A request without a complete
// answer within the time-out is "No answer", and the connection is then dropped, since what
// is left in its receive buffer cannot be trusted; the next request connects again.

#include "live/host_link.h"
#include "live/live_map.h"

#include <QObject>
#include <QTimer>

#include <functional>

class QModbusClient;
class QModbusReply;

class qt_modbus_link final : public QObject, public host_link {
  public:
    explicit qt_modbus_link(connection_settings settings, QObject* parent = nullptr);
    ~qt_modbus_link() override;

    void open(open_handler done) override;
    void close() override;
    bool is_open() const override;
    std::string target() const override { return settings_.target(); }

    void read(int address, int count, reply_handler done) override;
    void write(int address, std::vector<std::uint16_t> words, reply_handler done) override;

  private:
    void make_client();
    void open_finished(std::string reason);
    // Runs send once the link is open, or gives done the reason it could not be opened.
    void when_open(std::function<void()> send, const reply_handler& done);
    // Watches a sent request: its answer, or "No answer" after the time-out.
    void watch(QModbusReply* reply, int address, int count, bool is_read, reply_handler done);
    // Hands a finished reply to done once its checks are made.
    void finished(QModbusReply* reply, int address, int count, bool is_read,
                  const reply_handler& done);
    // The reply of a request that failed; a time-out drops the connection.
    link_reply failure(QModbusReply* reply);

    connection_settings settings_;
    QModbusClient* client_ = nullptr; // a child of the link
    open_handler pending_open_;
    QTimer connect_timer_;
};
