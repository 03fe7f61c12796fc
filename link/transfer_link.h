#pragma once
// What every transfer does first and last: reach the card over the selected link, and
// send acknowledged frames with the transfers' retry counts.

#include <string_view>

class CSerialHandler;
class link_state;

// The COM mode every transfer uses.
inline constexpr const char* com_mode = "19200,n,8,1";

// Binds handler to the selected link: the USB device when USB is selected and attached
// (its data ring emptied first), or the COM port opened exclusively. Shows the reason and
// returns false when there is no usable link.
bool open_transfer_link(const link_state& link, CSerialHandler& handler);

// Sends payload as one frame with up to `calls` calls of send_frame (each with its own
// transmissions); true on the first acknowledged call.
bool send_frame_retrying(CSerialHandler& handler, std::string_view payload, int calls);
