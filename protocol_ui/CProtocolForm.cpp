#include "protocol_ui/CProtocolForm.h"

#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "edit/map_editor.h"
#include "model/zrp_file.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/CProtocolDialogs.h"
#include "protocol_ui/accessible_labels.h"
#include "protocol_ui/read_only_field.h"

#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {
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

CProtocolForm* CProtocolForm::create(CTessalyDoc* doc, CProtocolDialogs& dialogs, QWidget* parent) {
    const protocol_header* h = doc && doc->map() ? doc->map()->header.get() : nullptr;
    const protocol_description& protocol = h ? h->description() : generic_protocol;
    auto* form = new CProtocolForm(doc, dialogs, layout_for(protocol.form), protocol, parent);
    form->initial_update();
    return form;
}

CProtocolForm::CProtocolForm(CTessalyDoc* doc, CProtocolDialogs& dialogs,
                             const protocol_layout& layout, const protocol_description& protocol,
                             QWidget* parent)
    : QScrollArea(parent), doc_(doc), dialogs_(dialogs), layout_(layout), content_(new QWidget),
      controls_(layout, protocol, content_, true) {
    setObjectName(QString::fromLatin1(layout.form_name));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setWidget(content_);
    content_->installEventFilter(this);
    viewport()->installEventFilter(this);

    auto* grid = new QGridLayout(content_);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(2);
    controls_.lay_out(grid, layout.form_grid, [this](const piece& p) { return block_part(p); });
    if (layout.spacing >= 0)
        grid->setHorizontalSpacing(layout.spacing);
    grid->setColumnStretch(layout.stretch_column, 1);
    grid->setRowStretch(layout.stretch_row, 1);

    for (const auto& [field, widget] : controls_.all()) {
        if (auto* group = qobject_cast<CChoiceGroup*>(widget))
            connect(group, &CChoiceGroup::choice_clicked, this, &CProtocolForm::on_change);
        else if (auto* edit = qobject_cast<CIntegerEdit*>(widget))
            connect(edit, &QLineEdit::textChanged, this, &CProtocolForm::on_change);
        else if (auto* address = qobject_cast<CIpAddressEdit*>(widget))
            connect(address, &CIpAddressEdit::address_changed, this, &CProtocolForm::on_change);
    }
    if (doc_)
        connect(doc_, &CTessalyDoc::views_update, this, [this](QObject* sender, int) {
            if (sender != this)
                fill();
        });
}

QWidget* CProtocolForm::block_part(const piece& p) {
    if (!blocks_) {
        blocks_ = new CBlockList(content_);
        connect(blocks_, &CBlockList::list_double_clicked, this, &CProtocolForm::on_properties);
    }
    switch (p.kind) {
    case piece_kind::block_list:
        return blocks_;
    case piece_kind::block_label:
        return control_label(tr(p.text), blocks_);
    case piece_kind::io_area:
    case piece_kind::param_area: {
        const std::size_t first = p.kind == piece_kind::io_area ? 0 : 2;
        for (std::size_t i = first; i < first + 2; ++i) {
            counts_[i] = new QLineEdit(content_);
            set_read_only(counts_[i], true);
            counts_[i]->setMaximumWidth(60);
        }
        return count_group(p.kind == piece_kind::io_area ? tr("I/O Area") : tr("Param Area"),
                           counts_[first], counts_[first + 1], content_);
    }
    default:
        return nullptr;
    }
}

protocol_header* CProtocolForm::header() const {
    return doc_ && doc_->map() ? doc_->map()->header.get() : nullptr;
}

void CProtocolForm::initial_update() {
    if (blocks_)
        blocks_->setup_columns();
    // A double-click on the background of a group or on a label counts as one on the form.
    for (QWidget* w : content_->findChildren<QWidget*>())
        if (qobject_cast<QGroupBox*>(w) || qobject_cast<QLabel*>(w))
            w->installEventFilter(this);
    fill();
    initialised = true;
}

void CProtocolForm::fill() {
    protocol_header* h = header();
    if (!h)
        return;
    filling = true;
    values_ = *h;
    writing_controls_ = true;
    controls_.show(values_, false);
    if (blocks_)
        fill_blocks(*h);
    if (layout_.form_rule)
        layout_.form_rule(*this, *h);
    writing_controls_ = false;
    // The values start from the header and take what the controls now show.
    read_controls(false);
    filling = false;
}

void CProtocolForm::fill_blocks(const protocol_header& h) {
    blocks_->delete_all_rows();
    blocks_->show_blocks(h.blocks.table, 0, std::clamp(h.blocks.block_count, 0, block_table_size));
    const int totals[4] = {h.blocks.io_input_size, h.blocks.io_output_size,
                           h.blocks.param_input_usage, h.blocks.param_output_usage};
    for (std::size_t i = 0; i < counts_.size(); ++i)
        if (counts_[i])
            counts_[i]->setText(QString::number(totals[i]));
}

void CProtocolForm::read_controls(bool complain) {
    controls_.take_choices_and_addresses(values_);
    for (const auto& [field, widget] : controls_.all()) {
        auto* edit = qobject_cast<CIntegerEdit*>(widget);
        if (!edit)
            continue;
        if (const auto v = edit->value())
            *values_.integer(field) = *v;
        else if (complain && (changed_control_ == nullptr || changed_control_ == edit))
            editor_ui().message(edit->refusal().toStdString());
    }
}

void CProtocolForm::on_change() {
    if (writing_controls_ || in_change)
        return;
    in_change = true;
    if (header()) {
        // Only the control being edited may complain: a field still holding refused text
        // must not repeat its message on every click elsewhere in the form.
        QObject* control = sender();
        changed_control_ = control;
        read_controls(true);
        changed_control_ = nullptr;
        // The keystrokes in one field are one step of the history.
        if (!filling)
            doc_->editor().apply_form(values_, control, edits_count());
    }
    in_change = false;
}

bool CProtocolForm::edits_count() const {
    // An edit of a map without registers does not make it differ from its file.
    return initialised && doc_->map() && doc_->map()->register_count() > 0;
}

void CProtocolForm::adjust_header(protocol_header& h, int data_bits, int mode,
                                  bool counts_as_modification) {
    if (doc_ && doc_->map() && doc_->map()->header.get() == &h) {
        doc_->editor().adjust_serial(data_bits, mode, counts_as_modification);
        return;
    }
    h.data_bits = data_bits;
    h.mode = mode;
}

void CProtocolForm::on_properties() {
    if (!header())
        return;
    read_controls(false);
    map_editor& editor = doc_->editor();
    if (!filling)
        editor.apply_form(values_, nullptr, edits_count());
    // The dialog starts from the header as its device rules leave it.
    std::optional<header_values> values = editor.header_dialog_values(editor_ui());
    const protocol_header& h = *header();
    if (!values || !dialogs_.edit_settings(h.description(), h.device_code, *values))
        return;
    editor.set_header(*values);
    doc_->update_all_views(this);
    fill();
}

bool CProtocolForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched->isWidgetType()) {
        on_properties();
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}
