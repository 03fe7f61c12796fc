#pragma once
// The bit editor of a bitmapped command register: its sixteen bits, each named by the
// command entry's mnemonic, feeder and trigger mode, ticked as the card last gave them.
// Write sends the word the boxes make; the card then fires the entries by their modes.

#include "live_ui/register_bits_text.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QLabel;

class CCommandBitsDialog : public QDialog {
    Q_OBJECT
  public:
    CCommandBitsDialog(int register_number, std::uint16_t word, const bit_names& names,
                       QWidget* parent = nullptr);

    // The word the ticked boxes make, bit k for box k.
    std::uint16_t word() const;
    QCheckBox* bit_box(int bit) const { return boxes_[std::size_t(bit)]; }
    int register_number() const { return number_; }

  private:
    void show_word();

    int number_;
    std::array<QCheckBox*, 16> boxes_{};
    QLabel* word_label_;
};
