#pragma once
// The Modbus/Siemens settings form. On devices RDX and HQP it offers neither 7 data bits nor
// ASCII and turns stored ones into 8 bits and RTU with a message, marking the document
// modified; 57600 baud is offered for HQP only.

#include "protocol_ui/CSerialForm.h"

class CCommFORM : public CSerialForm {
    Q_OBJECT
  public:
    CCommFORM(CTessalyDoc* doc, QWidget* parent);

  protected:
    void apply_device_rule(protocol_header& header) override;
    int mode_value(int position) const override { return position == 1 ? 1 : 0; }
};
