#pragma once
// The ways the core shows things to the user and asks questions. The editor implements them
// with message boxes and progress windows, tessaly-cli on the terminal, tests with scripted
// answers. Core code reaches the current implementation through ui().

#include <string>

// A modeless progress display for a long transfer or conversion.
class progress_display {
  public:
    virtual ~progress_display() = default;
    // Shows the display with its title and resets it to the range [low, high].
    virtual void open(const std::string& title, int low, int high) = 0;
    virtual void set_range(int low, int high) = 0;
    virtual void set_position(int position) = 0;
    // A line under the bar saying what the work waits for ("No answer from the card, ...");
    // an empty text takes it away.
    virtual void set_note(const std::string& note) = 0;
    // Hides the display; safe to call when it is not open.
    virtual void close() = 0;
};

class user_interface {
  public:
    virtual ~user_interface() = default;
    // A message box with an OK button.
    virtual void message(const std::string& text) = 0;
    // The same message box with a detailed text beneath it (the system's reason for a
    // failure, such as "Permission denied"). An implementation without room for it shows the
    // message alone.
    virtual void detailed_message(const std::string& text, const std::string& /*detail*/) {
        message(text);
    }
    // A message box with Retry and Cancel; true when the user chose Retry.
    virtual bool ask_retry_cancel(const std::string& text) = 0;
    // The same with a detailed text beneath it (what failed and why).
    virtual bool detailed_retry_cancel(const std::string& text, const std::string& /*detail*/) {
        return ask_retry_cancel(text);
    }
    // A message box with Yes and No; true when the user chose Yes.
    virtual bool ask_yes_no(const std::string& text) = 0;
    // The same question with No the default answer, for a Yes that risks something (sending
    // a map the card would get otherwise). An implementation without default answers asks
    // it as ask_yes_no does.
    virtual bool ask_yes_no_default_no(const std::string& text) { return ask_yes_no(text); }
    // The progress display for transfers.
    virtual progress_display& progress() = 0;
};

// The implementation in force. Until one is installed, messages go to standard error and
// every question is answered with Cancel / No.
user_interface& ui();
// Installs an implementation (not owned) and returns the previous one; nullptr restores the
// default.
user_interface* set_ui(user_interface* implementation);

// Installs an implementation for the lifetime of this object.
class scoped_ui {
  public:
    explicit scoped_ui(user_interface& implementation) : previous_(set_ui(&implementation)) {}
    ~scoped_ui() { set_ui(previous_); }
    scoped_ui(const scoped_ui&) = delete;
    scoped_ui& operator=(const scoped_ui&) = delete;

  private:
    user_interface* previous_;
};
