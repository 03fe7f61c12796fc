#pragma once
// Waiting on the event loop: for a condition, and for texts handed to the single-instance
// channel by another thread while this one runs the listening channel's events.

#include "app/CInstanceChannel.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

#include <atomic>
#include <functional>
#include <thread>

// Runs the event loop until done() holds (at most ten seconds).
inline void wait_until(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000)
        QTest::qWait(10);
}

// Delivers texts to the channel called name from another thread; true when they went.
inline bool deliver_from_thread(const QString& name, const QStringList& texts) {
    std::atomic<int> result{-1};
    std::thread sender([&] { result = CInstanceChannel::deliver(name, texts, 5000) ? 1 : 0; });
    wait_until([&] { return result >= 0; });
    sender.join();
    return result == 1;
}

// A channel that listens under a name and records the commands it receives.
struct listening_channel {
    explicit listening_channel(const QString& name) : channel(name), listening(channel.listen()) {}

    CInstanceChannel channel;
    bool listening;
    QSignalSpy received{&channel, &CInstanceChannel::command_received};
};
