#pragma once
// "ModbusPlus params:": the global data settings ("GDB Setting"), node number and byte order.

#include "protocol_ui/CSettingsDialog.h"

class CIntegerEdit;

class CMbplusDialog : public CSettingsDialog {
    Q_OBJECT
  public:
    explicit CMbplusDialog(const protocol_dialog_values& preset, QWidget* parent = nullptr);

    CIntegerEdit* source_id() const { return source_id_; }
    CIntegerEdit* number_of_words() const { return number_of_words_; }
    CIntegerEdit* offset_in_gdb() const { return offset_in_gdb_; }
    CIntegerEdit* node() const { return node_; }
    CChoiceGroup* byte_order() const { return byte_order_; }

  protected:
    bool read_into(protocol_dialog_values& out) override;

  private:
    CIntegerEdit* source_id_;
    CIntegerEdit* number_of_words_;
    CIntegerEdit* offset_in_gdb_;
    CIntegerEdit* node_;
    CChoiceGroup* byte_order_;
};
