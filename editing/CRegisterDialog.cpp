#include "editing/CRegisterDialog.h"

#include "document/editor_ui.h"
#include "editing/CRegisterProperty_1.h"
#include "editing/CRegisterProperty_2.h"
#include "editing/CRegisterProperty_3.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

CRegisterDialog::CRegisterDialog(const register_dialog_values& values, bool editing_existing,
                                 parameter_list* catalogue, bool network, QWidget* parent)
    : QDialog(parent), state_(values, editing_existing, catalogue, network), values_(values),
      tabs_(new QTabWidget(this)), page_1_(new CRegisterProperty_1(state_, tabs_)) {
    setWindowTitle(QStringLiteral("Register properties"));
    auto* layout = new QVBoxLayout(this);
    tabs_->addTab(page_1_, QStringLiteral("Register"));
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRegisterDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CRegisterDialog::reject);
    layout->addWidget(buttons);
    connect(page_1_, &CRegisterProperty_1::state_changed, this, &CRegisterDialog::follow_state);
    follow_state();
    page_1_->tree()->setFocus();
}

CRegisterDialog::~CRegisterDialog() = default;

namespace {
// Scrolls the page holding field so that field is in view.
void show_in_page(QWidget* field) {
    for (QWidget* w = field->parentWidget(); w != nullptr; w = w->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            area->ensureWidgetVisible(field);
            return;
        }
}
} // namespace

void CRegisterDialog::follow_state() {
    if (state_.commands_page() && page_2_ == nullptr) {
        page_2_ = new CRegisterProperty_2(state_.bits(), tabs_);
        tabs_->addTab(page_2_, QStringLiteral("Commands"));
    } else if (!state_.commands_page() && page_2_ != nullptr) {
        tabs_->removeTab(tabs_->indexOf(page_2_));
        delete page_2_;
        page_2_ = nullptr;
    }
    if (state_.status_page() && page_3_ == nullptr) {
        page_3_ = new CRegisterProperty_3(state_.bits(), state_.device_code(), tabs_);
        tabs_->addTab(page_3_, QStringLiteral("Status"));
    } else if (!state_.status_page() && page_3_ != nullptr) {
        tabs_->removeTab(tabs_->indexOf(page_3_));
        delete page_3_;
        page_3_ = nullptr;
    }
    const bool ok = state_.controls().ok;
    ok_->setEnabled(ok);
    // A disabled OK says why, to the mouse and to screen readers.
    const QString reason = ok ? QString() : QString::fromLatin1(ok_disabled_reason);
    ok_->setToolTip(reason);
    ok_->setAccessibleDescription(reason);
}

bool CRegisterDialog::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    // A page that grew (added, or filled when first shown) grows the dialog with it.
    if (event->type() == QEvent::LayoutRequest && isVisible())
        fit_to_screen();
    return handled;
}

void CRegisterDialog::setVisible(bool visible) {
    if (visible && !isVisible())
        fit_to_screen();
    QDialog::setVisible(visible);
}

void CRegisterDialog::fit_to_screen() {
    const QScreen* shown_on = screen();
    if (shown_on == nullptr)
        return;
    ensurePolished(); // sizes are only known once the style has seen every control
    const QRect room = shown_on->availableGeometry();
    // The window frame around the dialog, before the window system tells its size.
    const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize(16, 40);
    const QSize most = room.size() - frame;
    const QSize wanted = (isVisible() ? sizeHint().expandedTo(size()) : sizeHint()).boundedTo(most);
    if (wanted != size())
        resize(wanted);
    if (!isVisible())
        return;
    // Grown while open: back inside the screen.
    QRect placed = frameGeometry();
    placed.moveRight(std::min(placed.right(), room.right()));
    placed.moveBottom(std::min(placed.bottom(), room.bottom()));
    placed.moveLeft(std::max(placed.left(), room.left()));
    placed.moveTop(std::max(placed.top(), room.top()));
    if (placed.topLeft() != frameGeometry().topLeft())
        move(placed.topLeft());
}

QWidget* CRegisterDialog::refused_widget(const dialog_refusal& refusal) const {
    using field = dialog_refusal::field;
    switch (refusal.where) {
    case field::command_feeder:
        return page_2_ ? page_2_->feeder(refusal.bit) : nullptr;
    case field::status_feeder:
        return page_3_ ? page_3_->feeder(refusal.bit) : nullptr;
    case field::status_bit_position:
        return page_3_ ? page_3_->bit_position(refusal.bit) : nullptr;
    default:
        return page_1_->field_widget(refusal.where);
    }
}

void CRegisterDialog::accept() {
    if (!ok_->isEnabled())
        return;
    register_dialog_values confirmed;
    if (const auto refusal = state_.confirm(confirmed)) {
        editor_ui().message(refusal->message);
        if (QWidget* field = refused_widget(*refusal)) {
            for (QWidget* page : {static_cast<QWidget*>(page_1_), static_cast<QWidget*>(page_2_),
                                  static_cast<QWidget*>(page_3_)})
                if (page != nullptr && page->isAncestorOf(field))
                    tabs_->setCurrentWidget(page);
            field->setFocus();
            show_in_page(field);
            if (auto* edit = qobject_cast<QLineEdit*>(field))
                edit->selectAll();
        }
        return;
    }
    // A mnemonic typed outside the list reaches the card as the image carries it: the user
    // keeps it knowingly, or goes back to it.
    for (const mnemonic_question& q : state_.bits().unknown_mnemonics(state_.commands_page())) {
        if (editor_ui().ask_yes_no_default_no(q.text))
            continue;
        QComboBox* field = page_2_->mnemonic(q.bit);
        tabs_->setCurrentWidget(page_2_);
        field->setFocus();
        show_in_page(field);
        if (QLineEdit* edit = field->lineEdit())
            edit->selectAll();
        return;
    }
    values_ = confirmed;
    QDialog::accept();
}
