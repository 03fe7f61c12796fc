#include "editing/CTextTableModel.h"

#include <algorithm>

CTextTableModel::CTextTableModel(QStringList headings, QObject* parent)
    : QAbstractTableModel(parent), headings_(std::move(headings)) {}

void CTextTableModel::set_rows(int count, cell_text cell) {
    beginResetModel();
    rows_ = cell ? std::max(0, count) : 0;
    cell_ = std::move(cell);
    endResetModel();
}

int CTextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int CTextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant CTextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= headings_.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
        return cell_(index.row(), index.column());
    return {};
}

QVariant CTextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headings_.size())
        return headings_[section];
    return {};
}
