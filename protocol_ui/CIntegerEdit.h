#pragma once
// An edit box for a whole number: signed, unsigned (non-negative) or unsigned within a range.
// The text is checked when it is read, and a refused text is answered with the fixed messages
// ("Please enter an integer.", "Please enter a positive integer.", "Please enter an integer
// between %1 and %2.").

#include <QLineEdit>

#include <optional>

class CIntegerEdit : public QLineEdit {
    Q_OBJECT
  public:
    enum kind_t { signed_any, unsigned_any, unsigned_range };

    explicit CIntegerEdit(kind_t kind, QWidget* parent = nullptr, int low = 0, int high = 0);

    // Shows value in decimal.
    void set_value(int value);
    // The value of the text, or nothing when the text is refused.
    std::optional<int> value() const;
    // The message for the current text when it is refused (empty when it is accepted).
    QString refusal() const;
    // Reads the value into out; when refused, shows the message through editor_ui(), puts
    // the focus on the field and leaves out unchanged.
    bool read(int& out);

    kind_t kind() const { return kind_; }

  private:
    kind_t kind_;
    int low_, high_;
};
