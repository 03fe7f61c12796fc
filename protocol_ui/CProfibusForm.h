#pragma once
// The Profibus settings form: block sizes, node address and byte order.

#include "protocol_ui/CProtocolForm.h"

class CProfibusForm : public CProtocolForm {
    Q_OBJECT
  public:
    CProfibusForm(CTessalyDoc* doc, QWidget* parent);

    CIntegerEdit* input_size() const { return input_size_; }
    CIntegerEdit* output_size() const { return output_size_; }
    CIntegerEdit* node() const { return node_; }
    CChoiceGroup* byte_order() const { return byte_order_; }

  protected:
    protocol_form_values header_values(const protocol_header& header) const override;
    void fill_controls(protocol_header& header) override;
    void read_controls(bool complain) override;

  private:
    CIntegerEdit* input_size_;
    CIntegerEdit* output_size_;
    CIntegerEdit* node_;
    CChoiceGroup* byte_order_;
};
