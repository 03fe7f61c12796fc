#pragma once
// A four-octet IP address control. Its value is a 32-bit number with the first octet in the
// most significant byte; an empty octet counts as 0 and each octet takes 0 to 255. It types
// as address controls do: an octet the focus comes to has its text selected, so that what is
// typed replaces it; "." or a third digit moves on to the next octet, Backspace at the
// start of an octet and the arrow keys at its edges move between octets, pasting a dotted
// address fills the octets from the one being edited, and a digit that would make an octet
// larger than 255 is refused with its message.

#include <QWidget>

#include <array>
#include <cstdint>

class QLineEdit;

class CIpAddressEdit : public QWidget {
    Q_OBJECT
  public:
    explicit CIpAddressEdit(QWidget* parent = nullptr);

    std::uint32_t value() const;
    void set_value(std::uint32_t address);
    QLineEdit* octet(int index) const { return octets_[static_cast<std::size_t>(index)]; }

    // Names the control for screen readers after its label; each octet is named by its
    // position ("Ip address: octet 1").
    void set_accessible_label(const QString& label);
    // Pastes a dotted address into the octets, starting at octet first; text that holds no
    // address is ignored.
    void paste_text(const QString& text, int first);

  signals:
    // Any octet's text changed (typing or set_value).
    void address_changed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int index_of(QObject* octet) const;
    // Moves the focus to octet index, its text selected (or the cursor at its end).
    void move_to(int index, bool select_all);

    std::array<QLineEdit*, 4> octets_{};
    // The octet that lost the focus to another window or a menu, to which it comes back.
    QLineEdit* left_window_ = nullptr;
};
