#pragma once
// "Generic protocol": the serial settings without a bit mode; no device rules.

#include "protocol_ui/CSerialDialog.h"

class GenericDialog : public CSerialDialog {
    Q_OBJECT
  public:
    explicit GenericDialog(const protocol_dialog_values& preset, QWidget* parent = nullptr);
};
