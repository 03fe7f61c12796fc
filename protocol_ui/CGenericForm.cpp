#include "protocol_ui/CGenericForm.h"

#include "protocol_ui/protocol_ui_texts.h"

CGenericForm::CGenericForm(CTessalyDoc* doc, QWidget* parent)
    : CSerialForm(doc, parent, labels_baud3, {}) {}
