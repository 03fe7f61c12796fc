#pragma once
// The editor's file prompts: the Qt file dialogs and the "Save changes to %1?" question.

#include "app/file_prompter.h"

class QtFilePrompter : public file_prompter {
  public:
    QString open_path(QWidget* parent, const QString& title, const QString& filter,
                      const QString& start) override;
    QString save_path(QWidget* parent, const QString& title, const QString& filter,
                      const QString& start) override;
    save_answer ask_save_changes(QWidget* parent, const QString& text) override;
};
