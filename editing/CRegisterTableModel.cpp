#include "editing/CRegisterTableModel.h"

#include "document/CTessalyDoc.h"
#include "editing/register_cells.h"
#include "model/host_register.h"
#include "model/zrp_file.h"

CRegisterTableModel::CRegisterTableModel(CTessalyDoc* doc, QObject* parent)
    : QAbstractTableModel(parent), doc_(doc) {}

zrp_file* CRegisterTableModel::file() const {
    return doc_ ? doc_->map() : nullptr;
}

host_register* CRegisterTableModel::register_at(int row) const {
    zrp_file* map = file();
    if (!map || row < 0 || row >= rows_ || row >= map->register_count())
        return nullptr;
    return map->register_at(row);
}

int CRegisterTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int CRegisterTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : register_column_count;
}

QVariant CRegisterTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() < 0 || index.column() >= register_column_count)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const host_register* reg = register_at(index.row());
    if (!reg)
        return {};
    if (role == Qt::ToolTipRole && index.column() == parameter_column) {
        const std::string tip = parameter_cell_tip(*reg);
        if (!tip.empty())
            return QString::fromStdString(tip);
    }
    // A register of several words shows where it ends.
    if (role == Qt::ToolTipRole && index.column() == 0 && reg->width() > 1)
        return QString::fromStdString(register_range_text(*reg));
    const auto cells = register_cells(*reg);
    return QString::fromStdString(cells[static_cast<std::size_t>(index.column())]);
}

QVariant CRegisterTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= register_column_count)
        return {};
    const auto& column = register_columns()[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(column.heading.data(),
                                   static_cast<qsizetype>(column.heading.size()));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void CRegisterTableModel::reset_rows() {
    beginResetModel();
    zrp_file* map = file();
    rows_ = map ? map->register_count() : 0;
    endResetModel();
}

void CRegisterTableModel::refresh_row(int row) {
    zrp_file* map = file();
    if (!map || map->register_count() != rows_) {
        reset_rows();
        return;
    }
    if (row < 0 || row >= rows_)
        return;
    emit dataChanged(index(row, 0), index(row, register_column_count - 1));
}
