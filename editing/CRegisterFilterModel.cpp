#include "editing/CRegisterFilterModel.h"

namespace {
// The cells the filter text is looked for in: register number, feeder, parameter, format.
constexpr int filtered_columns = 4;
} // namespace

CRegisterFilterModel::CRegisterFilterModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setDynamicSortFilter(true);
}

void CRegisterFilterModel::setSourceModel(QAbstractItemModel* source) {
    if (QAbstractItemModel* old = sourceModel())
        disconnect(old, nullptr, this, nullptr);
    // Connected before the base class connects its own handlers, so that the keys are gone
    // before it sorts the changed rows again.
    if (source) {
        connect(source, &QAbstractItemModel::modelAboutToBeReset, this,
                &CRegisterFilterModel::forget_keys);
        connect(source, &QAbstractItemModel::dataChanged, this, &CRegisterFilterModel::forget_keys);
        connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this,
                &CRegisterFilterModel::forget_keys);
        connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                &CRegisterFilterModel::forget_keys);
        connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this,
                &CRegisterFilterModel::forget_keys);
    }
    forget_keys();
    QSortFilterProxyModel::setSourceModel(source);
}

void CRegisterFilterModel::set_filter_text(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed == filter_)
        return;
    filter_ = trimmed;
    invalidateFilter();
}

void CRegisterFilterModel::sort(int column, Qt::SortOrder order) {
    forget_keys();
    QSortFilterProxyModel::sort(column, order);
}

bool CRegisterFilterModel::filterAcceptsRow(int source_row,
                                            const QModelIndex& source_parent) const {
    if (filter_.isEmpty())
        return true;
    const QAbstractItemModel* source = sourceModel();
    for (int column = 0; column < filtered_columns; ++column) {
        const QString cell = source->index(source_row, column, source_parent).data().toString();
        if (cell.contains(filter_, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

const CRegisterFilterModel::sort_key& CRegisterFilterModel::key_of(int source_row) const {
    const auto row = static_cast<std::size_t>(source_row);
    if (keys_.size() != static_cast<std::size_t>(sourceModel()->rowCount()))
        keys_.assign(static_cast<std::size_t>(sourceModel()->rowCount()), sort_key{});
    sort_key& key = keys_[row];
    if (!key.filled) {
        key.text = sourceModel()->index(source_row, sortColumn()).data().toString().trimmed();
        key.number = key.text.toDouble(&key.numeric);
        key.filled = true;
    }
    return key;
}

bool CRegisterFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const int rows = sourceModel()->rowCount();
    if (left.row() < 0 || right.row() < 0 || left.row() >= rows || right.row() >= rows)
        return left.row() < right.row();
    const sort_key& a = key_of(left.row());
    const sort_key& b = key_of(right.row());
    // Numbers come before words ("N/A"), numbers by value, words by text.
    if (a.numeric != b.numeric)
        return a.numeric;
    if (a.numeric)
        return a.number < b.number;
    return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
}
