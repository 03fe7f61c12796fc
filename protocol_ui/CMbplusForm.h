#pragma once
// The Modbus Plus settings form: the "GDB Setting" group, node number and byte order.

#include "protocol_ui/CProtocolForm.h"

class CMbplusForm : public CProtocolForm {
    Q_OBJECT
  public:
    CMbplusForm(CTessalyDoc* doc, QWidget* parent);

    CIntegerEdit* source_id() const { return source_id_; }
    CIntegerEdit* number_of_words() const { return number_of_words_; }
    CIntegerEdit* offset_in_gdb() const { return offset_in_gdb_; }
    CIntegerEdit* node() const { return node_; }
    CChoiceGroup* byte_order() const { return byte_order_; }

  protected:
    protocol_form_values header_values(const protocol_header& header) const override;
    void fill_controls(protocol_header& header) override;
    void read_controls(bool complain) override;

  private:
    CIntegerEdit* source_id_;
    CIntegerEdit* number_of_words_;
    CIntegerEdit* offset_in_gdb_;
    CIntegerEdit* node_;
    CChoiceGroup* byte_order_;
};
