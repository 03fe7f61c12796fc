#pragma once
// What every transfer does first and last: reach the card over the selected link, and
// send acknowledged frames with the transfers' retry counts.

#include "link/CSerialHandler.h"

#include <string_view>

class link_state;

// The COM mode every transfer uses.
inline constexpr const char* com_mode = "19200,n,8,1";

// Binds handler to the selected link: the USB device when USB is selected and attached
// (its data ring emptied first), or the COM port opened exclusively. Shows the reason
// through the handler's user interface and returns false when there is no usable link.
bool open_transfer_link(const link_state& link, CSerialHandler& handler);

// Sends payload as one frame with up to `calls` calls of send_frame_answer (each with its own
// transmissions) until the card takes it. While the card stays silent the progress display
// of the handler's user interface says so ("No answer from the card, transmission 5 of 12");
// the note goes when the card answers. A garbled answer ends the calls when
// stop_on_garbled, else counts as a refusal. Returns the last answer.
frame_answer send_frame_calls(CSerialHandler& handler, std::string_view payload, int calls,
                              bool stop_on_garbled);

// send_frame_calls for the send: true when the card took the frame.
bool send_frame_retrying(CSerialHandler& handler, std::string_view payload, int calls);
