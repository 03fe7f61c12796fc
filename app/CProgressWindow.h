#pragma once
// The "File progress" window of a transfer: a progress bar, a line under it saying what the
// transfer waits for ("No answer from the card, transmission 5 of 12"), and a Cancel button.
// Modeless, so that the editor stays usable while the transfer runs. Cancel, Escape and the
// window's close button all ask the transfer to stop; the window itself stays until the
// transfer has ended, since the card may still answer the frame on the wire.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class CProgressWindow : public QDialog {
    Q_OBJECT
  public:
    explicit CProgressWindow(QWidget* parent = nullptr);

    // Shows the window with title (also its label) and the range [low, high] at low. A range
    // of 0 to 0 shows a busy bar.
    void start(const QString& title, int low, int high);
    void set_range(int low, int high);
    void set_position(int position);
    // The line under the bar; empty hides it.
    void set_note(const QString& note);
    QString note() const;
    // Whether the Cancel button is offered (a transfer that cannot stop hides it).
    void set_cancellable(bool cancellable);
    QPushButton* cancel_button() const { return cancel_; }
    QProgressBar* bar() const { return bar_; }

  signals:
    void cancel_requested();

  public slots:
    // Escape: asks the transfer to stop, and keeps the window.
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void request_cancel();

    QLabel* label_;
    QProgressBar* bar_;
    QLabel* note_;
    QPushButton* cancel_;
    bool cancellable_ = true;
    bool cancel_asked_ = false;
};
