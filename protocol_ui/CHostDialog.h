#pragma once
// "Host Protocol Selection": the target device ("Platform") and one of nine host protocols.
// The device rule (model/host_selection.h) runs whenever the device changes and once more on
// OK, so that the returned position always suits the device.

#include "model/host_selection.h"

#include <QDialog>

class CChoiceGroup;
class QComboBox;

class CHostDialog : public QDialog {
    Q_OBJECT
  public:
    // Presets the device word and the checked position (-1 none).
    explicit CHostDialog(const host_selection_values& preset, QWidget* parent = nullptr);

    // The dialog state as the controls show it.
    host_selection_values values() const;

    QComboBox* device_list() const { return devices_; }
    CChoiceGroup* protocols() const { return protocols_; }

  public slots:
    void accept() override;

  private:
    // Reads the controls, applies the device rule and writes the state back.
    void apply_device_rule();

    QComboBox* devices_;
    CChoiceGroup* protocols_;
};
