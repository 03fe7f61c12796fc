#include "tests/a11y/window_dump.h"

#include "protocol_ui/CIntegerEdit.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {
// The toolkit's class a widget is made of: the editor's own classes are how the windows are
// built, not what they show.
QString toolkit_class(const QWidget* w) {
    const QMetaObject* meta = w->metaObject();
    while (meta->superClass() && meta->className()[0] != 'Q')
        meta = meta->superClass();
    return QString::fromLatin1(meta->className());
}

QString describe(const QWidget* w, const QWidget* window) {
    const QPoint at = w->mapTo(window, QPoint(0, 0));
    QString line = QStringLiteral("%1 %2,%3 %4x%5")
                       .arg(toolkit_class(w))
                       .arg(at.x())
                       .arg(at.y())
                       .arg(w->width())
                       .arg(w->height());
    if (const auto* label = qobject_cast<const QLabel*>(w))
        line += QStringLiteral(" text='%1'").arg(label->text());
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        line += QStringLiteral(" text='%1'%2")
                    .arg(button->text(), button->isChecked() ? " checked" : "");
    if (const auto* group = qobject_cast<const QGroupBox*>(w))
        line += QStringLiteral(" title='%1'").arg(group->title());
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        line += QStringLiteral(" value='%1'%2")
                    .arg(edit->text(), edit->isReadOnly() ? " read-only" : "");
    if (const auto* integer = qobject_cast<const CIntegerEdit*>(w))
        line += QStringLiteral(" kind=%1").arg(integer->kind());
    if (!w->accessibleName().isEmpty())
        line += QStringLiteral(" name='%1'").arg(w->accessibleName());
    if (!w->isEnabled())
        line += QStringLiteral(" disabled");
    return line;
}

// The shown children of parent from the top left, row by row: the order in which a window
// happens to create its controls shows nowhere but in the tab order, written apart.
void dump_children(const QWidget* parent, const QWidget* window, int depth, QString& out) {
    std::vector<std::pair<QString, const QWidget*>> shown;
    for (const QObject* child : parent->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (w && !w->isWindow() && w->isVisibleTo(window))
            shown.emplace_back(describe(w, window), w);
    }
    std::stable_sort(shown.begin(), shown.end(), [window](const auto& a, const auto& b) {
        const QPoint pa = a.second->mapTo(window, QPoint(0, 0));
        const QPoint pb = b.second->mapTo(window, QPoint(0, 0));
        return std::make_tuple(pa.y(), pa.x(), a.first) < std::make_tuple(pb.y(), pb.x(), b.first);
    });
    for (const auto& [line, w] : shown) {
        out += QString(depth * 2, QLatin1Char(' ')) + line + QLatin1Char('\n');
        dump_children(w, window, depth + 1, out);
    }
}
} // namespace

QString window_dump(const QString& name, QWidget* window) {
    QString out = QStringLiteral("== %1: '%2' %3x%4\n")
                      .arg(name, window->windowTitle())
                      .arg(window->width())
                      .arg(window->height());
    dump_children(window, window, 1, out);
    out += QStringLiteral("tab order:\n");
    // The focus chain from the window round to it again, as Tab walks it.
    QWidget* w = window->nextInFocusChain();
    for (int steps = 0; w && w != window && steps < 10000; ++steps, w = w->nextInFocusChain())
        if (w->window() == window && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) &&
            w->isEnabled())
            out += QStringLiteral("  ") + describe(w, window) + QLatin1Char('\n');
    return out;
}
