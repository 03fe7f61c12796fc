#include "editing/CTriggerButton.h"

CTriggerButton::CTriggerButton(QWidget* parent) : QPushButton(parent) {
    // A push button draws its caption centred both ways.
    setAutoDefault(false);
    clear();
    connect(this, &QPushButton::clicked, this, &CTriggerButton::advance);
}

void CTriggerButton::clear() {
    count_ = 0;
    current_ = 0;
    show_caption(QStringLiteral("No items"));
}

int CTriggerButton::add_caption(const QString& caption) {
    if (count_ >= max_captions)
        return -1;
    captions_[static_cast<std::size_t>(count_)] = caption;
    if (count_ == 0)
        show_caption(caption);
    return count_++;
}

void CTriggerButton::select_index(int index) {
    if (index < 0 || index >= count_)
        return;
    current_ = index;
    show_current();
}

void CTriggerButton::advance() {
    if (count_ == 0)
        return;
    current_ = (current_ + 1) % count_;
    show_current();
    emit index_changed(current_);
}

void CTriggerButton::show_current() {
    show_caption(captions_[static_cast<std::size_t>(current_)]);
}

void CTriggerButton::set_accessible_label(const QString& label) {
    label_ = label;
    show_caption(text());
}

void CTriggerButton::show_caption(const QString& caption) {
    setText(caption);
    setAccessibleName(label_.isEmpty() ? caption : label_ + QLatin1Char(' ') + caption);
}
