#include "link/transfer_link.h"

#include "core/user_interface.h"
#include "link/CSerialHandler.h"
#include "link/link_messages.h"
#include "link/link_state.h"
#include "link/transfer_messages.h"

bool open_transfer_link(const link_state& link, CSerialHandler& handler) {
    switch (link.link_type()) {
    case link_usb:
        if (!link.usb_connected()) {
            ui().message(msg_usb_not_available);
            return false;
        }
        handler.attach_usb(link.usb_device());
        link.usb_device().flush_channel(UsbHidDevice::data_report_id);
        return true;
    case link_com:
        if (handler.open_com(link.com_port(), com_mode) != com_open_ok) {
            ui().detailed_message(msg_com_open_failed, handler.failure_cause());
            return false;
        }
        return true;
    default:
        ui().message(msg_no_link);
        return false;
    }
}

bool send_frame_retrying(CSerialHandler& handler, std::string_view payload, int calls) {
    auto bytes = reinterpret_cast<const std::uint8_t*>(payload.data());
    for (int call = 0; call < calls; ++call)
        if (handler.send_frame(bytes, payload.size()))
            return true;
    return false;
}
