#pragma once
// A transfer's stop request. Whoever started the transfer (a Cancel button, Ctrl+C) sets it
// from any thread; the transfer looks at it between frames and while it waits for the card,
// and stops after the frame on the wire. Setting it is a single lock-free store, so a signal
// handler may do it.

#include <atomic>

class cancel_token {
  public:
    // How long a wait sleeps before it looks at the token again: the longest a cancel waits
    // to be noticed.
    static constexpr int poll_ms = 20;

    void cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
    // Waits ms milliseconds unless the token is (or becomes) set; true when it is set.
    bool wait_for(int ms) const;

  private:
    std::atomic<bool> cancelled_{false};
    static_assert(std::atomic<bool>::is_always_lock_free);
};
