#pragma once
// File > Import > "Old ZRP File...": picks an old map and a new name, runs the host protocol
// selection and converts the old map with Kconvert.

#include <QString>

#include <memory>

class CProtocolDialogs;
class QFileDialog;
class QWidget;

// How the command asks for its two paths; an empty result means the user cancelled. The
// editor uses QFileDialog; tests install their own.
class import_file_chooser {
  public:
    virtual ~import_file_chooser() = default;
    virtual QString open_path(QWidget* parent, const QString& title) = 0;
    virtual QString save_path(QWidget* parent, const QString& title) = 0;
};

// The file dialog the command asks with: the old map to open (save false) or the name of the
// new map (save true).
std::unique_ptr<QFileDialog> import_file_dialog(QWidget* parent, const QString& title, bool save);

// Runs the command, with the host protocol selection of dialogs; the messages and the
// overwrite question go through editor_ui().
void run_import_command(QWidget* parent, CProtocolDialogs& dialogs);
// The same with the given chooser (not owned).
void run_import_command(QWidget* parent, CProtocolDialogs& dialogs, import_file_chooser& chooser);
