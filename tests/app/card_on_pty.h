#pragma once
// What the editor's transfer tests share: a card emulator on a real pseudo-terminal, served
// by a thread for the test's lifetime.

#include "event_loop_wait.h"
#include "sim/card_transcript.h"
#include "sim/ombra_card.h"
#include "sim/pty_card_server.h"

#include <QElapsedTimer>
#include <QString>
#include <QTest>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

// A card on a pseudo-terminal whose terminal end link_path names.
class card_on_pty {
  public:
    card_on_pty(card_options options, const QString& link_path)
        : card(std::move(options), &transcript), server(card) {
        std::string error;
        ok = server.open(link_path.toStdString(), error);
        if (ok)
            thread = std::thread([this] { server.serve(stop, 10); });
    }
    ~card_on_pty() {
        stop = true;
        if (thread.joinable())
            thread.join();
    }
    card_transcript transcript; // every frame the card got and every answer it gave
    ombra_card card;
    pty_card_server server;
    std::atomic<bool> stop{false};
    std::thread thread;
    bool ok = false;
};
