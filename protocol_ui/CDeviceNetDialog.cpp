#include "protocol_ui/CDeviceNetDialog.h"

#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CUsageDisplay.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CDeviceNetDialog::CDeviceNetDialog(const protocol_dialog_values& preset, QWidget* parent)
    : CBlockSettingsDialog(tr("Device Net params:"), preset, parent),
      byte_order_(new CChoiceGroup(tr("Byte order"), labels_byte_order, this)) {
    auto* grid = new QGridLayout;
    grid->addWidget(byte_order_, 0, 0, Qt::AlignTop);
    grid->addWidget(control_label(tr("Defined blocks:"), block_list()), 1, 0);
    grid->addWidget(block_list(), 2, 0);
    grid->addWidget(usage(), 0, 1, 3, 1);
    grid->addWidget(change_button(), 3, 0, Qt::AlignLeft);
    body_->addLayout(grid);
    auto* note = new QLabel(tr("Note:  DeviceNet MAC ID and Baud Rate must be set using the DIP "
                               "switches on the Ombra board."),
                            this);
    note->setWordWrap(true);
    body_->addWidget(note);
    add_buttons();

    byte_order_->set_checked(preset.byte_order);
    show_blocks();
}

bool CDeviceNetDialog::read_into(protocol_dialog_values& out) {
    out.byte_order = checked_or(byte_order_, out.byte_order);
    read_blocks(out);
    return true;
}
