#include "link/transfer_link.h"

#include "core/user_interface.h"
#include "link/frame.h"
#include "link/link_messages.h"
#include "link/link_state.h"
#include "link/transfer_messages.h"

bool open_transfer_link(const link_state& link, CSerialHandler& handler) {
    switch (link.link_type()) {
    case link_usb:
        if (!link.usb_connected()) {
            handler.ui().message(msg_usb_not_available);
            return false;
        }
        handler.attach_usb(link.usb_device());
        link.usb_device().flush_channel(UsbHidDevice::data_report_id);
        return true;
    case link_com:
        if (handler.open_com(link.com_port(), com_mode) != com_open_ok) {
            handler.ui().detailed_message(msg_com_open_failed, handler.failure_cause());
            return false;
        }
        return true;
    default:
        handler.ui().message(msg_no_link);
        return false;
    }
}

frame_answer send_frame_calls(CSerialHandler& handler, std::string_view payload, int calls,
                              bool stop_on_garbled) {
    auto bytes = reinterpret_cast<const std::uint8_t*>(payload.data());
    progress_display& progress = handler.ui().progress();
    const int total = calls * frame_transmissions;
    bool noted = false;
    frame_answer answer = frame_answer::refused;
    for (int call = 0; call < calls; ++call) {
        // The next transmission goes out as soon as this returns: the note names it. Told 0
        // (the first transmission's answer is late), the note names the one on the wire.
        auto on_silence = [&](int transmission) {
            // After the first call the previous silence already named that transmission.
            if (transmission == 0 && call > 0)
                return;
            const int next = call * frame_transmissions + transmission + 1;
            if (next <= total) {
                progress.set_note(no_answer_note(next, total));
                noted = true;
            }
        };
        answer = handler.send_frame_answer(bytes, payload.size(), on_silence);
        if (answer == frame_answer::accepted || answer == frame_answer::cancelled ||
            (answer == frame_answer::garbled && stop_on_garbled))
            break;
    }
    if (noted)
        progress.set_note({});
    return answer;
}

bool send_frame_retrying(CSerialHandler& handler, std::string_view payload, int calls) {
    return send_frame_calls(handler, payload, calls, false) == frame_answer::accepted;
}
