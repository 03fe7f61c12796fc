#pragma once
// SIGINT and SIGTERM handed to a handler of the program's own for as long as the object
// lives, so that Ctrl+C or a kill ends the work in hand in order instead of the program; the
// previous handlers come back when it goes. Interrupted system calls go on (SA_RESTART): the
// work notices the signal by what its handler did.

#include <csignal>

class stop_signal_scope {
  public:
    // handler may do only what a signal handler may: set a lock-free flag, write to a pipe.
    explicit stop_signal_scope(void (*handler)(int));
    ~stop_signal_scope();
    stop_signal_scope(const stop_signal_scope&) = delete;
    stop_signal_scope& operator=(const stop_signal_scope&) = delete;

  private:
    struct sigaction previous_int_ {};
    struct sigaction previous_term_ {};
};
