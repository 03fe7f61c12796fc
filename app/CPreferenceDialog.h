#pragma once
// Options > Preferences: whether File New shows the protocol selection, and the parameter
// file the catalogue is loaded from.

#include <QDialog>

class QCheckBox;
class file_prompter;
class QLineEdit;
class QPushButton;

class CPreferenceDialog : public QDialog {
    Q_OBJECT
  public:
    // show_protocol_dialog: the stored "ShowProtocolDialog"; param_file: "ParamFile";
    // prompter: asks for the file the ">>" button picks.
    CPreferenceDialog(const QString& show_protocol_dialog, const QString& param_file,
                      file_prompter& prompter, QWidget* parent = nullptr);

    bool show_protocol_dialog() const;
    QString param_file() const;
    QCheckBox* show_box() const { return show_box_; }
    QLineEdit* file_edit() const { return file_edit_; }
    QPushButton* browse_button() const { return browse_; }

  private:
    void browse();

    file_prompter& prompter_;
    QCheckBox* show_box_;
    QLineEdit* file_edit_;
    QPushButton* browse_;
};
