#pragma once
// "Device Net params:": byte order, the defined blocks, memory usage and the way into the
// block definitions editor.

#include "protocol_ui/CBlockSettingsDialog.h"

class CDeviceNetDialog : public CBlockSettingsDialog {
    Q_OBJECT
  public:
    explicit CDeviceNetDialog(const protocol_dialog_values& preset, QWidget* parent = nullptr);

    CChoiceGroup* byte_order() const { return byte_order_; }

  protected:
    bool read_into(protocol_dialog_values& out) override;

  private:
    CChoiceGroup* byte_order_;
};
