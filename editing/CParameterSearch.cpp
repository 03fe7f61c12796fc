#include "editing/CParameterSearch.h"

#include "editing/dialog_fields.h"

#include <QKeyEvent>
#include <QTreeWidget>

namespace {
// The description of a parameter is its item's tool tip.
bool matches(const QTreeWidgetItem* item, const QString& text) {
    return item->text(0).contains(text, Qt::CaseInsensitive) ||
           item->toolTip(0).contains(text, Qt::CaseInsensitive);
}
} // namespace

CParameterSearch::CParameterSearch(QTreeWidget* tree, QWidget* parent)
    : QLineEdit(parent), tree_(tree) {
    setPlaceholderText(QStringLiteral("Name or description"));
    add_clear_button(this, QStringLiteral("Clear search"));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { filter(text); });
}

int CParameterSearch::filter(const QString& text) {
    const QString wanted = text.trimmed();
    int shown = 0;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i)
        show_matching(tree_->topLevelItem(i), wanted, false, shown);
    // The picked parameter stays in view when it still shows.
    if (QTreeWidgetItem* current = tree_->currentItem(); current && !current->isHidden())
        tree_->scrollToItem(current);
    return shown;
}

bool CParameterSearch::show_matching(QTreeWidgetItem* item, const QString& text, bool above_matches,
                                     int& shown) {
    // A group whose name matches shows everything it holds.
    const bool own = text.isEmpty() || above_matches || matches(item, text);
    bool below = false;
    for (int i = 0; i < item->childCount(); ++i)
        below = show_matching(item->child(i), text, own && !text.isEmpty(), shown) || below;
    const bool visible = own || below;
    item->setHidden(!visible);
    if (visible && item->childCount() == 0)
        ++shown;
    if (below && !text.isEmpty() && !own)
        item->setExpanded(true);
    return visible;
}

void CParameterSearch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clear();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Down || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        // Into the tree, on the first parameter that shows.
        tree_->setFocus(Qt::TabFocusReason);
        if (!tree_->currentItem() || tree_->currentItem()->isHidden())
            for (QTreeWidgetItemIterator it(tree_, QTreeWidgetItemIterator::NotHidden |
                                                       QTreeWidgetItemIterator::NoChildren);
                 *it; ++it) {
                tree_->setCurrentItem(*it, 0, QItemSelectionModel::NoUpdate);
                break;
            }
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
