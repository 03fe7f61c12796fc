#pragma once
// Every wait of the link in one place, so that tests and the fault matrix can shorten them.
// The defaults are the card protocol's values.

#include "link/cancel_token.h"

#include <functional>

struct link_timing {
    // Read time-out set when a COM port is opened.
    int com_read_timeout_ms = 10000;
    // Read time-out of a new handler on the USB link.
    int usb_read_timeout_ms = 30000;
    // How long exit waits for the USB reader thread to end.
    int reader_stop_wait_ms = 5000;
    // How long an extraction listens after the card acknowledged its "END" for bytes that
    // should not be there (a late second answer to a request that went out twice).
    int exchange_quiet_ms = 50;
    // Pauses of the transfers (for example before the first register line of a send); a
    // pause ends early when the transfer is cancelled.
    std::function<void(int ms, const cancel_token& cancel)> sleep =
        [](int ms, const cancel_token& cancel) { cancel.wait_for(ms); };
};
