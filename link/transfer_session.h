#pragma once
// Who a transfer answers to: the user interface that shows its messages and progress, and
// the token that stops it. A transfer may run on a thread of its own; then the user
// interface must be one that may be called from that thread.

#include "link/cancel_token.h"

class user_interface;

struct transfer_session {
    user_interface& ui;
    const cancel_token& cancel;
};
