#include "app/CChildFrame.h"

#include "app/AppSetup.h"
#include "document/CTessalyDoc.h"
#include "editing/CRegisterPane.h"
#include "editing/CRegisterView.h"
#include "live_ui/CLiveValuesWindow.h"
#include "model/host_register.h"
#include "model/zrp_file.h"
#include "protocol_ui/CProtocolForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QSplitter>

namespace {
// A new document window starts this wide; both panes start 100 high until the form's header
// says otherwise.
constexpr int initial_width = 630;
constexpr int initial_pane_height = 100;

const QIcon& document_icon(bool modified) {
    static const QIcon plain(QStringLiteral(":/icons/document.png"));
    // The same icon with a dot in its lower right corner, as editors mark unsaved work.
    static const QIcon marked = [] {
        QIcon icon;
        for (int size : {16, 24, 32, 48}) {
            QPixmap pixmap = plain.pixmap(size, size);
            if (pixmap.isNull()) {
                pixmap = QPixmap(size, size);
                pixmap.fill(Qt::transparent);
            }
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            const qreal dot = size * 0.5;
            painter.setPen(QPen(Qt::white, size / 16.0));
            painter.setBrush(QColor(0xd9, 0x48, 0x0f));
            painter.drawEllipse(QRectF(size - dot, size - dot, dot, dot).adjusted(1, 1, -1, -1));
            painter.end();
            icon.addPixmap(pixmap);
        }
        return icon;
    }();
    return modified ? marked : plain;
}
} // namespace

CChildFrame::CChildFrame(CTessalyDoc* doc, CProtocolDialogs& protocol_dialogs,
                         CRegisterDialogs& register_dialogs, QWidget* parent)
    : QMdiSubWindow(parent), doc_(doc), protocol_dialogs_(protocol_dialogs) {
    setAttribute(Qt::WA_DeleteOnClose);
    doc_->setParent(nullptr);

    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->setChildrenCollapsible(false);
    form_ = CProtocolForm::create(doc_, protocol_dialogs_, splitter_);
    splitter_->addWidget(form_);
    pane_ = new CRegisterPane(doc_, register_dialogs, splitter_);
    view_ = pane_->view();
    view_->setAccessibleName(QStringLiteral("Register list"));
    // The list's rows lead to their live values: the document's Live Values window, on the
    // register of the current row.
    auto* show_live = new QAction(QStringLiteral("Show &Live Value"), this);
    connect(show_live, &QAction::triggered, this, [this] {
        const QList<int> rows = view_->selected_rows();
        const host_register* reg =
            rows.isEmpty() ? nullptr : doc_->map()->register_at(rows.front());
        CLiveValuesWindow* window = show_live_values();
        if (reg != nullptr)
            window->show_register(reg->register_number);
    });
    view_->add_context_action(show_live);
    splitter_->addWidget(pane_);
    connect(view_, &CRegisterView::command_state_changed, this,
            &CChildFrame::command_state_changed);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({initial_pane_height, initial_pane_height});
    setWidget(splitter_);
    resize(initial_width, height());

    connect(doc_, &CTessalyDoc::header_replaced, this, &CChildFrame::rebuild_form_pane);
    connect(doc_, &CTessalyDoc::title_changed, this, &CChildFrame::update_title);
    connect(doc_, &CTessalyDoc::modified_changed, this, &CChildFrame::update_title);
    connect(doc_, &CTessalyDoc::modified_changed, this, &CChildFrame::command_state_changed);
    connect(doc_, &CTessalyDoc::history_changed, this, &CChildFrame::command_state_changed);
    connect(doc_, &CTessalyDoc::modified_changed, this,
            [this](bool modified) { setWindowIcon(document_icon(modified)); });
    update_title();
    setWindowIcon(document_icon(doc_->is_modified()));

    // The register list is the active pane.
    view_->setFocus();
    size_form_pane();
}

CChildFrame::~CChildFrame() {
    // The panes and the Live Values window refer to the document: they go first.
    delete live_;
    delete splitter_;
    splitter_ = nullptr;
    delete doc_;
}

void CChildFrame::rebuild_form_pane() {
    zrp_file* map = doc_->map();
    if (map && map->header) {
        QWidget* old_form = form_;
        form_ = CProtocolForm::create(doc_, protocol_dialogs_, nullptr);
        splitter_->replaceWidget(0, form_);
        // The old form may be the sender of the change that led here.
        old_form->hide();
        old_form->deleteLater();
        size_form_pane();
    }
    if (mdiArea())
        showMaximized();
}

CLiveValuesWindow* CChildFrame::show_live_values() {
    if (!live_)
        live_ = new CLiveValuesWindow(doc_, AppSetup::settings(), this);
    live_->show();
    live_->raise();
    live_->activateWindow();
    return live_;
}

CLiveValuesWindow* CChildFrame::live_values() const {
    return live_;
}

void CChildFrame::size_form_pane() {
    zrp_file* map = doc_->map();
    if (!map || !map->header)
        return;
    const int height = map->header->form_pane_size().second;
    const int total = splitter_->height() > height ? splitter_->height() : 4 * height;
    splitter_->setSizes({height, total - height});
}

void CChildFrame::update_title() {
    setWindowTitle(doc_->title());
}

void CChildFrame::focus_next_pane(bool forward) {
    // With two panes both directions lead to the other pane; from outside the panes, forward
    // goes to the first pane and backward to the last.
    QWidget* focus = QApplication::focusWidget();
    const bool in_view = focus && (focus == pane_ || pane_->isAncestorOf(focus));
    const bool in_form = focus && (focus == form_ || form_->isAncestorOf(focus));
    QWidget* next = in_view   ? form_
                    : in_form ? static_cast<QWidget*>(view_)
                              : (forward ? form_ : static_cast<QWidget*>(view_));
    if (!next)
        return;
    if (QWidget* inside = next->nextInFocusChain();
        inside && next->isAncestorOf(inside) && next->focusPolicy() == Qt::NoFocus)
        inside->setFocus(Qt::OtherFocusReason);
    else
        next->setFocus(Qt::OtherFocusReason);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (close_guard_ && !close_guard_()) {
        event->ignore();
        return;
    }
    // The document's Live Values window stops polling now, not when the frame is deleted.
    if (live_)
        live_->close();
    QMdiSubWindow::closeEvent(event);
}

CProtocolForm* CChildFrame::active_form() const {
    QWidget* focus = QApplication::focusWidget();
    if (form_ == nullptr || focus == nullptr || !(focus == form_ || form_->isAncestorOf(focus)))
        return nullptr;
    if (auto* form = qobject_cast<CProtocolForm*>(form_))
        return form;
    return form_->findChild<CProtocolForm*>();
}
