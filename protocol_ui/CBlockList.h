#pragma once
// The report-style list that shows blocks everywhere: columns "Area", "Type", "Base" and
// "Length", one row per block.

#include "model/block_layout.h"

#include <QTreeWidget>

class CBlockList : public QTreeWidget {
    Q_OBJECT
  public:
    explicit CBlockList(QWidget* parent = nullptr);

    // Adds the four columns; a second call leaves them as they are.
    void setup_columns();
    void delete_all_rows();
    // Inserts the row for block at row position (appends when position is past the end).
    void add_row(int position, const block_entry& block);
    // Rebuilds the list from table entries [first, first + count).
    void show_blocks(const block_table_t& table, int first, int count);
    // The selected row, or -1.
    int selected_row() const;

    // The texts of one block's row.
    static QStringList row_texts(const block_entry& block);

  signals:
    // A double-click anywhere in the list (on a row or on the empty part), or Enter or F2
    // on a selected row: the list's owner edits what the list shows.
    void list_double_clicked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Enter and F2 on a selected row ask for the row to be edited instead of reaching the
    // dialog's default button.
    void keyPressEvent(QKeyEvent* event) override;
    // Shows whole rows only: the space that would hold part of a row stays empty.
    void updateGeometries() override;

  private:
    bool columns_ready_ = false;
};
