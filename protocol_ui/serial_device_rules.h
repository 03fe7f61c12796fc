#pragma once
// What the serial settings windows offer a device: RDX and HQP cards take 8 data bits only, and
// Modbus/Siemens on them neither ASCII; 57600 baud is for HQP alone. The forms also correct a
// header that holds what its device refuses, and say so.

class CProtocolForm;
class CSettingsDialog;
class protocol_header;

void allen_bradley_form_rule(CProtocolForm& form, protocol_header& header);
void modbus_form_rule(CProtocolForm& form, protocol_header& header);
void allen_bradley_dialog_rule(CSettingsDialog& dialog, int device_code);
void modbus_dialog_rule(CSettingsDialog& dialog, int device_code);
