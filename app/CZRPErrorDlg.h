#pragma once
// The "ZRP Errors" window: the error list the device reported for the last configuration it
// was sent, as read-only text. Modeless; the application keeps at most one and reuses it.

#include <QDialog>

class QPlainTextEdit;

class CZRPErrorDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CZRPErrorDlg(QWidget* parent = nullptr);

    void set_text(const QString& text);
    QString text() const;
    QPlainTextEdit* text_field() const { return text_; }

  private:
    QPlainTextEdit* text_;
};
