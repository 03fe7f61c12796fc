#include "app/QtUserInterface.h"

#include "app/CProgressWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

namespace {
// Message boxes carry the program's name, as every box of the editor does.
const char* box_title = "Tessaly";

QMessageBox::StandardButton ask(QMessageBox::Icon icon, const std::string& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton default_button,
                                const std::string& detail = {}) {
    QMessageBox box(icon, box_title, QString(), buttons, QtUserInterface::dialog_parent());
    // The text is plain (a "<" in a path is no markup), its lines one left-aligned column
    // beside the icon.
    box.setTextFormat(Qt::PlainText);
    box.setText(QtUserInterface::display_text(text));
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box.setDefaultButton(default_button);
    if (!detail.empty())
        box.setDetailedText(QtUserInterface::display_text(detail));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

QString QtUserInterface::display_text(const std::string& text) {
    return QString::fromStdString(text)
        .replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1String("\n\r"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QWidget* QtUserInterface::dialog_parent() {
    if (QWidget* w = QApplication::activeWindow())
        return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits("QMainWindow"))
            return w;
    return nullptr;
}

void QtUserInterface::message(const std::string& text) {
    // The core reports outcomes good and bad through the same call: a neutral icon.
    ask(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtUserInterface::detailed_message(const std::string& text, const std::string& detail) {
    ask(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok, detail);
}

bool QtUserInterface::ask_retry_cancel(const std::string& text) {
    return ask(QMessageBox::Warning, text, QMessageBox::Retry | QMessageBox::Cancel,
               QMessageBox::Retry) == QMessageBox::Retry;
}

bool QtUserInterface::detailed_retry_cancel(const std::string& text, const std::string& detail) {
    return ask(QMessageBox::Warning, text, QMessageBox::Retry | QMessageBox::Cancel,
               QMessageBox::Retry, detail) == QMessageBox::Retry;
}

bool QtUserInterface::ask_yes_no(const std::string& text) {
    return ask(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

bool QtUserInterface::ask_yes_no_default_no(const std::string& text) {
    return ask(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

QtProgressDisplay::~QtProgressDisplay() {
    delete window_.data();
}

void QtProgressDisplay::open(const std::string& title, int low, int high) {
    if (!window_) {
        window_ = new CProgressWindow(QtUserInterface::dialog_parent());
        QObject::connect(window_, &CProgressWindow::cancel_requested, window_, [this] {
            if (cancel_handler_)
                cancel_handler_();
        });
    }
    window_->set_cancellable(static_cast<bool>(cancel_handler_));
    window_->start(title.empty() ? QStringLiteral("File progress")
                                 : QtUserInterface::display_text(title),
                   low, high);
}

void QtProgressDisplay::set_range(int low, int high) {
    if (window_)
        window_->set_range(low, high);
}

void QtProgressDisplay::set_position(int position) {
    if (window_)
        window_->set_position(position);
}

void QtProgressDisplay::set_note(const std::string& note) {
    if (window_)
        window_->set_note(QString::fromStdString(note));
}

void QtProgressDisplay::close() {
    if (!window_)
        return;
    window_->hide();
    window_->deleteLater();
    window_.clear();
}

void QtProgressDisplay::set_cancel_handler(std::function<void()> handler) {
    cancel_handler_ = std::move(handler);
    if (window_)
        window_->set_cancellable(static_cast<bool>(cancel_handler_));
}

CProgressWindow* QtProgressDisplay::window() const {
    return window_;
}
