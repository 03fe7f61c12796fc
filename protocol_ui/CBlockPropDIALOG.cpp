#include "protocol_ui/CBlockPropDIALOG.h"

#include "protocol_ui/CIntegerEdit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

CBlockPropDIALOG::CBlockPropDIALOG(int base, int length, QWidget* parent)
    : QDialog(parent), base_edit_(new CIntegerEdit(CIntegerEdit::unsigned_any, this)),
      length_edit_(new CIntegerEdit(CIntegerEdit::unsigned_any, this)), base_(base),
      length_(length) {
    setWindowTitle(tr("Block Properties"));
    auto* fields = new QFormLayout;
    fields->addRow(tr("Starting Register:"), base_edit_);
    fields->addRow(tr("# of Registers:"), length_edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBlockPropDIALOG::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CBlockPropDIALOG::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    base_edit_->set_value(base);
    length_edit_->set_value(length);
}

bool CBlockPropDIALOG::read_fields() {
    int base = base_, length = length_;
    if (!base_edit_->read(base) || !length_edit_->read(length))
        return false;
    base_ = base;
    length_ = length;
    return true;
}

void CBlockPropDIALOG::accept() {
    if (read_fields())
        QDialog::accept();
}
