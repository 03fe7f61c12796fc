#pragma once
// The editor's implementation of the core's user interface: message boxes with OK,
// Retry/Cancel and Yes/No, and the modeless "File progress" window of the transfers.

#include "core/user_interface.h"

#include <QPointer>

#include <functional>

class CProgressWindow;
class QWidget;

// The progress display as a "File progress" window. With a cancel handler the window offers
// Cancel (and Escape), which call it; without one it has no Cancel button.
class QtProgressDisplay : public progress_display {
  public:
    ~QtProgressDisplay() override;
    void open(const std::string& title, int low, int high) override;
    void set_range(int low, int high) override;
    void set_position(int position) override;
    void set_note(const std::string& note) override;
    void close() override;

    void set_cancel_handler(std::function<void()> handler);
    // The window while it is open, else nullptr.
    CProgressWindow* window() const;

  private:
    QPointer<CProgressWindow> window_;
    std::function<void()> cancel_handler_;
};

class QtUserInterface : public user_interface {
  public:
    void message(const std::string& text) override;
    // The message with the cause behind the box's "Show Details..." button.
    void detailed_message(const std::string& text, const std::string& detail) override;
    bool detailed_retry_cancel(const std::string& text, const std::string& detail) override;
    bool ask_retry_cancel(const std::string& text) override;
    bool ask_yes_no(const std::string& text) override;
    bool ask_yes_no_default_no(const std::string& text) override;
    progress_display& progress() override { return progress_; }

    // The window message boxes are centred on (the active window when none is set).
    static QWidget* dialog_parent();
    // A message as a box shows it: each line break one break, whether the text writes it as
    // LF, CR LF, LF CR or CR.
    static QString display_text(const std::string& text);

  private:
    QtProgressDisplay progress_;
};
