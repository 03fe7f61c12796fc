#include "live_ui/CLiveSession.h"

#include "live/platform/qt_modbus_link.h"

#include <algorithm>

CLiveSession::CLiveSession(QObject* parent) : QObject(parent), epoch_(std::make_shared<int>(0)) {
    next_round_.setSingleShot(true);
    connect(&next_round_, &QTimer::timeout, this, &CLiveSession::start_round);
}

CLiveSession::~CLiveSession() {
    stop();
}

void CLiveSession::set_registers(std::vector<live_register> registers) {
    registers_ = std::move(registers);
    registers_changed_ = true;
}

void CLiveSession::set_interval_ms(int ms) {
    interval_ms_ = std::max(1, ms);
    // A round waiting for a long interval starts no later than the new one asks.
    if (next_round_.isActive())
        schedule_round(std::max<qint64>(0, interval_ms_ - round_clock_.elapsed()));
}

std::string CLiveSession::target() const {
    return link_ ? link_->target() : std::string();
}

void CLiveSession::start(const connection_settings& settings) {
    stop();
    link_ = std::make_unique<qt_modbus_link>(settings);
    registers_changed_ = true;
    schedule_round(0);
}

void CLiveSession::stop() {
    next_round_.stop();
    epoch_ = std::make_shared<int>(0);
    writes_.clear();
    writing_ = false;
    poller_.reset();
    if (link_) {
        // The link may be the one whose handler runs now: it goes once that is done, and its
        // close() has cut it off from everything it was still waiting for.
        link_->close();
        link_.release()->deleteLater();
    }
}

void CLiveSession::schedule_round(int delay_ms) {
    next_round_.start(std::max(0, delay_ms));
}

void CLiveSession::start_round() {
    if (!link_ || writing_ || (poller_ && poller_->busy()))
        return;
    emit round_starting();
    if (!link_)
        return; // stopped by a slot of round_starting
    if (registers_changed_ || !poller_) {
        poller_ = std::make_unique<live_poller>(*link_, registers_);
        registers_changed_ = false;
    }
    round_clock_.restart();
    std::weak_ptr<int> epoch = epoch_;
    poller_->poll([this, epoch](const poll_result& result) {
        if (!epoch.expired())
            round_done(result);
    });
}

void CLiveSession::round_done(const poll_result& result) {
    std::weak_ptr<int> epoch = epoch_;
    emit round_finished(result);
    if (epoch.expired())
        return; // stopped by a slot of round_finished
    if (send_next_write())
        return;
    schedule_round(static_cast<int>(std::max<qint64>(0, interval_ms_ - round_clock_.elapsed())));
}

void CLiveSession::write(const live_register& reg, std::vector<std::uint16_t> words,
                         write_handler done) {
    if (!link_)
        return;
    writes_.push_back({reg, std::move(words), std::move(done)});
    if (!writing_ && !(poller_ && poller_->busy())) {
        next_round_.stop();
        send_next_write();
    }
}

bool CLiveSession::send_next_write() {
    if (writes_.empty() || !link_)
        return false;
    writing_ = true;
    auto job = std::make_shared<pending_write>(std::move(writes_.front()));
    writes_.pop_front();
    std::weak_ptr<int> epoch = epoch_;
    send_write(*link_, job->reg, job->words,
               [this, epoch, job](write_outcome outcome, std::string message) {
                   if (epoch.expired())
                       return;
                   writing_ = false;
                   if (job->done)
                       job->done(outcome, std::move(message));
                   if (epoch.expired() || send_next_write())
                       return;
                   // The written value shows with the next round, which starts now.
                   schedule_round(0);
               });
    return true;
}
