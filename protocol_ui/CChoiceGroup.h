#pragma once
// A titled group of radio buttons whose value is the position of the checked button (-1 when
// none is checked). Buttons can be unchecked all at once, as the settings windows need when a
// device rule takes a checked choice away.

#include <QGroupBox>

#include <initializer_list>
#include <span>

class QButtonGroup;
class QRadioButton;

class CChoiceGroup : public QGroupBox {
    Q_OBJECT
  public:
    CChoiceGroup(const QString& title, std::span<const char* const> labels,
                 QWidget* parent = nullptr, bool horizontal = false);

    // Position of the checked button, or -1.
    int checked() const;
    // Checks the button at position; any other value (-1 included) unchecks every button.
    void set_checked(int position);
    int count() const;
    QRadioButton* button(int position) const;

  signals:
    // A button was clicked by the user (also when it was already checked).
    void choice_clicked(int position);

  private:
    QButtonGroup* buttons_;
};
