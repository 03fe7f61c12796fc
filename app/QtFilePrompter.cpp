#include "app/QtFilePrompter.h"

#include "protocol_ui/accessible_labels.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

std::unique_ptr<QFileDialog> QtFilePrompter::open_dialog(QWidget* parent, const QString& title,
                                                         const QString& filter,
                                                         const QString& start,
                                                         const QString& default_suffix) {
    auto dialog = std::make_unique<QFileDialog>(parent, title, start, filter);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(default_suffix);
    if (QFileInfo(start).isFile())
        dialog->selectFile(start);
    label_file_dialog_fields(dialog.get());
    return dialog;
}

QString QtFilePrompter::open_path(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& start, const QString& default_suffix) {
    const auto dialog = open_dialog(parent, title, filter, start, default_suffix);
    return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
}

QString QtFilePrompter::save_path(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& start, const QString& default_suffix) {
    QFileDialog dialog(parent, title, start, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(default_suffix);
    dialog.selectFile(start);
    label_file_dialog_fields(&dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

file_prompter::save_answer QtFilePrompter::ask_save_changes(QWidget* parent, const QString& text) {
    switch (QMessageBox::question(parent, QStringLiteral("Tessaly"), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return save_answer::yes;
    case QMessageBox::No:
        return save_answer::no;
    default:
        return save_answer::cancel;
    }
}
