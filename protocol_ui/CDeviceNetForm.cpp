#include "protocol_ui/CDeviceNetForm.h"

#include "model/protocol_header.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

CDeviceNetForm::CDeviceNetForm(CTessalyDoc* doc, QWidget* parent)
    : CBlockMappedForm(doc, parent), byte_order_(add_choice(tr("Byte order"), labels_byte_order)) {
    auto* grid = new QGridLayout(content());
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(2);
    grid->addWidget(control_label(tr("Defined blocks:"), block_list()), 0, 0);
    grid->addWidget(block_list(), 1, 0, 2, 1);
    grid->addWidget(byte_order_, 1, 1, Qt::AlignTop);
    grid->addWidget(io_area(), 1, 2, Qt::AlignTop);
    grid->addWidget(param_area(), 1, 3, Qt::AlignTop);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(2, 1);
}

void CDeviceNetForm::fill_controls(protocol_header& header) {
    byte_order_->set_checked(header.byte_order);
    fill_blocks(header);
}

void CDeviceNetForm::read_controls(bool) {
    read_choice(byte_order_, values_.byte_order);
}
