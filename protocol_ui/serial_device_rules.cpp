#include "protocol_ui/serial_device_rules.h"

#include "document/editor_ui.h"
#include "model/model_tables.h"
#include "model/protocol_header.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CProtocolForm.h"
#include "protocol_ui/CSettingsDialog.h"

#include <QRadioButton>

namespace {
constexpr int seven_bits = 0; // positions of the choices
constexpr int eight_bits = 1;
constexpr int rtu = 0;
constexpr int ascii = 1;
constexpr int baud_57600 = 3;
constexpr int mode_rtu = 0;
constexpr int mode_ascii = 1;

bool rdx_or_hqp(int device) {
    return device == device_rdx || device == device_hqp;
}

// Every button of the form's choices is offered again before a rule runs.
void enable_all(const CProtocolForm& form) {
    for (const auto& [field, widget] : form.controls().all())
        if (auto* group = qobject_cast<CChoiceGroup*>(widget))
            for (int i = 0; i < group->count(); ++i)
                group->button(i)->setEnabled(true);
}

// Takes a button away: unchecked when it was checked, and disabled.
void withdraw(CChoiceGroup* group, int position) {
    if (group->checked() == position)
        group->set_checked(-1);
    group->button(position)->setEnabled(false);
}

void only_eight_bits(CChoiceGroup* data_bits) {
    withdraw(data_bits, seven_bits);
    data_bits->set_checked(eight_bits);
}
} // namespace

void allen_bradley_form_rule(CProtocolForm& form, protocol_header& h) {
    enable_all(form);
    if (!rdx_or_hqp(h.device_code))
        return;
    only_eight_bits(form.choice(header_field::data_bits));
    if (h.data_bits == 7) {
        editor_ui().message("The RDX does not support 7-bit communications.\nSettings have been "
                            "adjusted accordingly.");
        form.adjust_header(h, 8, h.mode, false);
    }
}

void modbus_form_rule(CProtocolForm& form, protocol_header& h) {
    enable_all(form);
    CChoiceGroup* baud = form.choice(header_field::baud);
    CChoiceGroup* mode = form.choice(header_field::mode);
    if (rdx_or_hqp(h.device_code)) {
        only_eight_bits(form.choice(header_field::data_bits));
        if (h.data_bits == 7 || h.mode == mode_ascii) {
            editor_ui().message("The RDX/HQP does not support ASCII or 7-bit mode.\nThese settings "
                                "have been changed.");
            form.adjust_header(h, 8, mode_rtu, true);
        }
        withdraw(mode, ascii);
        mode->set_checked(rtu);
    }
    if (h.device_code != device_hqp)
        withdraw(baud, baud_57600);
}

void allen_bradley_dialog_rule(CSettingsDialog& dialog, int device) {
    if (rdx_or_hqp(device))
        only_eight_bits(dialog.choice(header_field::data_bits));
}

void modbus_dialog_rule(CSettingsDialog& dialog, int device) {
    if (rdx_or_hqp(device)) {
        only_eight_bits(dialog.choice(header_field::data_bits));
        withdraw(dialog.choice(header_field::mode), ascii);
        dialog.choice(header_field::mode)->set_checked(rtu);
    }
    if (device != device_hqp)
        withdraw(dialog.choice(header_field::baud), baud_57600);
}
