#pragma once
// Every window of the editor, built at once and shown side by side rather than one modal
// dialog after another, so that a test can read what each tells assistive technology: the
// main window holding one document per protocol (each with its form and its register list),
// the protocol settings dialogs, the host protocol selection, the block editor and Block
// Properties, port setup, preferences, about, the error list, the help window, the register
// dialog with each of its pages, the comparison and check results, and the file dialogs of
// the import command.

#include <QList>
#include <QString>

#include <memory>

class QWidget;

class every_window {
  public:
    struct window {
        // What the reports call the window: its title, and what it shows where two windows
        // share a title.
        QString name;
        QWidget* widget;
    };

    // Starts the editor on a private settings store and builds the windows (not shown yet).
    every_window();
    ~every_window();
    every_window(const every_window&) = delete;
    every_window& operator=(const every_window&) = delete;

    const QList<window>& windows() const { return windows_; }
    // Shows every window (the help window on its contents page) and lays the document windows
    // out side by side inside the main window.
    void show_all();

  private:
    struct parts;
    void add(const QString& name, QWidget* widget);

    std::unique_ptr<parts> parts_;
    QList<window> windows_;
};
