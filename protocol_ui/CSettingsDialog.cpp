#include "protocol_ui/CSettingsDialog.h"

#include "protocol_ui/CChoiceGroup.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

CSettingsDialog::CSettingsDialog(const QString& title, const protocol_dialog_values& preset,
                                 QWidget* parent)
    : QDialog(parent), body_(new QVBoxLayout(this)), values_(preset) {
    setWindowTitle(title);
}

QDialogButtonBox* CSettingsDialog::add_buttons() {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSettingsDialog::reject);
    body_->addWidget(buttons);
    return buttons;
}

int CSettingsDialog::checked_or(const CChoiceGroup* group, int fallback) {
    const int position = group->checked();
    return position < 0 ? fallback : position;
}

bool CSettingsDialog::read_fields() {
    protocol_dialog_values read = values_;
    if (!read_into(read))
        return false;
    values_ = read;
    return true;
}

void CSettingsDialog::accept() {
    if (read_fields())
        QDialog::accept();
}
