#pragma once
// A protocol's settings dialog, built from the layout of its form class: holds a private copy
// of the values the header prepared, presets its controls from them and applies what the
// protocol offers the device; on OK it reads and checks every field into the copy. A refused
// field keeps the dialog open with the focus on that field. Block-mapped protocols show their
// block table, its memory usage and the way into the block definitions editor, which edits a
// copy of the table.

#include "model/header_values.h"
#include "protocol_ui/settings_controls.h"

#include <QDialog>

#include <functional>

class CBlockList;
class CChoiceGroup;
class CIntegerEdit;
class CIpAddressEdit;
class CUsageDisplay;
class QDialogButtonBox;
class QPushButton;
class QVBoxLayout;

class CSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    // The dialog of protocol for a device, preset with values (not shown).
    CSettingsDialog(const protocol_description& protocol, int device_code,
                    const header_values& preset, QWidget* parent = nullptr);

    // The values as accepted (the preset until OK succeeds).
    const header_values& values() const { return values_; }
    // Reads every field as OK does; false (with the refusal shown) when a field is refused.
    bool read_fields();

    CChoiceGroup* choice(header_field field) const { return controls_.choice(field); }
    CIntegerEdit* integer(header_field field) const { return controls_.integer(field); }
    CIpAddressEdit* address(header_field field) const { return controls_.address(field); }
    // The "Help" button (nullptr when the dialog has none).
    QPushButton* help_button() const { return help_; }

    // Block-mapped protocols (nullptr elsewhere): the list, the usage display, the button.
    const block_table_t& table() const { return table_; }
    CBlockList* block_list() const { return blocks_; }
    CUsageDisplay* usage() const { return usage_; }
    QPushButton* change_button() const { return change_; }
    // "Change Block Definitions": edits a copy of the table and takes it over on OK.
    void change_blocks();
    // Runs the block definitions editor on table; true (table edited) on OK.
    using block_editor = std::function<bool(QWidget* parent, block_table_t& table)>;
    // Replaces how the editor is run (CBlockDefDialog by default).
    void set_block_editor(block_editor editor) { edit_blocks_ = std::move(editor); }
    static bool edit_with_dialog(QWidget* parent, block_table_t& table);

  public slots:
    void accept() override;

  private:
    QWidget* block_part(const piece& p);
    // Lists the blocks and shows their usage.
    void show_blocks();

    settings_controls controls_;
    header_values values_;
    // The table being edited, until OK takes it.
    block_table_t table_{};
    CBlockList* blocks_ = nullptr;
    CUsageDisplay* usage_ = nullptr;
    QPushButton* change_ = nullptr;
    QPushButton* help_ = nullptr;
    block_editor edit_blocks_ = edit_with_dialog;
};
