#include "protocol_ui/CProtocolForm.h"

#include "app/CTessalyDoc.h"
#include "core/user_interface.h"
#include "model/map_editor.h"
#include "model/zrp_file.h"
#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/CIpAddressEdit.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>

CProtocolForm::CProtocolForm(CTessalyDoc* doc, QWidget* parent)
    : QScrollArea(parent), doc_(doc), content_(new QWidget) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setWidget(content_);
    content_->installEventFilter(this);
    viewport()->installEventFilter(this);
    if (doc_)
        connect(doc_, &CTessalyDoc::views_update, this, [this](QObject* sender, int) {
            if (sender != this)
                fill();
        });
}

protocol_header* CProtocolForm::header() const {
    return doc_ && doc_->map() ? doc_->map()->header.get() : nullptr;
}

protocol_form_values CProtocolForm::header_values(const protocol_header& h) const {
    protocol_form_values v;
    v.baud = h.baud;
    v.data_bits = h.data_bits;
    v.parity = h.parity;
    v.stop_bits = h.stop_bits;
    v.mode = h.mode;
    v.byte_order = h.byte_order;
    v.node = h.node;
    return v;
}

void CProtocolForm::initial_update() {
    prepare();
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
    const bool sets_filling = fill_sets_filling();
    if (sets_filling)
        filling = true;
    values_ = header_values(*h);
    writing_controls_ = true;
    for (CChoiceGroup* group : choices_)
        group->set_checked(-1);
    fill_controls(*h);
    apply_device_rule(*h);
    writing_controls_ = false;
    // The members start from the header and take what the controls now show.
    read_controls(false);
    if (sets_filling)
        filling = false;
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
        values_.filling = filling;
        // The keystrokes in one field are one step of the history.
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
    values_.filling = filling;
    map_editor& editor = doc_->editor();
    editor.apply_form(values_, nullptr, edits_count());
    if (editor.edit_header().accepted) {
        doc_->update_all_views(this);
        fill();
    }
}

CChoiceGroup* CProtocolForm::add_choice(const QString& title, std::span<const char* const> labels) {
    auto* group = new CChoiceGroup(title, labels, content_);
    choices_.push_back(group);
    connect(group, &CChoiceGroup::choice_clicked, this, &CProtocolForm::on_change);
    return group;
}

CIntegerEdit* CProtocolForm::add_integer(bool is_unsigned) {
    auto* edit = new CIntegerEdit(
        is_unsigned ? CIntegerEdit::unsigned_any : CIntegerEdit::signed_any, content_);
    edit->setMaximumWidth(90);
    connect(edit, &QLineEdit::textChanged, this, &CProtocolForm::on_change);
    return edit;
}

CIpAddressEdit* CProtocolForm::add_address() {
    auto* edit = new CIpAddressEdit(content_);
    connect(edit, &CIpAddressEdit::address_changed, this, &CProtocolForm::on_change);
    return edit;
}

void CProtocolForm::read_integer(CIntegerEdit* edit, int& target, bool complain) const {
    if (const auto v = edit->value())
        target = *v;
    else if (complain && (changed_control_ == nullptr || changed_control_ == edit))
        ui().message(edit->refusal().toStdString());
}

void CProtocolForm::read_choice(const CChoiceGroup* group, int& target, int offset) {
    if (group->checked() >= 0)
        target = group->checked() + offset;
}

bool CProtocolForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched->isWidgetType()) {
        on_properties();
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}
