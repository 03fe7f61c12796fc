#pragma once
// Ctrl+C during a transfer: instead of ending the program in the middle of a frame, SIGINT
// (and SIGTERM) cancel the transfer as the editor's Cancel button does, so that it stops after
// the frame on the wire and says what the card may now hold. One at a time; the previous
// handlers come back when it goes.

#include "cli/stop_signal_scope.h"
#include "link/cancel_token.h"

#include <optional>

class interrupt_cancel {
  public:
    interrupt_cancel();
    ~interrupt_cancel();
    interrupt_cancel(const interrupt_cancel&) = delete;
    interrupt_cancel& operator=(const interrupt_cancel&) = delete;

    const cancel_token& token() const { return token_; }

  private:
    cancel_token token_;
    // Set up once the token is where the handler finds it; gone before the token goes.
    std::optional<stop_signal_scope> signals_;
};
