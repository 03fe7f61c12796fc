#pragma once
// The register list of a document: one row per host register of the document's map, twelve
// columns, with the commands New Register, Delete, Properties, Cut, Copy and Paste. The
// commands are carried out by the document's edit layer; the view shows what it says changed
// (and, after Undo or Redo, selects the registers that came back).

#include "edit/map_editor.h"

#include <QList>
#include <QPointer>
#include <QTreeView>

#include <functional>

class CRegisterDialogs;
class CRegisterTableModel;
class CTessalyDoc;

class CRegisterView : public QTreeView {
    Q_OBJECT
  public:
    // The register dialog runs through dialogs, which must outlive the view.
    CRegisterView(CTessalyDoc* doc, CRegisterDialogs& dialogs, QWidget* parent = nullptr);
    ~CRegisterView() override;

    CTessalyDoc* document() const;
    CRegisterTableModel* table() const { return table_; }

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

  protected:
    // Enter (or Return) on a row opens Properties on it.
    void keyPressEvent(QKeyEvent* event) override;

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

    QPointer<CTessalyDoc> doc_;
    CRegisterDialogs& dialogs_;
    CRegisterTableModel* table_;
};
