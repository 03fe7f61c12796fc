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
    struct sigaction action {};
    action.sa_handler = on_interrupt;
    sigemptyset(&action.sa_mask);
    // Interrupted waits go on; the transfer looks at the token between its short waits.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previous_int_);
    sigaction(SIGTERM, &action, &previous_term_);
}

interrupt_cancel::~interrupt_cancel() {
    sigaction(SIGINT, &previous_int_, nullptr);
    sigaction(SIGTERM, &previous_term_, nullptr);
    active.store(nullptr);
}
