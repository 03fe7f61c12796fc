#include "cli/interrupt_cancel.h"

#include <atomic>

namespace {
// The token the handler sets: a lock-free pointer and a lock-free flag, all a signal handler
// may touch.
std::atomic<cancel_token*> active{nullptr};
static_assert(std::atomic<cancel_token*>::is_always_lock_free);

extern "C" void on_interrupt(int) {
    if (cancel_token* token = active.load())
        token->cancel();
}
} // namespace

interrupt_cancel::interrupt_cancel() {
    active.store(&token_);
    // Interrupted waits go on; the transfer looks at the token between its short waits.
    signals_.emplace(on_interrupt);
}

interrupt_cancel::~interrupt_cancel() {
    signals_.reset();
    active.store(nullptr);
}
