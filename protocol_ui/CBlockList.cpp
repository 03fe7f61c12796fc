#include "protocol_ui/CBlockList.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

CBlockList::CBlockList(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The list scrolls by whole rows, so its last row is never left cut in half at the end.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setColumnCount(0);
    header()->setVisible(false);
}

void CBlockList::setup_columns() {
    if (columns_ready_)
        return;
    columns_ready_ = true;
    setHeaderLabels({tr("Area"), tr("Type"), tr("Base"), tr("Length")});
    header()->setVisible(true);
    header()->setStretchLastSection(false);
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("Length")) + 24;
    for (int c = 0; c < 4; ++c)
        setColumnWidth(c, std::max(60, width));
    // Room for the four columns and the vertical scroll bar, so that no column is cut.
    const int scroll_bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    setMinimumWidth(4 * std::max(60, width) + scroll_bar + 2 * frameWidth() + 2);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CBlockList::delete_all_rows() {
    clear();
}

QStringList CBlockList::row_texts(const block_entry& block) {
    return {block.area == 0 ? QStringLiteral("I/O") : QStringLiteral("Param"),
            block.direction == 0 ? QStringLiteral("IN") : QStringLiteral("OUT"),
            QString::number(block.start), QString::number(block.length)};
}

void CBlockList::add_row(int position, const block_entry& block) {
    auto* item = new QTreeWidgetItem(row_texts(block));
    for (int c = 2; c < 4; ++c)
        item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    insertTopLevelItem(std::clamp(position, 0, topLevelItemCount()), item);
}

void CBlockList::show_blocks(const block_table_t& table, int first, int count) {
    delete_all_rows();
    for (int i = 0; i < count; ++i)
        add_row(i, table[static_cast<std::size_t>(first + i)]);
}

int CBlockList::selected_row() const {
    const auto items = selectedItems();
    return items.isEmpty() ? -1 : indexOfTopLevelItem(items.first());
}

void CBlockList::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    emit list_double_clicked();
}

void CBlockList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && selected_row() >= 0) {
        event->accept();
        emit list_double_clicked();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CBlockList::updateGeometries() {
    QTreeWidget::updateGeometries();
    const int row = topLevelItemCount() > 0 ? rowHeight(indexFromItem(topLevelItem(0))) : 0;
    if (row <= 0)
        return;
    const QMargins margins = viewportMargins();
    const int available = contentsRect().height() - margins.top();
    const int rest = available % row;
    if (rest != margins.bottom())
        setViewportMargins(margins.left(), margins.top(), margins.right(), rest);
}
