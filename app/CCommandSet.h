#pragma once
// The editor's commands as actions: one QAction per command of the command table (its
// prompt, tool tip, toolbar image and accelerators), further actions where a menu shows the
// same command under another text, and for each command its handler and its enabled and
// ticked rules. A command without a handler is shown disabled.

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;

class CCommandSet : public QObject {
    Q_OBJECT
  public:
    using handler = std::function<void()>;
    using rule = std::function<bool()>;

    // The actions belong to owner, whose window takes their accelerators whatever menu
    // bar it shows.
    explicit CCommandSet(QWidget* owner);

    // Gives a command its handler (may be empty: the command only shows its state), its
    // enabled rule (empty: always enabled) and its ticked rule (empty: no tick).
    void bind(int id, handler run, rule enabled = {}, rule checked = {});
    // Gives a command a menu text that follows the state (Undo names the step it undoes);
    // every action of the command shows it.
    void bind_text(int id, std::function<QString()> text);

    // The action of a command (the one the toolbar and the accelerators use).
    QAction* action(int id) const { return primary_.value(id); }
    // Every action of a command, menu items with their own text included.
    QList<QAction*> actions(int id) const { return all_.values(id); }
    // The menu item of a command with this text: the command's own action, or an action of
    // its own when the command already shows another text.
    QAction* menu_action(int id, const char* text, QMenu* menu);
    // Counts action (a submenu's, say) among the command's actions.
    void add_action(int id, QAction* action);

    // Carries out a command as its menu item would (nothing when it is disabled).
    void run(int id);
    // Asked before every command runs; true takes the command instead (context help).
    void set_interceptor(std::function<bool(int id)> interceptor) {
        interceptor_ = std::move(interceptor);
    }
    bool enabled(int id) const;
    bool checked(int id) const;
    // Brings every action's enabled and ticked state up to date.
    void update();

  private:
    struct binding {
        handler run;
        rule enabled;
        rule checked;
    };
    void set_checkable(int id);

    QWidget* owner_;
    QHash<int, QAction*> primary_;
    QMultiHash<int, QAction*> all_;
    QHash<int, binding> bindings_;
    QHash<int, std::function<QString()>> texts_;
    std::function<bool(int)> interceptor_;
};
