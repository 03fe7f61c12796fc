#pragma once
// The "Status" page of the register dialog: for each of the sixteen bits of a bitmapped
// status register its feeder, status word mnemonic and bit position, bit 15 to bit 8 above
// and bit 7 to bit 0 below, with the legend of the status words (those the map's device does
// not have greyed out). It shows the dialog's register_bits_state and passes every edit to it.

#include "editing/CBitPage.h"

class QLabel;
class QLineEdit;
class register_bits_state;

class CRegisterProperty_3 : public CBitPage {
    Q_OBJECT
  public:
    CRegisterProperty_3(register_bits_state& bits, int device_code, QWidget* parent = nullptr);

    // Opening the page (done when it is first shown): the feeder fields enabled by device and
    // every bit's texts shown.
    void open_page() override;

    QLineEdit* bit_position(int bit) const { return positions_[static_cast<std::size_t>(bit)]; }
    // The legend's lines in order.
    QList<QLabel*> legend() const { return legend_; }

  protected:
    bit_texts texts_of(int bit) override;
    QWidget* third_field(int bit, QWidget* group) override;

  private:
    std::array<QLineEdit*, 16> positions_{};
    QList<QLabel*> legend_;
};
