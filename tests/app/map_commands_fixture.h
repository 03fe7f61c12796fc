#pragma once
// What the tests of the map commands share: reading the menus, writing tables and maps,
// finding the windows the commands open.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CMapCommands.h"
#include "app/command_table.h"
#include "app_fixture.h"
#include "card_on_pty.h"
#include "document/CTessalyDoc.h"
#include "editing/CDeviceCompareDlg.h"
#include "editing/CMapCheckDlg.h"
#include "editing/CRegisterView.h"
#include "editing/CTextTableModel.h"
#include "format/image_codec.h"
#include "format/map_check.h"
#include "format/map_diff.h"
#include "link/link_state.h"
#include "link/transfer_messages.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

namespace map_commands_test {

const char* const csv_filter = "CSV files (*.csv)";
const std::string two_registers = "40001 0 1 1 0 0 F:1 Massflow 100 0 1\n"
                                  "40002 0 1 0 0 0 F:0 Setpoint\n";

// Every item of the shown menu bar as "Menu/Submenu/Item" ("-" for a separator), in order.
QStringList menu_paths(QMenu* menu, const QString& prefix) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        const QString path = prefix + "/" + (a->isSeparator() ? QStringLiteral("-") : a->text());
        out << path;
        if (a->menu())
            out << menu_paths(a->menu(), path);
    }
    return out;
}

QStringList menu_paths(CMainFrame* frame) {
    QStringList out;
    for (QAction* a : frame->menuBar()->actions())
        if (a->menu())
            out << menu_paths(a->menu(), a->text());
    return out;
}

// The numbers of the registers the document's list shows, in its order.
QList<int> shown_numbers(CChildFrame* child) {
    QList<int> out;
    QAbstractItemModel* model = child->register_view()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        out << model->index(row, 0).data().toInt();
    return out;
}

// Double-clicks a row of a result window's table: the first click, then the second, which
// the window system reports as the double-click.
void double_click_row(QTreeView* view, int row) {
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    const QPoint where = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, where);
}

bool row_visible(QTreeView* view, int row) {
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    return rect.isValid() && view->viewport()->rect().contains(rect.center());
}

QStringList result_rows(const CResultWindow* window) {
    QStringList out;
    const int columns = window->table()->columnCount();
    for (int row = 0; row < window->table()->rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << window->cell(row, c);
        out << cells.join(" | ");
    }
    return out;
}

// An opened map file of the settings folder.
CTessalyDoc* open_map(app_under_test& t, private_settings& settings, const QString& name,
                      const std::string& text) {
    const QString path = settings.dir.filePath(name);
    write_file(path, text);
    return t.app->documents().open_document_file(path);
}

enum class table_file { written, none_chosen, missing, folder };

} // namespace map_commands_test
