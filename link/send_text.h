#pragma once
// Sending a register map to the card: the lines the card needs, one acknowledged frame each,
// then "END". Runs synchronously with a progress display and reports its outcome through
// the user interface.

#include <istream>

class link_state;

// Calls of send_frame per line and for "END" before the send gives up.
inline constexpr int send_calls_per_frame = 4;
// Pause before the first register line, so the card can prepare its register table.
inline constexpr int register_pause_ms = 1000;
// Longest line a map may hold; a longer one refuses the whole map before anything is sent.
inline constexpr std::size_t max_send_line = 199;

// Sends the text of `in` (a map file or a map written into memory) over the selected link.
// The stream must be rewindable: it is read once to count the lines and once to send them.
// True when the card acknowledged "END".
bool send_text(const link_state& link, std::istream& in);
