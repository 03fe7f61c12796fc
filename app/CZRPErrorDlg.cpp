#include "app/CZRPErrorDlg.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CZRPErrorDlg::CZRPErrorDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ZRP Errors"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    text_ = new QPlainTextEdit;
    text_->setReadOnly(true);
    text_->setAccessibleName(QStringLiteral("Error list"));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addWidget(buttons);
    resize(480, 320);
}

void CZRPErrorDlg::set_text(const QString& text) {
    text_->setPlainText(text);
}

QString CZRPErrorDlg::text() const {
    return text_->toPlainText();
}
