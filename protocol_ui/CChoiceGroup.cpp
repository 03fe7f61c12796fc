#include "protocol_ui/CChoiceGroup.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

CChoiceGroup::CChoiceGroup(const QString& title, std::span<const char* const> labels,
                           QWidget* parent, bool horizontal)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this)) {
    QBoxLayout* layout = horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(this))
                                    : static_cast<QBoxLayout*>(new QVBoxLayout(this));
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    int id = 0;
    for (const char* label : labels) {
        auto* radio = new QRadioButton(QString::fromUtf8(label), this);
        buttons_->addButton(radio, id++);
        layout->addWidget(radio);
    }
    // Buttons keep to the top (or left) when the group is given more room than it needs.
    layout->addStretch(1);
    connect(buttons_, &QButtonGroup::idClicked, this, &CChoiceGroup::choice_clicked);
}

int CChoiceGroup::checked() const {
    return buttons_->checkedId();
}

void CChoiceGroup::set_checked(int position) {
    // An exclusive group cannot uncheck its last checked button; lift the exclusivity while
    // the buttons are set.
    buttons_->setExclusive(false);
    const auto all = buttons_->buttons();
    for (QAbstractButton* b : all)
        b->setChecked(buttons_->id(b) == position);
    buttons_->setExclusive(true);
}

int CChoiceGroup::count() const {
    return static_cast<int>(buttons_->buttons().size());
}

QRadioButton* CChoiceGroup::button(int position) const {
    return qobject_cast<QRadioButton*>(buttons_->button(position));
}
