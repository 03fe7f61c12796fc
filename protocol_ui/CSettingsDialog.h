#pragma once
// Base of the protocol settings dialogs: holds a private copy of the values the model preset,
// and on OK reads and checks every field into it. A refused field keeps the dialog open with
// the focus on that field.

#include "model/settings_dialogs.h"

#include <QDialog>

class QDialogButtonBox;
class QVBoxLayout;
class CChoiceGroup;

class CSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    CSettingsDialog(const QString& title, const protocol_dialog_values& preset, QWidget* parent);

    // The values as accepted (the preset until OK succeeds).
    const protocol_dialog_values& values() const { return values_; }

    // Reads every field as OK does; false (with the refusal shown) when a field is refused.
    bool read_fields();

  public slots:
    void accept() override;

  protected:
    // Reads the fields into out, in the order the dialog checks them.
    virtual bool read_into(protocol_dialog_values& out) = 0;
    // Adds the OK and Cancel buttons under the body; returns the box for extra buttons.
    QDialogButtonBox* add_buttons();
    // Position of a choice, or fallback when no button is checked.
    static int checked_or(const CChoiceGroup* group, int fallback);

    QVBoxLayout* body_;
    protocol_dialog_values values_;
};
