#pragma once
// How the editor asks for file names and whether to save a modified document. The editor
// uses the Qt dialogs (QtFilePrompter); tests install scripted answers.

#include <QString>

class QWidget;

class file_prompter {
  public:
    enum class save_answer { yes, no, cancel };
    virtual ~file_prompter() = default;
    // An existing file to open; empty when the user cancelled. A name typed without an
    // extension takes default_suffix (without its dot; empty: none).
    virtual QString open_path(QWidget* parent, const QString& title, const QString& filter,
                              const QString& start, const QString& default_suffix) = 0;
    // A file name to save to; empty when the user cancelled. A name typed without an
    // extension takes default_suffix (without its dot).
    virtual QString save_path(QWidget* parent, const QString& title, const QString& filter,
                              const QString& start, const QString& default_suffix) = 0;
    // "Save changes to %1?" with Yes, No and Cancel.
    virtual save_answer ask_save_changes(QWidget* parent, const QString& text) = 0;
};
