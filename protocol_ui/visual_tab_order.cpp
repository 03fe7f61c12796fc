#include "protocol_ui/visual_tab_order.h"

#include <QGroupBox>
#include <QLayout>
#include <QRect>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

struct placed {
    QWidget* widget;
    QRect rect; // in the coordinates of the window being ordered
};

bool takes_tab_focus(const QWidget* w, const QWidget* root) {
    return (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(root) && !w->focusProxy();
}

// Reading order of placed items: rows by their top edges, left to right within a row.
void sort_reading_order(std::vector<placed>& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const placed& a, const placed& b) { return a.rect.top() < b.rect.top(); });
    std::vector<placed> ordered;
    ordered.reserve(items.size());
    std::size_t start = 0;
    while (start < items.size()) {
        // The row: every item that starts above the lowest bottom edge seen so far.
        int row_bottom = items[start].rect.bottom();
        std::size_t end = start + 1;
        while (end < items.size() && items[end].rect.top() < row_bottom) {
            row_bottom = std::min(row_bottom, items[end].rect.bottom());
            ++end;
        }
        std::vector<placed> row(items.begin() + static_cast<long>(start),
                                items.begin() + static_cast<long>(end));
        std::stable_sort(row.begin(), row.end(), [](const placed& a, const placed& b) {
            return a.rect.left() < b.rect.left();
        });
        ordered.insert(ordered.end(), row.begin(), row.end());
        start = end;
    }
    items.swap(ordered);
}

// The outermost group box between w and root, or w itself.
QWidget* group_of(QWidget* w, QWidget* root) {
    QWidget* group = w;
    for (QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget())
        if (qobject_cast<QGroupBox*>(p))
            group = p;
    return group;
}

QRect rect_in(QWidget* w, QWidget* root) {
    return QRect(w->mapTo(root, QPoint(0, 0)), w->size());
}

} // namespace

void apply_visual_tab_order(QWidget* root) {
    if (!root)
        return;
    if (root->layout())
        root->layout()->activate();
    std::vector<placed> groups;
    std::vector<std::pair<QWidget*, QWidget*>> members; // (group, control)
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!takes_tab_focus(w, root))
            continue;
        QWidget* group = group_of(w, root);
        members.emplace_back(group, w);
        if (std::none_of(groups.begin(), groups.end(),
                         [group](const placed& g) { return g.widget == group; }))
            groups.push_back({group, rect_in(group, root)});
    }
    sort_reading_order(groups);
    std::vector<QWidget*> chain;
    for (const placed& g : groups) {
        std::vector<placed> inside;
        for (const auto& [group, control] : members)
            if (group == g.widget)
                inside.push_back({control, rect_in(control, root)});
        sort_reading_order(inside);
        for (const placed& p : inside)
            chain.push_back(p.widget);
    }
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}
