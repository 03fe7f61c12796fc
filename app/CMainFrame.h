#pragma once
// The main window: a multi-document frame with the two menu bars, the toolbar and the status
// bar (message pane, link pane, Caps/Num/Scroll indicators). Its commands are a CCommandSet
// that the application binds; the window keeps their enabled and ticked states current as
// the active window, the focus, the selection and the link change.

#include <QList>
#include <QMainWindow>

#include <functional>

class CChildFrame;
class CCommandSet;
class CRecentFiles;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
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
    // Shows a new document window maximised and makes it the active one.
    void add_child(CChildFrame* child);

    CCommandSet& commands() const { return *commands_; }
    // The action of a command (the one the toolbar and the accelerators use).
    QAction* command_action(int id) const;
    // Every action of a command, menu items with their own text included.
    QList<QAction*> command_actions(int id) const;
    // Carries out a command as its menu item would.
    void run_command(int id);
    // Whether a command can run now, and whether it shows a tick.
    bool command_enabled(int id) const;
    bool command_checked(int id) const;
    // Brings every action's enabled and ticked state up to date.
    void update_command_ui();

    // The list the Recent Files menu shows.
    void set_recent_files(CRecentFiles* recent);
    // Asked before the window closes (closing the documents); false keeps it open.
    void set_close_guard(std::function<bool()> guard) { close_guard_ = std::move(guard); }

    // True while the document menu bar is shown.
    bool document_menus_shown() const { return document_menus_; }
    QString link_pane_text() const;
    QString message_pane_text() const;
    QLabel* link_pane() const { return link_pane_; }

    void set_link_status(const QString& text);
    // The window title: "Tessaly" with the active document's title added to it.
    void update_title();
    // Shows the window where it was last closed (size, position, maximised), or on a first
    // start at its default size, maximised when the screen is small.
    void show_placed();

    // Tile horizontally (full-width windows one above the other) or vertically (side by
    // side).
    void tile(bool horizontally);

  signals:
    // A file was dropped on the window or chosen in the Recent Files menu.
    void open_requested(const QString& path);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

  private:
    QList<QMenu*> build_menus(const QList<menu_definition>& menus);
    void fill_recent_menu(QMenu* menu);
    void fill_window_menu(QMenu* menu);
    void show_menus(bool document);
    void create_tool_bar();
    void create_status_bar();
    void update_lock_indicators();
    void on_child_activated(QMdiSubWindow* window);

    QMdiArea* mdi_ = nullptr;
    CCommandSet* commands_ = nullptr;
    CRecentFiles* recent_ = nullptr;
    QToolBar* tool_bar_ = nullptr;
    QLabel* message_pane_ = nullptr;
    QLabel* link_pane_ = nullptr;
    QLabel* lock_panes_[3] = {};
    QList<QMenu*> no_document_menus_;
    QList<QMenu*> document_menus_list_;
    std::function<bool()> close_guard_;
    bool document_menus_ = false;
};
