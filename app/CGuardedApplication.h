#pragma once
// The editor's QApplication: an event handler that runs out of memory (a command started on a
// map too large for the machine) ends with a message instead of taking the editor down with
// every unsaved map in it.

#include <QApplication>

// Said when a command ran out of memory; the editor goes on.
inline constexpr const char* msg_command_out_of_memory =
    "Not enough memory to finish the command. Close other maps or programs and try again.";

class CGuardedApplication : public QApplication {
  public:
    CGuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override;
};
