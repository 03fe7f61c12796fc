#pragma once
// Base of the serial settings forms (Allen-Bradley, Modbus/Siemens, generic): the choice
// groups side by side, then the node number.

#include "protocol_ui/CProtocolForm.h"

class CSerialForm : public CProtocolForm {
    Q_OBJECT
  public:
    CChoiceGroup* baud() const { return baud_; }
    CChoiceGroup* data_bits() const { return data_bits_; }
    CChoiceGroup* parity() const { return parity_; }
    CChoiceGroup* stop_bits() const { return stop_bits_; }
    CChoiceGroup* byte_order() const { return byte_order_; }
    CChoiceGroup* bit_mode() const { return bit_mode_; } // nullptr for the generic form
    CIntegerEdit* node() const { return node_; }

  protected:
    // mode_labels empty: no "Bit mode" group.
    CSerialForm(CTessalyDoc* doc, QWidget* parent, std::span<const char* const> baud_labels,
                std::span<const char* const> mode_labels);

    void fill_controls(protocol_header& header) override;
    void read_controls(bool complain) override;
    // Bit mode position of a stored mode (-1 none), and the stored mode of a position.
    virtual int mode_position(int mode) const { return mode; }
    virtual int mode_value(int position) const { return position; }
    // Enables every button again before a device rule runs.
    void enable_all_buttons();

  private:
    CChoiceGroup* baud_;
    CChoiceGroup* data_bits_;
    CChoiceGroup* parity_;
    CChoiceGroup* stop_bits_;
    CChoiceGroup* byte_order_;
    CChoiceGroup* bit_mode_ = nullptr;
    CIntegerEdit* node_;
};
