#pragma once
// "Modbus/TCP settings:": the three TCP/IP addresses and the byte order.

#include "protocol_ui/CSettingsDialog.h"

class CIpAddressEdit;

class CModTcpDialog : public CSettingsDialog {
    Q_OBJECT
  public:
    explicit CModTcpDialog(const protocol_dialog_values& preset, QWidget* parent = nullptr);

    CIpAddressEdit* ip_address() const { return ip_address_; }
    CIpAddressEdit* network_mask() const { return network_mask_; }
    CIpAddressEdit* default_gateway() const { return default_gateway_; }
    CChoiceGroup* byte_order() const { return byte_order_; }

  protected:
    bool read_into(protocol_dialog_values& out) override;

  private:
    CIpAddressEdit* ip_address_;
    CIpAddressEdit* network_mask_;
    CIpAddressEdit* default_gateway_;
    CChoiceGroup* byte_order_;
};
