#pragma once
// The Profinet IO settings form: the three TCP/IP addresses, the block sizes in bytes and
// byte order.

#include "protocol_ui/CProtocolForm.h"

class CProfinetForm : public CProtocolForm {
    Q_OBJECT
  public:
    CProfinetForm(CTessalyDoc* doc, QWidget* parent);

    CIpAddressEdit* ip_address() const { return ip_address_; }
    CIpAddressEdit* network_mask() const { return network_mask_; }
    CIpAddressEdit* default_gateway() const { return default_gateway_; }
    CIntegerEdit* input_size() const { return input_size_; }
    CIntegerEdit* output_size() const { return output_size_; }
    CChoiceGroup* byte_order() const { return byte_order_; }

  protected:
    protocol_form_values header_values(const protocol_header& header) const override;
    void fill_controls(protocol_header& header) override;
    void read_controls(bool complain) override;
    bool fill_sets_filling() const override { return false; }

  private:
    CIpAddressEdit* ip_address_;
    CIpAddressEdit* network_mask_;
    CIpAddressEdit* default_gateway_;
    CIntegerEdit* input_size_;
    CIntegerEdit* output_size_;
    CChoiceGroup* byte_order_;
};
