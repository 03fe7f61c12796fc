#include "app/CCommandSet.h"

#include "app/command_table.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QWidget>

CCommandSet::CCommandSet(QWidget* owner) : QObject(owner), owner_(owner) {
    for (const command_info& c : command_table()) {
        auto* action = new QAction(owner);
        action->setStatusTip(c.prompt);
        action->setWhatsThis(c.prompt); // what context help shows for the button
        if (c.tooltip)
            action->setToolTip(c.tooltip);
        if (c.icon)
            action->setIcon(QIcon(c.icon));
        action->setShortcuts(c.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setData(c.id); // which command a toolbar button stands for
        const int id = c.id;
        connect(action, &QAction::triggered, this, [this, id] { run(id); });
        owner->addAction(action);
        primary_.insert(id, action);
        all_.insert(id, action);
    }
}

void CCommandSet::bind(int id, handler run, rule enabled, rule checked) {
    const bool checkable = static_cast<bool>(checked);
    bindings_.insert(id, {std::move(run), std::move(enabled), std::move(checked)});
    if (checkable)
        set_checkable(id);
}

void CCommandSet::bind_text(int id, std::function<QString()> text) {
    texts_.insert(id, std::move(text));
}

void CCommandSet::set_checkable(int id) {
    for (QAction* a : all_.values(id))
        a->setCheckable(true);
}

QAction* CCommandSet::menu_action(int id, const char* text, QMenu* menu) {
    QAction* primary = primary_.value(id);
    if (primary->text().isEmpty())
        primary->setText(text);
    if (primary->text() == text) {
        menu->addAction(primary);
        return primary;
    }
    // The same command under another text in this menu bar.
    auto* action = menu->addAction(text);
    action->setStatusTip(primary->statusTip());
    action->setCheckable(primary->isCheckable());
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { run(id); });
    all_.insert(id, action);
    return action;
}

void CCommandSet::add_action(int id, QAction* action) {
    all_.insert(id, action);
}

bool CCommandSet::enabled(int id) const {
    const auto it = bindings_.constFind(id);
    if (it == bindings_.cend())
        return false;
    return !it->enabled || it->enabled();
}

bool CCommandSet::checked(int id) const {
    const auto it = bindings_.constFind(id);
    return it != bindings_.cend() && it->checked && it->checked();
}

void CCommandSet::run(int id) {
    if (interceptor_ && interceptor_(id))
        return;
    if (!enabled(id))
        return;
    // The handler may close the window that owns this set; the binding is copied first.
    const handler run = bindings_.value(id).run;
    const QPointer<CCommandSet> alive(this);
    if (run)
        run();
    if (alive)
        update();
}

void CCommandSet::update() {
    for (auto it = all_.cbegin(); it != all_.cend(); ++it) {
        it.value()->setEnabled(enabled(it.key()));
        if (it.value()->isCheckable())
            it.value()->setChecked(checked(it.key()));
        if (const auto text = texts_.constFind(it.key()); text != texts_.cend())
            it.value()->setText((*text)());
    }
}
