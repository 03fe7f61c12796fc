#pragma once
// What the register list shows of its table: the rows whose register number, feeder,
// parameter or format holds the filter text, in the map's order or sorted by one column.
// Filtering and sorting change the list only: the map and the order it is saved in stay as
// they are.

#include <QSortFilterProxyModel>

#include <vector>

class CRegisterFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit CRegisterFilterModel(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;

    // Keeps the rows whose register number, feeder, parameter or format cell contains text,
    // whatever its case; an empty text keeps every row.
    void set_filter_text(const QString& text);
    const QString& filter_text() const { return filter_; }
    bool filtering() const { return !filter_.isEmpty(); }

    // Sorts the rows by column; column -1 shows them in the map's order again. Numbers sort
    // by value, other cells by text; rows that compare equal keep the map's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  protected:
    bool filterAcceptsRow(int source_row, const QModelIndex& source_parent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

  private:
    // A cell as sorting compares it, worked out once per row and sort column: a map of many
    // thousand rows sorts without building every cell at each comparison.
    struct sort_key {
        bool filled = false;
        bool numeric = false;
        double number = 0;
        QString text;
    };
    const sort_key& key_of(int source_row) const;
    void forget_keys() { keys_.clear(); }

    QString filter_;
    mutable std::vector<sort_key> keys_;
};
