#pragma once
// "Profibus params:": block sizes (0 to 244), node address (0 to 99) and byte order.

#include "protocol_ui/CSettingsDialog.h"

class CIntegerEdit;

class CProfibusDialog : public CSettingsDialog {
    Q_OBJECT
  public:
    explicit CProfibusDialog(const protocol_dialog_values& preset, QWidget* parent = nullptr);

    CIntegerEdit* input_size() const { return input_size_; }
    CIntegerEdit* output_size() const { return output_size_; }
    CIntegerEdit* node() const { return node_; }
    CChoiceGroup* byte_order() const { return byte_order_; }

  protected:
    bool read_into(protocol_dialog_values& out) override;

  private:
    CIntegerEdit* input_size_;
    CIntegerEdit* output_size_;
    CIntegerEdit* node_;
    CChoiceGroup* byte_order_;
};
