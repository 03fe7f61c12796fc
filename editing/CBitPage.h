#pragma once
// What both bit pages of the register dialog share: the dialog's register_bits_state they show
// and edit, the feeder field and mnemonic box of each of the sixteen bits, and opening the
// page when it is first shown.

#include <QWidget>

#include <array>
#include <string>

class QComboBox;
class QLineEdit;
class QVBoxLayout;
class register_bits_state;

class CBitPage : public QWidget {
  public:
    // Opening the page (done when it is first shown): its fields are filled from the state.
    virtual void open_page() = 0;
    bool opened() const { return opened_; }

    QLineEdit* feeder(int bit) const { return feeders_[static_cast<std::size_t>(bit)]; }
    QComboBox* mnemonic(int bit) const { return mnemonics_[static_cast<std::size_t>(bit)]; }

  protected:
    CBitPage(register_bits_state& bits, QWidget* parent) : QWidget(parent), bits_(bits) {}
    void showEvent(QShowEvent* event) override;

    // The feeder and mnemonic texts of a bit in the state.
    struct bit_texts {
        std::string& feeder_text;
        std::string& mnemonic;
    };
    virtual bit_texts texts_of(int bit) = 0;
    // Makes the third field of a bit in its group and connects it to the state.
    virtual QWidget* third_field(int bit, QWidget* group) = 0;
    // Lays out the sixteen bit groups in a new layout of the page: each bit's feeder field and
    // mnemonic box, whose edits go to texts_of(bit) (the mnemonic's once the page is open), and
    // its third field, labelled third_label. Called by the page's constructor.
    QVBoxLayout* lay_out_bits(const QString& third_label);

    register_bits_state& bits_;
    bool opened_ = false;
    std::array<QLineEdit*, 16> feeders_{};
    std::array<QComboBox*, 16> mnemonics_{};
};
