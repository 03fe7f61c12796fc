#include "model/ab_header.h"

#include "core/user_interface.h"
#include "model/model_tables.h"

namespace {
constexpr int mode_bcc = 2;
constexpr int mode_crc = 3;

// The "Bit mode" choice offers BCC and CRC only; any other stored mode counts as CRC.
int bit_mode(int mode) {
    return mode == mode_bcc ? mode_bcc : mode_crc;
}
} // namespace

ab_header::ab_header(zrp_file* owner, int device_code)
    : generic_header(owner, "Allen-Bradley", device_code, 1, 8, 0, 0, mode_bcc, 65535,
                     default_node(device_code), 1) {}

int ab_header::edit(int /*mode_flags*/) {
    // The adjustment is made in the header itself and stays even when the dialog is cancelled.
    if (device_code == device_rdx && data_bits == 7) {
        ui().message("RDX does not support 7-bit communications.\nSettings have been adjusted "
                     "accordingly");
        data_bits = 8;
    }
    protocol_dialog_values values = dialog_values();
    values.mode = bit_mode(mode);
    // RDX and HQP cards have no 7-bit choice: the dialog opens with 8 data bits.
    if (device_code == device_rdx || device_code == device_hqp)
        values.data_bits = 8;
    int result = dialogs().run_protocol_settings(settings_dialog_kind::allen_bradley, values);
    if (result == 1) {
        take_serial_values(values);
        mode = bit_mode(values.mode);
    }
    return result;
}

int ab_header::apply_form(const protocol_form_values* form) {
    if (form == nullptr || form->filling)
        return 0;
    return take_serial_form(*form, bit_mode(form->mode));
}
