#pragma once
// The EtherNet/IP settings form: the defined blocks, byte order, the TCP/IP addresses and the
// register counts.

#include "protocol_ui/CBlockMappedForm.h"

class CEthernetIPForm : public CBlockMappedForm {
    Q_OBJECT
  public:
    CEthernetIPForm(CTessalyDoc* doc, QWidget* parent);

    CChoiceGroup* byte_order() const { return byte_order_; }
    CIpAddressEdit* ip_address() const { return ip_address_; }
    CIpAddressEdit* network_mask() const { return network_mask_; }
    CIpAddressEdit* default_gateway() const { return default_gateway_; }

  protected:
    protocol_form_values header_values(const protocol_header& header) const override;
    void fill_controls(protocol_header& header) override;
    void read_controls(bool complain) override;

  private:
    CChoiceGroup* byte_order_;
    CIpAddressEdit* ip_address_;
    CIpAddressEdit* network_mask_;
    CIpAddressEdit* default_gateway_;
};
