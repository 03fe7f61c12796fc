#pragma once
// The user interface a transfer sees on its worker thread. Every call is carried over to the
// thread of a context object (the user-interface thread) through its event queue: messages
// and questions go to the front user interface there, and the worker waits for the answer
// (the user-interface thread never waits for the worker); progress goes to the transfer's
// progress window without waiting. Once abandoned (the context goes away), nothing more is
// carried over and every question still open is answered Cancel / No.

#include "core/user_interface.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

class CWorkerUserInterface final : public user_interface, public progress_display {
  public:
    // context, front and window live on the user-interface thread and must outlive this
    // object or, for context, be abandoned before they go.
    CWorkerUserInterface(QObject* context, user_interface& front, progress_display& window);

    // Called on the user-interface thread before the context goes: ends every wait.
    void abandon();
    // Runs call on the context's thread without waiting (nothing after abandon).
    void post(std::function<void()> call);

    void message(const std::string& text) override;
    void detailed_message(const std::string& text, const std::string& detail) override;
    bool ask_retry_cancel(const std::string& text) override;
    bool ask_yes_no(const std::string& text) override;
    bool ask_yes_no_default_no(const std::string& text) override;
    progress_display& progress() override { return *this; }

    void open(const std::string& title, int low, int high) override;
    void set_range(int low, int high) override;
    void set_position(int position) override;
    void set_note(const std::string& note) override;
    void close() override;

  private:
    // Runs call on the context's thread and waits for its answer; fallback once abandoned.
    bool ask(std::function<bool()> call, bool fallback);
    // Queues call for the context's thread, where it runs only if this object was not
    // abandoned meanwhile. The caller holds mutex_.
    void queue(std::function<void()> call);

    QObject* context_;
    user_interface& front_;
    progress_display& window_;
    std::mutex mutex_;
    std::condition_variable answered_;
    bool abandoned_ = false;
    // Read and cleared on the context's thread only: calls still queued when this object is
    // abandoned find it false and do nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
