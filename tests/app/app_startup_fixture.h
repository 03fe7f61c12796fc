#pragma once
// What the tests of the started editor share: reading menu bars, and a current directory of
// their own.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CPortDialog.h"
#include "app/CPreferenceDialog.h"
#include "app/CZRPErrorDlg.h"
#include "app/QtFilePrompter.h"
#include "app/QtUserInterface.h"
#include "app/command_line.h"
#include "app/command_table.h"
#include "app_fixture.h"
#include "catalogue/parameter_list.h"
#include "document/CTessalyDoc.h"
#include "editing/CRegisterView.h"
#include "link/link_state.h"
#include "sim/ombra_card.h"
#include "sim/sim_hid_library.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace app_startup_test {
// The texts of a menu bar's items of a command, as shown.
QStringList texts_of(CMainFrame* frame, int id) {
    QStringList texts;
    for (QAction* a : frame->command_actions(id))
        texts << a->text();
    texts.sort();
    return texts;
}

QStringList menu_titles(CMainFrame* frame) {
    QStringList titles;
    for (QAction* a : frame->menuBar()->actions())
        titles << a->text();
    return titles;
}

// Runs code with the current directory switched.
struct current_directory {
    explicit current_directory(const QString& dir) : before(QDir::currentPath()) {
        QDir::setCurrent(dir);
    }
    ~current_directory() { QDir::setCurrent(before); }
    QString before;
};
} // namespace app_startup_test
