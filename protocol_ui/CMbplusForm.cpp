#include "protocol_ui/CMbplusForm.h"

#include "model/mbplus_header.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

CMbplusForm::CMbplusForm(CTessalyDoc* doc, QWidget* parent)
    : CProtocolForm(doc, parent), source_id_(add_integer(false)),
      number_of_words_(add_integer(false)), offset_in_gdb_(add_integer(false)),
      node_(add_integer(false)), byte_order_(add_choice(tr("Byte order"), labels_byte_order)) {
    auto* gdb = new QGroupBox(tr("GDB Setting"), content());
    auto* gdb_grid = new QGridLayout(gdb);
    gdb_grid->setContentsMargins(6, 2, 6, 2);
    gdb_grid->setVerticalSpacing(2);
    gdb_grid->addWidget(control_label(tr("Source id:"), source_id_), 0, 0);
    gdb_grid->addWidget(source_id_, 0, 1);
    gdb_grid->addWidget(control_label(tr("Number of words:"), number_of_words_), 1, 0);
    gdb_grid->addWidget(number_of_words_, 1, 1);
    gdb_grid->addWidget(control_label(tr("Offset within GDB:"), offset_in_gdb_), 2, 0);
    gdb_grid->addWidget(offset_in_gdb_, 2, 1);
    source_id_->setParent(gdb);
    number_of_words_->setParent(gdb);
    offset_in_gdb_->setParent(gdb);

    auto* grid = new QGridLayout(content());
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(2);
    grid->addWidget(gdb, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(control_label(tr("Node num:"), node_), 0, 1, Qt::AlignBottom);
    grid->addWidget(node_, 1, 1, Qt::AlignTop);
    grid->addWidget(byte_order_, 0, 2, 2, 1, Qt::AlignTop);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(1, 1);
}

protocol_form_values CMbplusForm::header_values(const protocol_header& header) const {
    protocol_form_values v = CProtocolForm::header_values(header);
    if (const auto* h = dynamic_cast<const mbplus_header*>(&header)) {
        v.source_id = h->source_id;
        v.number_of_words = h->number_of_words;
        v.offset_in_gdb = h->offset_in_gdb;
    }
    return v;
}

void CMbplusForm::fill_controls(protocol_header& header) {
    const protocol_form_values v = header_values(header);
    source_id_->set_value(v.source_id);
    number_of_words_->set_value(v.number_of_words);
    offset_in_gdb_->set_value(v.offset_in_gdb);
    node_->set_value(v.node);
    byte_order_->set_checked(v.byte_order);
}

void CMbplusForm::read_controls(bool complain) {
    read_integer(source_id_, values_.source_id, complain);
    read_integer(number_of_words_, values_.number_of_words, complain);
    read_integer(offset_in_gdb_, values_.offset_in_gdb, complain);
    read_integer(node_, values_.node, complain);
    read_choice(byte_order_, values_.byte_order);
}
