#pragma once
// The generic protocol's settings form (also shown while a document has no header): the
// serial settings without a bit mode.

#include "protocol_ui/CSerialForm.h"

class CGenericForm : public CSerialForm {
    Q_OBJECT
  public:
    CGenericForm(CTessalyDoc* doc, QWidget* parent);
};
