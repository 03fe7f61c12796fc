#include "editing/CFrozenColumn.h"

#include <QHeaderView>
#include <QScrollBar>

CFrozenColumn::CFrozenColumn(QTreeView* list) : QTreeView(list), list_(list) {
    setModel(list->model());
    setSelectionModel(list->selectionModel());
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setVerticalScrollMode(list->verticalScrollMode());
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(list->selectionMode());
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setAccessibleName(QStringLiteral("Register numbers"));
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionResizeMode(QHeaderView::Fixed);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(list->header()->sortIndicatorSection() == 0 ? 0 : -1,
                               list->header()->sortIndicatorOrder());
    header()->setDefaultAlignment(list->header()->defaultAlignment());
    hide_other_columns();

    // Rows, heading and sort mark stay those of the list.
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, list->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(list->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &CFrozenColumn::follow_list);
    connect(list->header(), &QHeaderView::sectionResized, this, &CFrozenColumn::follow_list);
    connect(list->header(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                header()->setSortIndicator(column == 0 ? 0 : -1, order);
            });
    connect(model(), &QAbstractItemModel::modelReset, this, &CFrozenColumn::hide_other_columns);
    connect(header(), &QHeaderView::sectionClicked, this, [this] {
        // The list keeps the sort mark; the click only asks it to sort.
        header()->setSortIndicator(list_->header()->sortIndicatorSection() == 0 ? 0 : -1,
                                   list_->header()->sortIndicatorOrder());
        emit heading_clicked();
    });
    connect(this, &QAbstractItemView::pressed, list,
            [list] { list->setFocus(Qt::MouseFocusReason); });
    connect(this, &QAbstractItemView::doubleClicked, this, &CFrozenColumn::row_double_clicked);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        emit context_menu_requested(viewport()->mapToGlobal(pos));
    });
    follow_list();
}

void CFrozenColumn::hide_other_columns() {
    for (int column = 1; column < model()->columnCount(); ++column)
        setColumnHidden(column, true);
}

void CFrozenColumn::follow_list() {
    const bool scrolled = list_->horizontalScrollBar()->value() > 0;
    setVisible(scrolled && !list_->isColumnHidden(0));
    if (!scrolled)
        return;
    setColumnWidth(0, list_->columnWidth(0));
    const int frame = list_->frameWidth();
    setGeometry(frame, frame, list_->columnWidth(0),
                list_->viewport()->height() + list_->header()->height());
    verticalScrollBar()->setValue(list_->verticalScrollBar()->value());
    raise();
}
