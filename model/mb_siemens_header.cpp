#include "model/mb_siemens_header.h"

#include "core/user_interface.h"
#include "model/model_tables.h"

namespace {
constexpr int mode_rtu = 0;
constexpr int mode_ascii = 1;

// The "Bit mode" choice offers RTU and ASCII only; any other mode counts as RTU.
int transmission_mode(int mode) {
    return mode == mode_ascii ? mode_ascii : mode_rtu;
}
} // namespace

mb_siemens_header::mb_siemens_header(zrp_file* owner, int device_code, bool is_siemens)
    : generic_header(owner, is_siemens ? "Siemens" : "Modbus", device_code, 1, 8, 0, 0, mode_rtu,
                     65535, default_node(device_code), 0),
      siemens(is_siemens) {}

int mb_siemens_header::edit(int /*mode_flags*/) {
    // RDX and HQP cards speak neither 7-bit nor ASCII; the header is adjusted at once and keeps
    // the adjustment even when the dialog is cancelled.
    if ((device_code == device_rdx || device_code == device_hqp) &&
        (data_bits == 7 || mode == mode_ascii)) {
        ui().message("RDX/HQP does not support 7-bit communications or ASCII mode.\nSettings "
                     "have been adjusted accordingly");
        data_bits = 8;
        mode = mode_rtu;
    }
    protocol_dialog_values values = dialog_values();
    values.mode = transmission_mode(mode);
    int result = dialogs().run_protocol_settings(settings_dialog_kind::modbus_siemens, values);
    if (result == 1) {
        take_serial_values(values);
        mode = transmission_mode(values.mode);
    }
    return result;
}

int mb_siemens_header::apply_form(const protocol_form_values* form) {
    if (form == nullptr || form->filling)
        return 0;
    return take_serial_form(*form, transmission_mode(form->mode));
}
