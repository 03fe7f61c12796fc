#include "editing/CRegisterDialog.h"

#include "core/user_interface.h"
#include "editing/CRegisterProperty_1.h"
#include "editing/CRegisterProperty_2.h"
#include "editing/CRegisterProperty_3.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

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
    ok_->setEnabled(state_.controls().ok);
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
        ui().message(refusal->message);
        if (QWidget* field = refused_widget(*refusal)) {
            for (QWidget* page : {static_cast<QWidget*>(page_1_), static_cast<QWidget*>(page_2_),
                                  static_cast<QWidget*>(page_3_)})
                if (page != nullptr && page->isAncestorOf(field))
                    tabs_->setCurrentWidget(page);
            field->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(field))
                edit->selectAll();
        }
        return;
    }
    // A mnemonic typed outside the list reaches the card as the image carries it: the user
    // keeps it knowingly, or goes back to it.
    for (const mnemonic_question& q : state_.bits().unknown_mnemonics(state_.commands_page())) {
        if (ui().ask_yes_no_default_no(q.text))
            continue;
        QComboBox* field = page_2_->mnemonic(q.bit);
        tabs_->setCurrentWidget(page_2_);
        field->setFocus();
        if (QLineEdit* edit = field->lineEdit())
            edit->selectAll();
        return;
    }
    values_ = confirmed;
    QDialog::accept();
}
