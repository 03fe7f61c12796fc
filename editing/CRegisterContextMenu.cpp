#include "editing/CRegisterContextMenu.h"

#include "editing/CRegisterView.h"

namespace {
struct entry {
    const char* text; // nullptr: a separator
    void (CRegisterView::*run)();
    bool (CRegisterView::*enabled)() const;
};
const entry entries[] = {
    {"New &Register", &CRegisterView::on_new_register, &CRegisterView::can_edit_registers},
    {"&Properties", &CRegisterView::on_properties, &CRegisterView::can_delete},
    {nullptr, nullptr, nullptr},
    {"Cu&t", &CRegisterView::on_cut, &CRegisterView::can_delete},
    {"&Copy", &CRegisterView::on_copy, &CRegisterView::can_delete},
    {"&Paste", &CRegisterView::on_paste, &CRegisterView::can_paste},
    {"&Delete", &CRegisterView::on_delete, &CRegisterView::can_delete},
};
} // namespace

CRegisterContextMenu::CRegisterContextMenu(CRegisterView* list) : QMenu(list), list_(list) {
    setTitle(QStringLiteral("Register commands"));
    setWindowTitle(title());
    setAccessibleName(title());
    for (const entry& e : entries) {
        if (e.text == nullptr) {
            addSeparator();
            continue;
        }
        QAction* action = addAction(QString::fromUtf8(e.text));
        connect(action, &QAction::triggered, list, e.run);
        own_.push_back(action);
    }
}

void CRegisterContextMenu::add_extra_action(QAction* action) {
    if (action == nullptr || extra_.contains(action))
        return;
    if (extra_.isEmpty())
        addSeparator();
    extra_.push_back(action);
    addAction(action);
}

void CRegisterContextMenu::follow_list() {
    int i = 0;
    for (const entry& e : entries) {
        if (e.text == nullptr)
            continue;
        own_[i++]->setEnabled(list_->can_edit_registers() && (list_->*e.enabled)());
    }
}

QAction* CRegisterContextMenu::command(const QString& text) const {
    for (QAction* action : own_)
        if (action->text() == text)
            return action;
    return nullptr;
}
