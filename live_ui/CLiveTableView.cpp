#include "live_ui/CLiveTableView.h"

#include "live_ui/CLiveTableModel.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
// The trend cell's width in characters' widths (wide enough to see five minutes).
constexpr int trend_chars = 16;
const char* const filled_property = "tessaly_filled";
} // namespace

CLiveItemDelegate::CLiveItemDelegate(const CLiveTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

void CLiveItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (index.column() == col_trend && index.row() < model_.rowCount())
        paint_trend(painter, option, index.row());
}

void CLiveItemDelegate::paint_trend(QPainter* painter, const QStyleOptionViewItem& option,
                                    int row) const {
    const live_row& r = model_.row(row);
    if (!r.has_trend() || r.trend.empty())
        return;
    const auto history = r.trend.window();
    double low = 0, high = 0;
    int oldest = -1;
    for (int i = 0; i < value_trend::slot_count; ++i) {
        const auto& s = history[std::size_t(i)];
        if (s.number < 0)
            continue;
        low = oldest >= 0 ? std::min(low, s.low) : s.low;
        high = oldest >= 0 ? std::max(high, s.high) : s.high;
        if (oldest < 0)
            oldest = i;
    }
    if (oldest < 0)
        return;
    // The line spans the readings there are, up to five minutes, and at least a minute, so
    // that a trend just begun is not squeezed against the right edge.
    constexpr int minute = int(60 / value_trend::slot_seconds);
    const int slots_shown = std::max(value_trend::slot_count - 1 - oldest, minute);
    const QRectF area = QRectF(option.rect).adjusted(3, 3, -3, -3);
    if (area.width() < 4 || area.height() < 2)
        return;
    const double span = high > low ? high - low : 1;
    const double mid = high > low ? 0 : area.height() / 2;
    auto y_of = [&](double v) {
        return high > low ? area.bottom() - (v - low) / span * area.height() : area.top() + mid;
    };
    auto x_of = [&](int i) {
        return area.right() -
               area.width() * (value_trend::slot_count - 1 - i) / double(slots_shown);
    };

    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        r.stale ? QPalette::Disabled
                : (option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive);
    QColor line =
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    QColor band = line;
    band.setAlpha(70);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setClipRect(option.rect);
    QPainterPath path;
    bool open = false;
    painter->setPen(QPen(band, 1));
    for (int i = oldest; i < value_trend::slot_count; ++i) {
        const auto& s = history[std::size_t(i)];
        if (s.number < 0) {
            open = false; // a gap in the readings is a gap in the line
            continue;
        }
        const double x = x_of(i);
        if (s.high > s.low)
            painter->drawLine(QPointF(x, y_of(s.low)), QPointF(x, y_of(s.high)));
        if (open)
            path.lineTo(x, y_of(s.last));
        else
            path.moveTo(x, y_of(s.last));
        open = true;
    }
    painter->setPen(QPen(line, 1.2));
    painter->drawPath(path);
    // The newest reading as a dot, so that a single reading shows too.
    const auto& newest = history.back();
    if (newest.number >= 0) {
        painter->setBrush(line);
        painter->drawEllipse(QPointF(x_of(value_trend::slot_count - 1), y_of(newest.last)), 1.5,
                             1.5);
    }
    painter->restore();
}

QSize CLiveItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (index.column() == col_trend)
        size.setWidth(option.fontMetrics.averageCharWidth() * trend_chars);
    return size;
}

QWidget* CLiveItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (index.row() < model_.rowCount())
        editor->setAccessibleName(
            QStringLiteral("Value of register %1").arg(model_.row(index.row()).reg.number));
    return editor;
}

void CLiveItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (editor->property(filled_property).toBool())
        return;
    editor->setProperty(filled_property, true);
    QStyledItemDelegate::setEditorData(editor, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->selectAll();
}

CLiveTableView::CLiveTableView(CLiveTableModel& model, QWidget* parent)
    : QTableView(parent), model_(model) {
    setModel(&model);
    setItemDelegate(new CLiveItemDelegate(model, this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false); // Tab leaves the table for the next control
    setWordWrap(false);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    // Each column as wide as the widest text it usually holds, so that nothing is cut.
    const QFontMetrics fixed(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics& plain = fontMetrics();
    const int pad = 2 * plain.averageCharWidth() + 8;
    const int widths[live_column_count] = {
        plain.horizontalAdvance(QStringLiteral("40000-40000")),
        plain.horizontalAdvance(QStringLiteral("Feeder")),
        plain.horizontalAdvance(QStringLiteral("ProcessStatus")),
        plain.horizontalAdvance(QStringLiteral("SIEMENS_FLOAT")),
        plain.horizontalAdvance(QStringLiteral("0000000000000000")),
        fixed.horizontalAdvance(QStringLiteral("0000 0000 0000")),
        plain.horizontalAdvance(QStringLiteral("Illegal data address")) + 20,
        plain.horizontalAdvance(QStringLiteral("59 min")),
        plain.averageCharWidth() * trend_chars};
    for (int c = 0; c < live_column_count; ++c)
        setColumnWidth(c, widths[c] + pad);
}

bool CLiveTableView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!index.isValid() || (trigger != DoubleClicked && trigger != EditKeyPressed))
        return QTableView::edit(index, trigger, event);
    // Whatever cell of the row is clicked or current, the row's value is what is edited.
    const QModelIndex value = model_.index(index.row(), col_value);
    if (!(model_.flags(value) & Qt::ItemIsEditable))
        return false;
    if (model_.row(index.row()).is_command_word()) {
        emit command_bits_requested(index.row());
        return true;
    }
    if (value != index)
        setCurrentIndex(value);
    return QTableView::edit(value, trigger, event);
}
