#include "protocol_ui/CBlockMappedForm.h"

#include "model/devicenet_header.h"
#include "model/ethernetip_header.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/read_only_field.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>

namespace {
const block_layout* layout_of(const protocol_header& header) {
    if (const auto* h = dynamic_cast<const devicenet_header*>(&header))
        return &h->blocks;
    if (const auto* h = dynamic_cast<const ethernetip_header*>(&header))
        return &h->blocks;
    return nullptr;
}

QGroupBox* count_group(const QString& title, QLineEdit* input, QLineEdit* output, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* rows = new QFormLayout(group);
    rows->setContentsMargins(6, 2, 6, 2);
    rows->setVerticalSpacing(2);
    rows->addRow(QObject::tr("Input Registers:"), input);
    rows->addRow(QObject::tr("Output Registers:"), output);
    return group;
}
} // namespace

CBlockMappedForm::CBlockMappedForm(CTessalyDoc* doc, QWidget* parent)
    : CProtocolForm(doc, parent), blocks_(new CBlockList(content())) {
    for (QLineEdit*& edit : counts_) {
        edit = new QLineEdit(content());
        set_read_only(edit, true);
        edit->setMaximumWidth(60);
    }
    io_area_ = count_group(tr("I/O Area"), counts_[0], counts_[1], content());
    param_area_ = count_group(tr("Param Area"), counts_[2], counts_[3], content());
    connect(blocks_, &CBlockList::list_double_clicked, this, &CProtocolForm::on_properties);
}

void CBlockMappedForm::prepare() {
    blocks_->setup_columns();
}

void CBlockMappedForm::fill_blocks(const protocol_header& header) {
    const block_table_t* table = nullptr;
    const int count = header.block_table(&table);
    blocks_->delete_all_rows();
    if (table)
        blocks_->show_blocks(*table, 0, std::clamp(count, 0, block_table_size));
    if (const block_layout* layout = layout_of(header)) {
        const int totals[4] = {layout->io_input_size, layout->io_output_size,
                               layout->param_input_usage, layout->param_output_usage};
        for (std::size_t i = 0; i < counts_.size(); ++i)
            counts_[i]->setText(QString::number(totals[i]));
    }
}
