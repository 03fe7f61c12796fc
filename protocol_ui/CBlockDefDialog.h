#pragma once
// "Block Definitions": edits a copy of the 22-block table. Input blocks (0 to 10) and output
// blocks (11 to 21) are listed apart; a double-click on a row asks for the block's base and
// length until they pass the fit check or the user cancels. The memory counters show bytes.

#include "model/block_layout.h"

#include <QDialog>

#include <functional>

class CBlockList;
class CUsageDisplay;
class QPushButton;

class CBlockDefDialog : public QDialog {
    Q_OBJECT
  public:
    // Asks for a block's base and length, preset with the current ones; false on Cancel.
    using properties_asker = std::function<bool(QWidget* parent, int& base, int& length)>;

    explicit CBlockDefDialog(const block_table_t& table, QWidget* parent = nullptr);

    const block_table_t& table() const { return table_; }
    CBlockList* input_list() const { return input_list_; }
    CBlockList* output_list() const { return output_list_; }
    CUsageDisplay* usage() const { return usage_; }
    QPushButton* help_button() const { return help_; }

    // Edits the selected block of the input or output list (nothing without a selection).
    void edit_selected(bool output);
    // Replaces how block properties are asked for (CBlockPropDIALOG by default).
    void set_properties_asker(properties_asker asker) { ask_ = std::move(asker); }

    // Runs "Block Properties" modally.
    static bool ask_with_dialog(QWidget* parent, int& base, int& length);

  private:
    void show_usage();

    block_table_t table_;
    CBlockList* input_list_;
    CBlockList* output_list_;
    CUsageDisplay* usage_;
    QPushButton* help_ = nullptr;
    properties_asker ask_ = ask_with_dialog;
};
