#pragma once
// The traffic of the Live Values window: rounds of reads every interval through the Qt
// SerialBus host link (the next round starts when the last one is done and the interval is
// up, so a slow card is never asked twice at once), and the writes the user asks for, sent
// between rounds and followed by a round at once so that the written value shows. Nothing
// waits: every request is asynchronous. Stopping drops the link at once; nothing the card
// still sends reaches the window.

#include "live/live_map.h"
#include "live/live_poller.h"
#include "live/live_writer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class qt_modbus_link;

class CLiveSession : public QObject {
    Q_OBJECT
  public:
    explicit CLiveSession(QObject* parent = nullptr);
    ~CLiveSession() override;

    // The registers read from the next round on (in the order the rounds give readings).
    void set_registers(std::vector<live_register> registers);
    const std::vector<live_register>& registers() const { return registers_; }

    void set_interval_ms(int ms);
    int interval_ms() const { return interval_ms_; }

    // Starts polling the card at settings; the first round at once.
    void start(const connection_settings& settings);
    // Stops at once: the link is dropped, a write not yet answered is forgotten.
    void stop();
    bool running() const { return link_ != nullptr; }
    // HOST:PORT or the serial port, as messages name the card.
    std::string target() const;

    using write_handler = std::function<void(write_outcome, std::string message)>;
    // Writes words to reg between rounds; done gets the outcome (unless the session stops
    // first). Only while running.
    void write(const live_register& reg, std::vector<std::uint16_t> words, write_handler done);

  signals:
    // A round is about to start: the last moment to give it other registers.
    void round_starting();
    // A round is done; its readings follow registers().
    void round_finished(const poll_result& result);

  private:
    struct pending_write {
        live_register reg;
        std::vector<std::uint16_t> words;
        write_handler done;
    };

    void start_round();
    void round_done(const poll_result& result);
    // Sends the next queued write; true when one was sent.
    bool send_next_write();
    void schedule_round(int delay_ms);

    std::unique_ptr<qt_modbus_link> link_;
    std::unique_ptr<live_poller> poller_;
    std::vector<live_register> registers_;
    bool registers_changed_ = true;
    int interval_ms_ = 1000;
    QTimer next_round_;
    QElapsedTimer round_clock_;
    std::deque<pending_write> writes_;
    bool writing_ = false;
    // Renewed on every start and stop, so that a handler of an earlier link does nothing.
    std::shared_ptr<int> epoch_;
};
