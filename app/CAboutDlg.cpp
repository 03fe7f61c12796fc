#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Tessaly"));

    auto* icon = new QLabel;
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tessaly.png")).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* name = new QLabel(QStringLiteral("Tessaly"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 3, 1);
    layout->addWidget(name, 0, 1);
    layout->addWidget(new QLabel(version_line()), 1, 1);
    layout->addWidget(new QLabel(notice_line()), 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::version_line() {
    return QStringLiteral("%1 Version 4.5").arg(tessaly_part_number);
}

QString CAboutDlg::notice_line() {
    return QStringLiteral("Copyright \u00a9 Quorvel Applications. All rights reserved.");
}
