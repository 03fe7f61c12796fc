#pragma once
// The Modbus/TCP settings form: the three TCP/IP addresses and byte order.

#include "protocol_ui/CProtocolForm.h"

class CMbTcpForm : public CProtocolForm {
    Q_OBJECT
  public:
    CMbTcpForm(CTessalyDoc* doc, QWidget* parent);

    CIpAddressEdit* ip_address() const { return ip_address_; }
    CIpAddressEdit* network_mask() const { return network_mask_; }
    CIpAddressEdit* default_gateway() const { return default_gateway_; }
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
    CChoiceGroup* byte_order_;
};
