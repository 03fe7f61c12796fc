#pragma once
// Base of the serial settings dialogs (Allen-Bradley, Modbus/Siemens, generic): baud rate,
// data bits, parity, stop bits, byte order, an optional bit mode and the node number.

#include "protocol_ui/CSettingsDialog.h"

#include <span>

class CIntegerEdit;

class CSerialDialog : public CSettingsDialog {
    Q_OBJECT
  public:
    CChoiceGroup* baud() const { return baud_; }
    CChoiceGroup* data_bits() const { return data_bits_; }
    CChoiceGroup* parity() const { return parity_; }
    CChoiceGroup* stop_bits() const { return stop_bits_; }
    CChoiceGroup* byte_order() const { return byte_order_; }
    CChoiceGroup* bit_mode() const { return bit_mode_; } // nullptr for the generic dialog
    CIntegerEdit* node() const { return node_; }

  protected:
    // mode_labels empty: no "Bit mode" group.
    CSerialDialog(const QString& title, const protocol_dialog_values& preset,
                  std::span<const char* const> baud_labels,
                  std::span<const char* const> mode_labels, QWidget* parent);

    bool read_into(protocol_dialog_values& out) override;
    // Bit mode position of a stored mode, and the stored mode of a position.
    virtual int mode_position(int mode) const { return mode; }
    virtual int mode_value(int position) const { return position; }
    // Unchecks and disables one button, as the device rules do.
    static void withdraw(CChoiceGroup* group, int position);
    // Presets every control from the dialog's copy (called by the subclass constructor).
    void preset_controls();

  private:
    CChoiceGroup* baud_;
    CChoiceGroup* data_bits_;
    CChoiceGroup* parity_;
    CChoiceGroup* stop_bits_;
    CChoiceGroup* byte_order_;
    CChoiceGroup* bit_mode_ = nullptr;
    CIntegerEdit* node_;
};
