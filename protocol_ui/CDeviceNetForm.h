#pragma once
// The DeviceNet settings form: the defined blocks, byte order and the register counts.

#include "protocol_ui/CBlockMappedForm.h"

class CDeviceNetForm : public CBlockMappedForm {
    Q_OBJECT
  public:
    CDeviceNetForm(CTessalyDoc* doc, QWidget* parent);

    CChoiceGroup* byte_order() const { return byte_order_; }

  protected:
    void fill_controls(protocol_header& header) override;
    void read_controls(bool complain) override;

  private:
    CChoiceGroup* byte_order_;
};
