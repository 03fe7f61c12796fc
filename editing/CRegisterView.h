#pragma once
// The register list of a document: one row per host register of the document's map, twelve
// columns, with the commands New Register, Delete, Properties, Cut, Copy and Paste (also on
// the rows' context menu). The commands are carried out by the document's edit layer; the
// view shows what it says changed (and, after Undo or Redo, selects the registers that came
// back). The list can be filtered and sorted by a column heading without touching the map;
// rows are always named by their place in the map (the table's rows), whatever the list shows.

#include "edit/map_editor.h"
#include "editing/typed_search.h"

#include <QList>
#include <QPointer>
#include <QTreeView>

#include <functional>

class CRegisterDialogs;
class CFrozenColumn;
class CRegisterContextMenu;
class CRegisterFilterModel;
class CRegisterTableModel;
class CTessalyDoc;
class QAction;

class CRegisterView : public QTreeView {
    Q_OBJECT
  public:
    // The register dialog runs through dialogs, which must outlive the view.
    CRegisterView(CTessalyDoc* doc, CRegisterDialogs& dialogs, QWidget* parent = nullptr);
    ~CRegisterView() override;

    CTessalyDoc* document() const;
    CRegisterTableModel* table() const { return table_; }
    // What the list shows of the table (filtered, sorted).
    CRegisterFilterModel* shown() const { return proxy_; }

    // Rebuilds the rows: start 0 sorts the map and rebuilds every row, start n (1 to the
    // register count) rebuilds only row n - 1.
    void update_rows(int start);

    // The selected rows, in ascending order.
    QList<int> selected_rows() const;
    // Selects the row of the register numbered number alone, makes it the current row and
    // scrolls it into view; false when the list shows no such register.
    bool select_register(int number);
    // Delete, Cut and Copy are offered while at least one row is selected.
    bool can_delete() const;
    // Paste is offered while the view shows a map and the clipboard holds registers.
    bool can_paste() const;
    // Selects exactly rows (the first becomes the current row and is scrolled to).
    void select_rows(const QList<int>& rows);
    // New Register and Properties are offered while the view shows a map (Properties does
    // nothing without a selected row).
    bool can_edit_registers() const;

    // Shows only the rows whose register number, feeder, parameter or format contains text;
    // an empty text shows every row again.
    void set_filter_text(const QString& text);
    // Sorts the list by column (-1: the map's order again); the map keeps its order.
    void sort_list(int column, Qt::SortOrder order = Qt::AscendingOrder);
    // A click on a column heading: sorts by it ascending, then descending, then back to the
    // map's order.
    void on_heading_clicked(int column);
    // Adds action at the end of the rows' context menu, after a separator (commands that
    // live outside the list). The action is not owned.
    void add_context_action(QAction* action);
    // The rows' context menu (built on first use).
    CRegisterContextMenu* context_menu();

  public slots:
    // Opens the register dialog on a new register and adds it to the map on OK.
    void on_new_register();
    // Deletes exactly the selected registers.
    void on_delete();
    // Opens the register dialog on a copy of the register at the selection mark and copies
    // it back on OK.
    void on_properties();
    // Puts the selected registers on the clipboard.
    void on_copy();
    // Copy, then Delete, as one step.
    void on_cut();
    // Inserts the clipboard's registers and selects them.
    void on_paste();

  signals:
    // The selection or the rows changed: the enabled state of the commands may have too.
    void command_state_changed();
    // The filter text changed (an edit clears it to show the register it leaves selected).
    void filter_text_changed(const QString& text);

  protected:
    // Enter (or Return) on a row opens Properties on it; Escape clears the filter; Shift+F10
    // opens the context menu.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Typing jumps to the next row whose register number or parameter starts with the typed
    // text (keys typed in quick succession make one text).
    void keyboardSearch(const QString& search) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void create_columns();
    void on_views_update(QObject* sender, int hint);
    // The row the selection mark (the current row) is on when it is selected, else the first
    // selected row; -1 without a selection.
    int selection_mark() const;
    // Selects row alone, makes it current and scrolls to it; false for a row not shown.
    bool select_row(int row);
    // Shows what an edit changed, tells the document and its other views, and selects the
    // row the edit leaves its register on.
    void changed(bool all_rows, int row);
    // The register dialog from values until OK's values are taken (set gives the outcome), a
    // refusal's Retry reopening it; false when it ends without a change.
    bool run_register_dialog(
        register_dialog_values values, bool existing,
        const std::function<map_editor::register_outcome(const register_dialog_values&)>& set);
    // The table row of a shown index, and the shown index of a table row (invalid when the
    // filter hides it).
    int table_row(const QModelIndex& shown_index) const;
    QModelIndex shown_index(int row) const;
    // Clears the filter when it hides any of rows, so that an edit's registers are seen.
    void reveal_rows(const QList<int>& rows);
    void open_context_menu(const QPoint& global_pos);

    QPointer<CTessalyDoc> doc_;
    CRegisterDialogs& dialogs_;
    CRegisterTableModel* table_;
    CRegisterFilterModel* proxy_;
    CFrozenColumn* frozen_ = nullptr;
    CRegisterContextMenu* menu_ = nullptr;
    typed_search search_;
};
