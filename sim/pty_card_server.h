#pragma once
// Puts an ombra_card on a pseudo-terminal: the card listens on the master side while the
// host opens the terminal end through a symbolic link, exactly as it would open a serial
// port. The server keeps its own descriptor on the terminal end so that the terminal
// survives the host opening and closing it between transfers.

#include "sim/ombra_card.h"
#include "sim/pseudo_terminal.h"

#include <atomic>
#include <string>

class card_transcript;

class pty_card_server {
  public:
    // card and transcript (optional) must outlive the server.
    explicit pty_card_server(ombra_card& card, card_transcript* transcript = nullptr);
    pty_card_server(const pty_card_server&) = delete;
    pty_card_server& operator=(const pty_card_server&) = delete;

    // Opens a pseudo-terminal in raw mode and makes link_path a symbolic link to its
    // terminal end (replacing an older symbolic link there, never another file). False with
    // the reason when that fails.
    bool open(const std::string& link_path, std::string& error);

    // Answers the host until `stop` becomes true (checked at least every idle_ms) or the
    // terminal fails. Flushes the transcript whenever the line has been quiet for idle_ms.
    void serve(const std::atomic<bool>& stop, int idle_ms = 50);

    // The terminal end's own name (e.g. /dev/pts/3).
    const std::string& terminal_name() const { return terminal_.terminal_name(); }

  private:
    bool write_all(const std::vector<std::uint8_t>& bytes, const std::atomic<bool>& stop);

    ombra_card& card_;
    card_transcript* transcript_;
    pseudo_terminal terminal_;
};
