#include "app/CWorkerUserInterface.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

CWorkerUserInterface::CWorkerUserInterface(QObject* context, user_interface& front,
                                           progress_display& window)
    : context_(context), front_(front), window_(window) {}

void CWorkerUserInterface::abandon() {
    *alive_ = false;
    {
        std::lock_guard lock(mutex_);
        abandoned_ = true;
    }
    answered_.notify_all();
}

void CWorkerUserInterface::queue(std::function<void()> call) {
    QMetaObject::invokeMethod(
        context_,
        [alive = alive_, call = std::move(call)] {
            if (*alive)
                call();
        },
        Qt::QueuedConnection);
}

void CWorkerUserInterface::post(std::function<void()> call) {
    // Queued under the lock: once abandon() has returned, nothing more reaches the context.
    std::lock_guard lock(mutex_);
    if (!abandoned_)
        queue(std::move(call));
}

bool CWorkerUserInterface::ask(std::function<bool()> call, bool fallback) {
    struct reply {
        bool done = false;
        bool answer = false;
    };
    // Asked on the context's own thread, waiting for the queue would wait forever.
    if (QThread::currentThread() == context_->thread())
        return call();
    auto r = std::make_shared<reply>();
    std::unique_lock lock(mutex_);
    if (abandoned_)
        return fallback;
    queue([this, r, call = std::move(call)] {
        const bool answer = call();
        {
            std::lock_guard done(mutex_);
            r->answer = answer;
            r->done = true;
        }
        answered_.notify_all();
    });
    answered_.wait(lock, [&] { return r->done || abandoned_; });
    return r->done ? r->answer : fallback;
}

void CWorkerUserInterface::message(const std::string& text) {
    ask(
        [this, text] {
            front_.message(text);
            return true;
        },
        true);
}

void CWorkerUserInterface::detailed_message(const std::string& text, const std::string& detail) {
    ask(
        [this, text, detail] {
            front_.detailed_message(text, detail);
            return true;
        },
        true);
}

bool CWorkerUserInterface::ask_retry_cancel(const std::string& text) {
    return ask([this, text] { return front_.ask_retry_cancel(text); }, false);
}

bool CWorkerUserInterface::ask_yes_no(const std::string& text) {
    return ask([this, text] { return front_.ask_yes_no(text); }, false);
}

bool CWorkerUserInterface::ask_yes_no_default_no(const std::string& text) {
    return ask([this, text] { return front_.ask_yes_no_default_no(text); }, false);
}

void CWorkerUserInterface::open(const std::string& title, int low, int high) {
    post([this, title, low, high] { window_.open(title, low, high); });
}

void CWorkerUserInterface::set_range(int low, int high) {
    post([this, low, high] { window_.set_range(low, high); });
}

void CWorkerUserInterface::set_position(int position) {
    post([this, position] { window_.set_position(position); });
}

void CWorkerUserInterface::set_note(const std::string& note) {
    post([this, note] { window_.set_note(note); });
}

void CWorkerUserInterface::close() {
    post([this] { window_.close(); });
}
