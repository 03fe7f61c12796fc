#pragma once
// The editor's file prompts: the Qt file dialogs and the "Save changes to %1?" question.

#include "app/file_prompter.h"

#include <memory>

class QFileDialog;

class QtFilePrompter : public file_prompter {
  public:
    QString open_path(QWidget* parent, const QString& title, const QString& filter,
                      const QString& start, const QString& default_suffix) override;
    QString save_path(QWidget* parent, const QString& title, const QString& filter,
                      const QString& start, const QString& default_suffix) override;
    save_answer ask_save_changes(QWidget* parent, const QString& text) override;

    // The dialog open_path runs: an existing file, default_suffix added to a typed name
    // without an extension.
    static std::unique_ptr<QFileDialog> open_dialog(QWidget* parent, const QString& title,
                                                    const QString& filter, const QString& start,
                                                    const QString& default_suffix);
};
