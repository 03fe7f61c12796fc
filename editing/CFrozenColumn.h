#pragma once
// Keeps a list's first column in view while the list scrolls sideways: a borderless copy of
// that column laid over the list's left edge, sharing the list's model and selection and
// following its vertical scrolling. It shows only while the list is scrolled sideways and
// never takes the keyboard focus; clicks select rows of the list as the list would.

#include <QTreeView>

class CFrozenColumn : public QTreeView {
    Q_OBJECT
  public:
    // Lays itself over list; list must have its model and selection model set.
    explicit CFrozenColumn(QTreeView* list);

    // Places the column over the list's first column; the list calls it when its geometry or
    // that column's width changes.
    void follow_list();

  signals:
    // The column's heading was clicked (the list sorts by its first column).
    void heading_clicked();
    // A double-click on a row, and a request for the rows' context menu at a global position.
    void row_double_clicked();
    void context_menu_requested(const QPoint& global_pos);

  private:
    // Hides every column but the first (again after the model was reset).
    void hide_other_columns();

    QTreeView* list_;
};
