#pragma once
// "Allen-Bradley Comm Setup": serial settings with the BCC/CRC bit mode. Devices RDX and HQP
// offer 8 data bits only.

#include "protocol_ui/CSerialDialog.h"

class CComm2Dialog : public CSerialDialog {
    Q_OBJECT
  public:
    explicit CComm2Dialog(const protocol_dialog_values& preset, QWidget* parent = nullptr);

  protected:
    // "BCC" for check mode 2, "CRC" for any other stored value.
    int mode_position(int mode) const override { return mode == 2 ? 0 : 1; }
    int mode_value(int position) const override { return position == 1 ? 3 : 2; }
};
