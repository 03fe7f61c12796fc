#include "protocol_ui/CBlockSettingsDialog.h"

#include "model/block_rules.h"
#include "protocol_ui/CBlockDefDialog.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CUsageDisplay.h"

#include <QPushButton>

CBlockSettingsDialog::CBlockSettingsDialog(const QString& title,
                                           const protocol_dialog_values& preset, QWidget* parent)
    : CSettingsDialog(title, preset, parent),
      table_(preset.block_count == 0 ? default_block_table() : preset.blocks),
      blocks_(new CBlockList(this)), usage_(new CUsageDisplay(CUsageDisplay::registers, this)),
      change_(new QPushButton(tr("Change Block Definitions"), this)) {
    blocks_->setMinimumHeight(200);
    connect(change_, &QPushButton::clicked, this, &CBlockSettingsDialog::change_blocks);
    connect(blocks_, &CBlockList::list_double_clicked, this, &CBlockSettingsDialog::change_blocks);
}

void CBlockSettingsDialog::show_blocks() {
    blocks_->setup_columns();
    blocks_->show_blocks(table_, 0, block_table_size);
    usage_->set_ranges();
    usage_->show_usage(compute_block_usage(table_));
}

void CBlockSettingsDialog::change_blocks() {
    block_table_t copy = table_;
    if (!edit_blocks_(this, copy))
        return;
    table_ = copy;
    show_blocks();
}

void CBlockSettingsDialog::read_blocks(protocol_dialog_values& out) const {
    out.block_count = block_table_size;
    out.blocks = table_;
    const block_usage usage = compute_block_usage(table_);
    out.io_input_size = usage.io_input;
    out.io_output_size = usage.io_output;
    out.param_input_usage = usage.param_input;
    out.param_output_usage = usage.param_output;
}

bool CBlockSettingsDialog::edit_with_dialog(QWidget* parent, block_table_t& table) {
    CBlockDefDialog dialog(table, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    table = dialog.table();
    return true;
}
