#pragma once
// The Allen-Bradley settings form. On devices RDX and HQP it offers 8 data bits only and
// turns a stored 7 into 8 with a message, without marking the document modified.

#include "protocol_ui/CSerialForm.h"

class CComm2Form : public CSerialForm {
    Q_OBJECT
  public:
    CComm2Form(CTessalyDoc* doc, QWidget* parent);

  protected:
    void apply_device_rule(protocol_header& header) override;
    // Check mode 2 is "BCC", 3 is "CRC".
    int mode_position(int mode) const override { return mode == 2 ? 0 : mode == 3 ? 1 : -1; }
    int mode_value(int position) const override { return position + 2; }
};
