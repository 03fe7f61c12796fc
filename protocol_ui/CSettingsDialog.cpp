#include "protocol_ui/CSettingsDialog.h"

#include "model/block_rules.h"
#include "protocol_ui/CBlockDefDialog.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/CUsageDisplay.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/help_topics.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CSettingsDialog::CSettingsDialog(const protocol_description& protocol, int device_code,
                                 const header_values& preset, QWidget* parent)
    : QDialog(parent), controls_(layout_for(protocol.form), protocol, this, false),
      values_(preset) {
    const protocol_layout& layout = controls_.layout();
    setObjectName(QString::fromLatin1(layout.dialog_name));
    setWindowTitle(tr(layout.dialog_title));
    if (protocol.block_mapped) {
        table_ = preset.blocks.block_count == 0 ? default_block_table() : preset.blocks.table;
        blocks_ = new CBlockList(this);
        usage_ = new CUsageDisplay(CUsageDisplay::registers, this);
        change_ = new QPushButton(tr("Change Block Definitions"), this);
        blocks_->setMinimumHeight(200);
        connect(change_, &QPushButton::clicked, this, &CSettingsDialog::change_blocks);
        connect(blocks_, &CBlockList::list_double_clicked, this, &CSettingsDialog::change_blocks);
    }

    auto* body = new QVBoxLayout(this);
    const auto part = [this](const piece& p) { return block_part(p); };
    for (const piece& section : layout.dialog) {
        if (section.kind == piece_kind::note) {
            auto* note = new QLabel(tr(section.text), this);
            note->setWordWrap(true);
            body->addWidget(note);
        } else if (section.kind == piece_kind::control) {
            body->addWidget(controls_.control(section));
        } else if (section.text) {
            body->addWidget(controls_.group(section, part));
        } else {
            body->addLayout(controls_.inner_layout(section, nullptr, part));
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSettingsDialog::reject);
    body->addWidget(buttons);
    if (layout.help_context != 0) {
        help_ = buttons->addButton(tr("Help"), QDialogButtonBox::HelpRole);
        connect(help_, &QPushButton::clicked, this,
                [this, context = layout.help_context] { show_help_topic(this, context); });
    }

    controls_.show(preset, true);
    if (layout.dialog_rule)
        layout.dialog_rule(*this, device_code);
    if (blocks_)
        show_blocks();
}

QWidget* CSettingsDialog::block_part(const piece& p) {
    switch (p.kind) {
    case piece_kind::block_list:
        return blocks_;
    case piece_kind::block_label:
        return control_label(tr(p.text), blocks_);
    case piece_kind::usage:
        return usage_;
    case piece_kind::change_button:
        return change_;
    default:
        return nullptr;
    }
}

void CSettingsDialog::show_blocks() {
    blocks_->setup_columns();
    blocks_->show_blocks(table_, 0, block_table_size);
    usage_->set_ranges();
    usage_->show_usage(compute_block_usage(table_));
}

void CSettingsDialog::change_blocks() {
    block_table_t copy = table_;
    if (!edit_blocks_(this, copy))
        return;
    table_ = copy;
    show_blocks();
}

bool CSettingsDialog::edit_with_dialog(QWidget* parent, block_table_t& table) {
    CBlockDefDialog dialog(table, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    table = dialog.table();
    return true;
}

bool CSettingsDialog::read_fields() {
    header_values read = values_;
    controls_.take_choices_and_addresses(read);
    // Integer fields in the order the dialog shows them; the first refused one stops OK.
    for (const auto& [field, widget] : controls_.all())
        if (auto* edit = qobject_cast<CIntegerEdit*>(widget);
            edit && !edit->read(*read.integer(field)))
            return false;
    if (blocks_) {
        const block_usage usage = compute_block_usage(table_);
        read.blocks.block_count = block_table_size;
        read.blocks.table = table_;
        read.blocks.io_input_size = usage.io_input;
        read.blocks.io_output_size = usage.io_output;
        read.blocks.param_input_usage = usage.param_input;
        read.blocks.param_output_usage = usage.param_output;
    }
    values_ = read;
    return true;
}

void CSettingsDialog::accept() {
    if (read_fields())
        QDialog::accept();
}
