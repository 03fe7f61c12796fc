#include "app/CPreferenceDialog.h"

#include "app/file_prompter.h"
#include "protocol_ui/accessible_labels.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CPreferenceDialog::CPreferenceDialog(const QString& show_protocol_dialog, const QString& param_file,
                                     file_prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setWindowTitle(QStringLiteral("Dialog"));

    show_box_ = new QCheckBox(QStringLiteral("Show protocol dialog on File New"));
    // Only the exact text "1" ticks the box.
    show_box_->setChecked(show_protocol_dialog == QLatin1String("1"));
    file_edit_ = new QLineEdit(param_file);
    file_edit_->setMinimumWidth(320);
    browse_ = new QPushButton(QStringLiteral(">>"));
    browse_->setFixedWidth(browse_->fontMetrics().horizontalAdvance(">>") + 24);
    // Enter confirms the dialog, also while the file field has the focus.
    browse_->setAutoDefault(false);
    connect(browse_, &QPushButton::clicked, this, &CPreferenceDialog::browse);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(show_box_, 0, 0, 1, 3);
    layout->addWidget(control_label(QStringLiteral("Parameter file:"), file_edit_), 1, 0);
    layout->addWidget(file_edit_, 1, 1);
    layout->addWidget(browse_, 1, 2);
    layout->addWidget(buttons, 2, 0, 1, 3);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CPreferenceDialog::show_protocol_dialog() const {
    return show_box_->isChecked();
}

QString CPreferenceDialog::param_file() const {
    return file_edit_->text();
}

void CPreferenceDialog::browse() {
    const QString path = prompter_.open_path(
        this, QStringLiteral("Open"), QStringLiteral("Param List files (*.lst);;All Files (*)"),
        file_edit_->text(), QStringLiteral("lst"));
    if (!path.isEmpty())
        file_edit_->setText(path);
}
