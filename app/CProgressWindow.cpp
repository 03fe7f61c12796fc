#include "app/CProgressWindow.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Said while a cancelled transfer waits for the frame on the wire.
const char* const stopping_text = "Cancelling after the frame on the wire...";
} // namespace

CProgressWindow::CProgressWindow(QWidget* parent) : QDialog(parent) {
    setWindowModality(Qt::NonModal);
    setMinimumWidth(360);
    label_ = new QLabel;
    label_->setAccessibleName(QStringLiteral("Transfer"));
    bar_ = new QProgressBar;
    bar_->setAccessibleName(QStringLiteral("Progress"));
    note_ = new QLabel;
    note_->setAccessibleName(QStringLiteral("Status"));
    note_->setWordWrap(true);
    note_->hide();
    auto* buttons = new QDialogButtonBox;
    cancel_ = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel_->setAccessibleName(QStringLiteral("Cancel"));
    connect(cancel_, &QPushButton::clicked, this, &CProgressWindow::request_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addWidget(note_);
    layout->addWidget(buttons);
}

void CProgressWindow::start(const QString& title, int low, int high) {
    cancel_asked_ = false;
    cancel_->setEnabled(true);
    setWindowTitle(title);
    label_->setText(title);
    set_note({});
    set_range(low, high);
    bar_->setValue(low);
    show();
    // Centred on the window it belongs to (or the screen).
    if (QWidget* parent = parentWidget())
        move(parent->geometry().center() - rect().center());
    raise();
}

void CProgressWindow::set_range(int low, int high) {
    bar_->setRange(low, high);
}

void CProgressWindow::set_position(int position) {
    bar_->setValue(position);
}

void CProgressWindow::set_note(const QString& note) {
    // Once the user asked to stop, that is what the window says until the transfer ends.
    const QString shown = cancel_asked_ ? QString::fromLatin1(stopping_text) : note;
    note_->setText(shown);
    note_->setVisible(!shown.isEmpty());
}

QString CProgressWindow::note() const {
    return note_->text();
}

void CProgressWindow::set_cancellable(bool cancellable) {
    cancellable_ = cancellable;
    cancel_->setVisible(cancellable);
}

void CProgressWindow::reject() {
    request_cancel();
}

void CProgressWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    request_cancel();
}

void CProgressWindow::request_cancel() {
    if (!cancellable_ || cancel_asked_)
        return;
    cancel_asked_ = true;
    cancel_->setEnabled(false);
    set_note({});
    emit cancel_requested();
}
