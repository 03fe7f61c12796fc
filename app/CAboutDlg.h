#pragma once
// Help > About Tessaly: the program's name, its version line, the maker's notice and icon.

#include <QDialog>

// The maker's part number of the editor; the version line is it followed by " Version 4.5".
inline constexpr const char* tessaly_part_number = "QA-2207";

class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    static QString version_line();
    static QString notice_line();
};
