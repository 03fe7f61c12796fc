#pragma once
// The frame of the editor's result windows (the comparison with the card, the map check): a
// line naming the map, a summary line, a table of rows (hidden while there are none) and a
// Close button. Modeless; it closes with Escape and is deleted when closed, so that its owner
// keeps it behind a guarded pointer and reuses it while it is open.

#include <QDialog>
#include <QStringList>

#include <functional>

class CRegisterView;
class CTextTableModel;
class QLabel;
class QTreeView;
class QVBoxLayout;

class CResultWindow : public QDialog {
    Q_OBJECT
  public:
    // title: the window title; headings: the table's columns; table_name: what a screen
    // reader calls the table.
    CResultWindow(const QString& title, const QStringList& headings, const QString& table_name,
                  QWidget* parent = nullptr);

    QString subject() const;
    QString summary() const;
    QTreeView* view() const { return view_; }
    CTextTableModel* table() const { return table_; }
    // The text of a cell as the table shows it.
    QString cell(int row, int column) const;

  protected:
    // Shows a result: the subject and summary lines and count rows whose cells cell gives.
    void show_rows(const QString& subject, const QString& summary, int count,
                   std::function<QString(int row, int column)> cell);
    // The layout the table sits in, for a subclass's line below it.
    void add_below_table(QWidget* widget);
    // Selects register_number in view and brings the view's document window to the front,
    // leaving the keyboard here; beeps and gives false when view is gone or does not list it.
    static bool select_in_list(CRegisterView* view, int register_number);

  private:
    void size_columns();

    QLabel* subject_;
    QLabel* summary_;
    CTextTableModel* table_;
    QTreeView* view_;
    QVBoxLayout* layout_;
};
