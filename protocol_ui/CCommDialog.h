#pragma once
// "Modbus/Siemens protocol setup": serial settings with the RTU/ASCII bit mode. Devices RDX
// and HQP offer neither 7 data bits nor ASCII; 57600 baud is offered for HQP only.

#include "protocol_ui/CSerialDialog.h"

class CCommDialog : public CSerialDialog {
    Q_OBJECT
  public:
    explicit CCommDialog(const protocol_dialog_values& preset, QWidget* parent = nullptr);

  protected:
    int mode_value(int position) const override { return position == 1 ? 1 : 0; }
};
