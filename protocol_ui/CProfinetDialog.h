#pragma once
// "Profinet I/O settings:": the three TCP/IP addresses, block sizes in bytes (0 to 1536), the
// byte order and a "Help" button (topic 13).

#include "protocol_ui/CSettingsDialog.h"

class CIntegerEdit;
class CIpAddressEdit;
class QPushButton;

class CProfinetDialog : public CSettingsDialog {
    Q_OBJECT
  public:
    explicit CProfinetDialog(const protocol_dialog_values& preset, QWidget* parent = nullptr);

    CIpAddressEdit* ip_address() const { return ip_address_; }
    CIpAddressEdit* network_mask() const { return network_mask_; }
    CIpAddressEdit* default_gateway() const { return default_gateway_; }
    CIntegerEdit* input_size() const { return input_size_; }
    CIntegerEdit* output_size() const { return output_size_; }
    CChoiceGroup* byte_order() const { return byte_order_; }
    QPushButton* help_button() const { return help_; }

  protected:
    bool read_into(protocol_dialog_values& out) override;

  private:
    CIpAddressEdit* ip_address_;
    CIpAddressEdit* network_mask_;
    CIpAddressEdit* default_gateway_;
    CIntegerEdit* input_size_;
    CIntegerEdit* output_size_;
    CChoiceGroup* byte_order_;
    QPushButton* help_ = nullptr;
};
