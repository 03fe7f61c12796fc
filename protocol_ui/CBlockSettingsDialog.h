#pragma once
// Base of the DeviceNet and EtherNet/IP settings dialogs: a copy of the block table (the
// default table when the header has none), its list, the "Memory Usage" display in registers
// and the way into the block definitions editor.

#include "protocol_ui/CSettingsDialog.h"

#include <functional>

class CBlockList;
class CUsageDisplay;
class QPushButton;

class CBlockSettingsDialog : public CSettingsDialog {
    Q_OBJECT
  public:
    // Runs the block definitions editor on table; true (table edited) on OK.
    using block_editor = std::function<bool(QWidget* parent, block_table_t& table)>;

    const block_table_t& table() const { return table_; }
    CBlockList* block_list() const { return blocks_; }
    CUsageDisplay* usage() const { return usage_; }
    QPushButton* change_button() const { return change_; }

    // "Change Block Definitions": edits a copy of the table and takes it over on OK.
    void change_blocks();
    // Replaces how the editor is run (CBlockDefDialog by default).
    void set_block_editor(block_editor editor) { edit_blocks_ = std::move(editor); }

    static bool edit_with_dialog(QWidget* parent, block_table_t& table);

  protected:
    CBlockSettingsDialog(const QString& title, const protocol_dialog_values& preset,
                         QWidget* parent);

    // Lists the blocks and shows the usage (called by the subclass once laid out).
    void show_blocks();
    // Puts the table and its usage totals into out.
    void read_blocks(protocol_dialog_values& out) const;

  private:
    block_table_t table_;
    CBlockList* blocks_;
    CUsageDisplay* usage_;
    QPushButton* change_;
    block_editor edit_blocks_ = edit_with_dialog;
};
