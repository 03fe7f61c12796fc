#pragma once
// The register list's context menu: New Register, Properties, Cut, Copy, Paste and Delete of
// the list it belongs to, then whatever actions were added from outside the list.

#include <QList>
#include <QMenu>

class CRegisterView;

class CRegisterContextMenu : public QMenu {
    Q_OBJECT
  public:
    explicit CRegisterContextMenu(CRegisterView* list);

    // Appends action after the list's own commands (behind a separator); not owned.
    void add_extra_action(QAction* action);
    // Enables the list's own commands as they apply now.
    void follow_list();

    // The list's own command named text ("&Copy"), or nullptr.
    QAction* command(const QString& text) const;

  private:
    CRegisterView* list_;
    QList<QAction*> own_;
    QList<QAction*> extra_;
};
