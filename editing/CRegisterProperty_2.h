#pragma once
// The "Commands" page of the register dialog: for each of the sixteen bits of a bitmapped
// command register its feeder, command mnemonic and trigger mode, bit 15 to bit 8 above and
// bit 7 to bit 0 below, with the legend of the mnemonics. It shows the dialog's
// register_bits_state and passes every edit to it.

#include "editing/CBitPage.h"

class CTriggerButton;
class register_bits_state;

class CRegisterProperty_2 : public CBitPage {
    Q_OBJECT
  public:
    CRegisterProperty_2(register_bits_state& bits, QWidget* parent = nullptr);

    // Opening the page (done when it is first shown): the trigger buttons are filled with the
    // six modes and set, the mnemonic lists filled, the feeder fields enabled by device.
    void open_page() override;

    CTriggerButton* trigger(int bit) const { return triggers_[static_cast<std::size_t>(bit)]; }

  protected:
    bit_texts texts_of(int bit) override;
    QWidget* third_field(int bit, QWidget* group) override;

  private:
    std::array<CTriggerButton*, 16> triggers_{};
};
