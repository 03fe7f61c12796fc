#include "protocol_ui/CBlockDefDialog.h"

#include "document/editor_ui.h"
#include "model/block_rules.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CBlockPropDIALOG.h"
#include "protocol_ui/CUsageDisplay.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/help_topics.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {
// Each line break is a line feed followed by a carriage return.
const char* msg_block_conflict =
    "This Block definition conflicts with another\n\rdefinition, or is too large to fit into "
    "remaining memory.\n\rPlease try again";
constexpr int input_first = 0;
constexpr int output_first = 11;
constexpr int blocks_per_list = 11;
} // namespace

CBlockDefDialog::CBlockDefDialog(const block_table_t& table, QWidget* parent)
    : QDialog(parent), table_(table), input_list_(new CBlockList(this)),
      output_list_(new CBlockList(this)), usage_(new CUsageDisplay(CUsageDisplay::bytes, this)) {
    setWindowTitle(tr("Block Definitions"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    help_ = buttons->addButton(tr("Block Definition Help"), QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBlockDefDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CBlockDefDialog::reject);
    connect(help_, &QPushButton::clicked, this,
            [this] { show_help_topic(this, help_context_block_definitions); });
    connect(input_list_, &CBlockList::list_double_clicked, this, [this] { edit_selected(false); });
    connect(output_list_, &CBlockList::list_double_clicked, this, [this] { edit_selected(true); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(control_label(tr("Input Blocks"), input_list_), 0, 0);
    grid->addWidget(input_list_, 1, 0);
    grid->addWidget(control_label(tr("Output Blocks"), output_list_), 0, 1);
    grid->addWidget(output_list_, 1, 1);
    grid->addWidget(usage_, 1, 2);
    grid->addWidget(buttons, 2, 0, 1, 3);
    for (CBlockList* list : {input_list_, output_list_})
        list->setMinimumHeight(250);

    input_list_->setup_columns();
    output_list_->setup_columns();
    usage_->set_ranges();
    input_list_->show_blocks(table_, input_first, blocks_per_list);
    output_list_->show_blocks(table_, output_first, blocks_per_list);
    show_usage();
}

void CBlockDefDialog::show_usage() {
    usage_->show_usage(compute_block_usage(table_));
}

void CBlockDefDialog::edit_selected(bool output) {
    CBlockList* list = output ? output_list_ : input_list_;
    const int row = list->selected_row();
    if (row < 0)
        return;
    const int position = row + (output ? output_first : input_first);
    block_entry& block = table_[static_cast<std::size_t>(position)];
    int base = block.start, length = block.length;
    for (;;) {
        if (!ask_(this, base, length))
            return;
        if (block_fits(table_, position, base, length))
            break;
        editor_ui().message(msg_block_conflict);
    }
    block.start = base;
    block.length = length;
    delete list->takeTopLevelItem(row);
    list->add_row(row, block);
    list->setCurrentItem(list->topLevelItem(row));
    show_usage();
}

bool CBlockDefDialog::ask_with_dialog(QWidget* parent, int& base, int& length) {
    CBlockPropDIALOG dialog(base, length, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    base = dialog.base();
    length = dialog.length();
    return true;
}
