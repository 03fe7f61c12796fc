#pragma once
// The Live Values table: rows navigable with the keyboard, a value written in place (F2 or a
// double-click anywhere on a row edits the row's value; Enter writes it, Escape cancels) and
// the trend column drawn by the view's delegate. A bitmapped command word is not typed: the
// view asks for its bit editor instead.

#include <QStyledItemDelegate>
#include <QTableView>

class CLiveTableModel;

// Draws the trend column (the last five minutes as a small line, and the range of each
// slot behind it) and gives the value column its line editor, filled once.
class CLiveItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit CLiveItemDelegate(const CLiveTableModel& model, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // Fills the editor when it opens; the rounds that come while the user types leave it be.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;

  private:
    void paint_trend(QPainter* painter, const QStyleOptionViewItem& option, int row) const;

    const CLiveTableModel& model_;
};

class CLiveTableView : public QTableView {
    Q_OBJECT
  public:
    explicit CLiveTableView(CLiveTableModel& model, QWidget* parent = nullptr);

  signals:
    // The user asked to write the bitmapped command word of row.
    void command_bits_requested(int row);

  protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

  private:
    CLiveTableModel& model_;
};
