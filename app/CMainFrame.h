#pragma once
// The main window: a multi-document frame with the two menu bars, the toolbar and the status
// bar (message pane, link pane, Caps/Num/Scroll indicators). It routes every command to the
// application, the active document or its register list, and keeps each command's enabled
// and ticked state current.

#include <QHash>
#include <QList>
#include <QMainWindow>

class CChildFrame;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
struct menu_definition;

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* mdi_area() const { return mdi_; }
    QToolBar* tool_bar() const { return tool_bar_; }
    // The active document window, or nullptr.
    CChildFrame* active_child() const;
    void add_child(CChildFrame* child);

    // The action of a command (the one the toolbar and the accelerators use).
    QAction* command_action(int id) const { return actions_.value(id); }
    // Every action of a command, menu items with their own text included.
    QList<QAction*> command_actions(int id) const { return all_actions_.values(id); }
    // Carries out a command as its menu item would.
    void run_command(int id);
    // Whether a command can run now, and whether it shows a tick.
    bool command_enabled(int id) const;
    bool command_checked(int id) const;
    // Brings every action's enabled and ticked state up to date.
    void update_command_ui();

    // True while the document menu bar is shown.
    bool document_menus_shown() const { return document_menus_; }
    QString link_pane_text() const;
    QString message_pane_text() const;
    QLabel* link_pane() const { return link_pane_; }

    void set_link_status(const QString& text);
    // The window title: "Tessaly" with the active document's title added to it.
    void update_title();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void create_actions();
    QList<QMenu*> build_menus(const QList<menu_definition>& menus);
    QAction* menu_action(int id, const char* text, QMenu* menu);
    void fill_recent_menu(QMenu* menu);
    void fill_window_menu(QMenu* menu);
    void show_menus(bool document);
    void create_tool_bar();
    void create_status_bar();
    void update_lock_indicators();
    void tile(bool horizontally);
    void on_child_activated(QMdiSubWindow* window);

    QMdiArea* mdi_ = nullptr;
    QToolBar* tool_bar_ = nullptr;
    QLabel* message_pane_ = nullptr;
    QLabel* link_pane_ = nullptr;
    QLabel* lock_panes_[3] = {};
    QTimer* idle_timer_ = nullptr;
    QHash<int, QAction*> actions_;
    QMultiHash<int, QAction*> all_actions_;
    QList<QMenu*> no_document_menus_;
    QList<QMenu*> document_menus_list_;
    bool document_menus_ = false;
};
