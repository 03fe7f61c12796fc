#pragma once
// A read-only table of text cells for the editor's result windows: fixed column headings and
// rows whose cells are asked for only when a view shows them, so that a result of any length
// shows at once.

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

class CTextTableModel : public QAbstractTableModel {
  public:
    using cell_text = std::function<QString(int row, int column)>;

    explicit CTextTableModel(QStringList headings, QObject* parent = nullptr);

    // Shows count rows afresh; cell gives the text of a cell (the tool tip shows it too, for
    // a text too long for its column).
    void set_rows(int count, cell_text cell);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    QStringList headings_;
    int rows_ = 0;
    cell_text cell_;
};
