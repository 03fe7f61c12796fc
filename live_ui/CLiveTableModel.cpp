#include "live_ui/CLiveTableModel.h"

#include <QApplication>
#include <QColor>
#include <QFontDatabase>
#include <QPalette>
#include <QStyle>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <utility>

namespace {

constexpr const char* headings[live_column_count] = {
    "Register", "Feeder", "Parameter", "Format", "Value", "Raw (hex)", "Status", "Age", "Trend"};

// How long a write's outcome stays in the status column.
constexpr double write_note_seconds = 5;

QString qt_text(const std::string& text) {
    return QString::fromStdString(text);
}

// Rows are matched by register number and, among registers of one number, by their order.
using row_key = std::pair<int, int>;

std::vector<row_key> keys_of(const std::vector<int>& numbers) {
    std::vector<row_key> keys;
    keys.reserve(numbers.size());
    std::map<int, int> seen;
    for (int n : numbers)
        keys.push_back({n, seen[n]++});
    return keys;
}

} // namespace

CLiveTableModel::CLiveTableModel(QObject* parent) : QAbstractTableModel(parent) {
    highlight_timer_.setSingleShot(true);
    connect(&highlight_timer_, &QTimer::timeout, this, &CLiveTableModel::end_highlights);
}

double CLiveTableModel::now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void CLiveTableModel::set_registers(const std::vector<live_register>& registers,
                                    const std::vector<std::optional<bit_names>>& bits) {
    std::vector<int> old_numbers, new_numbers;
    for (const auto& row : rows_)
        old_numbers.push_back(row.reg.number);
    for (const auto& reg : registers)
        new_numbers.push_back(reg.number);
    const auto old_keys = keys_of(old_numbers);
    const auto new_keys = keys_of(new_numbers);

    // Rows of registers that are gone, last first so that the rows above keep their place.
    std::vector<row_key> sorted_new = new_keys;
    std::sort(sorted_new.begin(), sorted_new.end());
    std::vector<row_key> kept = old_keys;
    for (int r = static_cast<int>(rows_.size()) - 1; r >= 0; --r) {
        if (std::binary_search(sorted_new.begin(), sorted_new.end(), kept[std::size_t(r)]))
            continue;
        beginRemoveRows({}, r, r);
        rows_.erase(rows_.begin() + r);
        kept.erase(kept.begin() + r);
        endRemoveRows();
    }

    // The rows left are in the new order: insert the new registers between them and renew
    // those whose register changed.
    const auto bits_of = [&bits](std::size_t i) {
        return i < bits.size() ? bits[i] : std::optional<bit_names>();
    };
    for (std::size_t i = 0; i < registers.size(); ++i) {
        if (i < rows_.size() && kept[i] == new_keys[i]) {
            if (!rows_[i].shows(registers[i], bits_of(i))) {
                rows_[i] = live_row::of(registers[i], bits_of(i));
                emit_cells(static_cast<int>(i), whole_row);
            }
            rows_[i].reg.index = registers[i].index;
            continue;
        }
        const int r = static_cast<int>(i);
        beginInsertRows({}, r, r);
        rows_.insert(rows_.begin() + r, live_row::of(registers[i], bits_of(i)));
        kept.insert(kept.begin() + r, new_keys[i]);
        endInsertRows();
    }
}

void CLiveTableModel::take_round(const poll_result& result, double now) {
    const bool failed = !result.connection_error.empty() || result.readings.size() != rows_.size();
    const std::string reason =
        result.connection_error.empty() ? std::string("No answer") : std::string("No connection");
    bool any_highlight = false;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        auto& row = rows_[r];
        const cell_mask changed = failed ? row.take_failure(reason, now, timing_)
                                         : row.take(result.readings[r], now, timing_);
        if (changed)
            emit_cells(static_cast<int>(r), changed);
        any_highlight = any_highlight || row.highlighted;
    }
    if (any_highlight && !highlight_timer_.isActive())
        highlight_timer_.start(static_cast<int>(std::ceil(timing_.highlight_for * 1000)));
}

void CLiveTableModel::end_highlights() {
    const double t = now();
    double next = -1;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        auto& row = rows_[r];
        // A moment of slack, so that a highlight due with this timer ends with it.
        if (const cell_mask changed = row.end_highlight(t + 0.02))
            emit_cells(static_cast<int>(r), changed);
        else if (row.highlighted && (next < 0 || row.highlight_until < next))
            next = row.highlight_until;
    }
    if (next >= 0)
        highlight_timer_.start(std::max(10, static_cast<int>(std::ceil((next - t) * 1000))));
}

void CLiveTableModel::note_write(int row, const std::string& note, double now) {
    if (row < 0 || row >= rowCount())
        return;
    emit_cells(row, rows_[std::size_t(row)].note_write(note, now + write_note_seconds));
}

int CLiveTableModel::row_of(int number) const {
    for (std::size_t r = 0; r < rows_.size(); ++r)
        if (rows_[r].reg.number == number)
            return static_cast<int>(r);
    return -1;
}

void CLiveTableModel::emit_cells(int row, cell_mask mask) {
    for (int c = 0; c < live_column_count; ++c) {
        if (mask & (1u << c)) {
            const QModelIndex cell = index(row, c);
            emit dataChanged(cell, cell);
        }
    }
}

int CLiveTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CLiveTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : live_column_count;
}

QVariant CLiveTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const live_row& row = rows_[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<live_column>(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (column) {
        case col_register:
            return qt_text(row.register_text);
        case col_feeder:
            return row.reg.feeder;
        case col_parameter:
            return qt_text(row.reg.name);
        case col_format:
            return qt_text(row.format_text);
        case col_value:
            return qt_text(role == Qt::EditRole ? row.edit_text() : row.value_text);
        case col_raw:
            return qt_text(row.raw_text);
        case col_status:
            return qt_text(row.status_text);
        case col_age:
            return qt_text(row.age_text);
        default:
            return {};
        }
    case Qt::AccessibleTextRole:
        if (column == col_trend)
            return row.has_trend() ? qt_text(row.trend_text()) : QString();
        return {};
    case Qt::ToolTipRole:
        if (column == col_trend)
            return qt_text(row.trend_text());
        if (row.bits && (column == col_value || column == col_raw || column == col_parameter))
            return qt_text(row.bits_text());
        if (column == col_status && row.failed)
            return qt_text(row.status_text);
        return {};
    case Qt::DecorationRole:
        if (column == col_status && (row.failed || !row.write_note.empty())) {
            if (error_icon_.isNull())
                error_icon_ = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
            return error_icon_;
        }
        return {};
    case Qt::ForegroundRole:
        if (row.stale)
            return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::BackgroundRole:
        if (column == col_value && row.highlighted) {
            QColor mark = QApplication::palette().color(QPalette::Highlight);
            mark.setAlpha(80);
            return mark;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (column == col_feeder || column == col_age || (column == col_value && row.has_trend()))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::FontRole:
        if (column == col_raw)
            return QFontDatabase::systemFont(QFontDatabase::FixedFont);
        return {};
    default:
        return {};
    }
}

QVariant CLiveTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= live_column_count)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(headings[section]);
    return {};
}

Qt::ItemFlags CLiveTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (writes_allowed_ && index.column() == col_value &&
        rows_[std::size_t(index.row())].writable())
        f |= Qt::ItemIsEditable;
    return f;
}

bool CLiveTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() != col_value ||
        !(flags(index) & Qt::ItemIsEditable))
        return false;
    emit write_requested(index.row(), value.toString());
    return true;
}
