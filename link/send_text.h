#pragma once
// Sending a register map to the card: the lines the card needs, one acknowledged frame each,
// then "END". Runs synchronously with a progress display and reports its outcome through
// the user interface.

#include "link/transfer_session.h"

#include <istream>
#include <memory>
#include <optional>
#include <string>

class link_state;
class zrp_file;

// Calls of send_frame per line and for "END" before the send gives up.
inline constexpr int send_calls_per_frame = 4;
// Pause before the first register line, so the card can prepare its register table.
inline constexpr int register_pause_ms = 1000;
// Longest line a map may hold; a longer one refuses the whole map before anything is sent.
inline constexpr std::size_t max_send_line = 199;

// Sends the text of `in` (a map file or a map written into memory) over the selected link,
// showing progress and the outcome through the session's user interface. The stream must be
// rewindable: it is read once to count the lines and once to send them. True when the card
// acknowledged "END". A cancelled send stops after the frame on the wire and says that the
// card may hold part of the map, as does a send the card stopped taking part way.
bool send_text(const link_state& link, std::istream& in, const transfer_session& session);
// The same with the user interface in force, not cancellable.
bool send_text(const link_state& link, std::istream& in);

// A map file that is to be sent as stored: its text, and the map the model's reader made of it.
struct send_file_contents {
    std::string text;
    std::unique_ptr<zrp_file> map;
};

// Reads the map file at path to be sent as stored, and makes sure it is a map before the card
// sees any of it: a card that is sent a file which is no map gets the device line and "END" at
// most, and so loses its configuration. A path that is not a readable regular file (missing,
// a folder, a device, a pipe, larger than the input bound) shows "The file could not be
// opened."; a file whose text does not lead the card through the PLC_CHAN, REGMAX, NODENUM and
// HREG lines in that order, or that the model's reader does not load (its load messages shown,
// as every command that opens a map shows them), shows "Unable to open the requested file".
// Each message has the path and the reason as its detail. Both give nothing.
std::optional<send_file_contents> load_send_file(const std::string& path);

// Sends the map file at path as stored (the Send command without a document, a shell send
// request): load_send_file, then send_text. The link is not touched when the file is refused.
bool send_file(const link_state& link, const std::string& path);
