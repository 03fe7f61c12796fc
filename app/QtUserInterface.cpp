#include "app/QtUserInterface.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScreen>

namespace {
// Message boxes carry the program's name, as every box of the editor does.
const char* box_title = "Tessaly";

QMessageBox::StandardButton ask(QMessageBox::Icon icon, const std::string& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton default_button,
                                const std::string& detail = {}) {
    QMessageBox box(icon, box_title, QtUserInterface::display_text(text), buttons,
                    QtUserInterface::dialog_parent());
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

QtProgressDisplay::~QtProgressDisplay() {
    delete dialog_.data();
}

void QtProgressDisplay::open(const std::string& title, int low, int high) {
    if (!dialog_) {
        dialog_ = new QProgressDialog(QtUserInterface::dialog_parent());
        dialog_->setWindowModality(Qt::NonModal);
        dialog_->setCancelButton(nullptr); // a transfer cannot be cancelled
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setMinimumWidth(320);
    }
    dialog_->setWindowTitle(title.empty() ? QStringLiteral("File progress")
                                          : QtUserInterface::display_text(title));
    dialog_->setLabelText(dialog_->windowTitle());
    dialog_->setRange(low, high);
    dialog_->setValue(low);
    dialog_->show();
    // Centred on the main window (or the screen), and drawn before the transfer blocks.
    if (QWidget* parent = dialog_->parentWidget())
        dialog_->move(parent->geometry().center() - dialog_->rect().center());
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        dialog_->move(screen->geometry().center() - dialog_->rect().center());
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtProgressDisplay::set_range(int low, int high) {
    if (dialog_)
        dialog_->setRange(low, high);
}

void QtProgressDisplay::set_position(int position) {
    if (!dialog_)
        return;
    dialog_->setValue(position);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtProgressDisplay::close() {
    if (!dialog_)
        return;
    dialog_->hide();
    dialog_->deleteLater();
    dialog_.clear();
}
