#pragma once
// A four-octet IP address control. Its value is a 32-bit number with the first octet in the
// most significant byte; an empty octet counts as 0 and each octet takes 0 to 255.

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

  signals:
    // Any octet's text changed (typing or set_value).
    void address_changed();

  private:
    std::array<QLineEdit*, 4> octets_{};
};
