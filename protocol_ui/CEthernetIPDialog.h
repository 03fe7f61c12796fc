#pragma once
// "Ethernet/IP Settings": memory usage, byte order, the TCP/IP addresses, the defined blocks
// and the way into the block definitions editor.

#include "protocol_ui/CBlockSettingsDialog.h"

class CIpAddressEdit;

class CEthernetIPDialog : public CBlockSettingsDialog {
    Q_OBJECT
  public:
    explicit CEthernetIPDialog(const protocol_dialog_values& preset, QWidget* parent = nullptr);

    CChoiceGroup* byte_order() const { return byte_order_; }
    CIpAddressEdit* ip_address() const { return ip_address_; }
    CIpAddressEdit* network_mask() const { return network_mask_; }
    CIpAddressEdit* default_gateway() const { return default_gateway_; }

  protected:
    bool read_into(protocol_dialog_values& out) override;

  private:
    CChoiceGroup* byte_order_;
    CIpAddressEdit* ip_address_;
    CIpAddressEdit* network_mask_;
    CIpAddressEdit* default_gateway_;
};
