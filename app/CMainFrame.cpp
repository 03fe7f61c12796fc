#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CCommandSet.h"
#include "app/CRecentFiles.h"
#include "app/command_table.h"
#include "app/keyboard_locks.h"
#include "app/window_navigation.h"
#include "document/CTessalyDoc.h"
#include "model/zrp_file.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {
const char* app_title = "Tessaly";
const char* idle_prompt = "Ready";
// The link pane is as wide as this text.
const char* link_pane_template = "Link Info                     ";

// The link pane's name for screen readers, which read a status bar pane by its name.
const char* link_pane_name = "Link";

struct lock_pane {
    const char* text;
    bool keyboard_lock_state::*flag;
    // The key's name for screen readers: an indicator that is off shows no text at all.
    const char* key;
};
constexpr lock_pane lock_panes[] = {
    {"CAP", &keyboard_lock_state::caps, "Caps Lock"},
    {"NUM", &keyboard_lock_state::num, "Num Lock"},
    {"SCRL", &keyboard_lock_state::scroll, "Scroll Lock"},
};

// "Caps Lock: on"; "Link: COM1", or "Link" while no link is selected.
QString pane_name(const char* what, const QString& state) {
    return state.isEmpty() ? QString::fromUtf8(what)
                           : QStringLiteral("%1: %2").arg(QString::fromUtf8(what), state);
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(app_title);
    setWindowIcon(QIcon(QStringLiteral(":/icons/tessaly.png")));
    setAcceptDrops(true);
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::on_child_activated);

    commands_ = new CCommandSet(this);
    no_document_menus_ = build_menus(no_document_menus());
    document_menus_list_ = build_menus(document_menus());
    show_menus(false);
    create_tool_bar();
    create_status_bar();
    add_window_switching(*this, *mdi_);

    // Which pane has the focus decides what Properties edits.
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::update_command_ui);
    // The lock keys can change while another program has the keyboard.
    auto* lock_timer = new QTimer(this);
    lock_timer->setInterval(250);
    connect(lock_timer, &QTimer::timeout, this, &CMainFrame::update_lock_indicators);
    lock_timer->start();
    resize(900, 680);
}

CMainFrame::~CMainFrame() {
    // The document windows go first, while this window can still take their signals.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(mdi_, nullptr, this, nullptr);
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        disconnect(w, nullptr, this, nullptr);
        delete w;
    }
}

QAction* CMainFrame::command_action(int id) const {
    return commands_->action(id);
}

QList<QAction*> CMainFrame::command_actions(int id) const {
    return commands_->actions(id);
}

void CMainFrame::run_command(int id) {
    commands_->run(id);
}

bool CMainFrame::command_enabled(int id) const {
    return commands_->enabled(id);
}

bool CMainFrame::command_checked(int id) const {
    return commands_->checked(id);
}

void CMainFrame::update_command_ui() {
    commands_->update();
}

void CMainFrame::set_recent_files(CRecentFiles* recent) {
    recent_ = recent;
}

QList<QMenu*> CMainFrame::build_menus(const QList<menu_definition>& menus) {
    QList<QMenu*> built;
    for (const menu_definition& def : menus) {
        auto* top = new QMenu(def.title, this);
        QList<QMenu*> stack{top};
        for (const menu_item& item : def.items) {
            QMenu* menu = stack.back();
            if (item.id == -1) {
                stack.pop_back();
            } else if (item.id == 0 && !item.text) {
                menu->addSeparator();
            } else if (item.id == 0) {
                stack.push_back(menu->addMenu(item.text));
            } else if (item.id == ID_FILE_MRU) {
                QMenu* recent = menu->addMenu(item.text);
                recent->menuAction()->setStatusTip(find_command(ID_FILE_MRU)->prompt);
                commands_->add_action(ID_FILE_MRU, recent->menuAction());
                connect(recent, &QMenu::aboutToShow, this,
                        [this, recent] { fill_recent_menu(recent); });
            } else {
                commands_->menu_action(item.id, item.text, menu);
            }
        }
        if (def.title == QLatin1String("&Window"))
            connect(top, &QMenu::aboutToShow, this, [this, top] { fill_window_menu(top); });
        connect(top, &QMenu::aboutToShow, this, &CMainFrame::update_command_ui);
        built.push_back(top);
    }
    return built;
}

void CMainFrame::fill_recent_menu(QMenu* menu) {
    menu->clear();
    const QStringList files = recent_ ? recent_->files() : QStringList();
    int n = 0;
    for (const QString& path : files) {
        QString shown = QDir::toNativeSeparators(path);
        shown.replace('&', "&&");
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(shown));
        a->setStatusTip(find_command(ID_FILE_MRU)->prompt);
        connect(a, &QAction::triggered, this, [this, path] { emit open_requested(path); });
    }
}

void CMainFrame::fill_window_menu(QMenu* menu) {
    // The three arrange commands stay; the list of document windows follows them.
    const QList<QAction*> items = menu->actions();
    for (int i = 3; i < items.size(); ++i) {
        menu->removeAction(items[i]);
        if (items[i]->parent() == menu)
            delete items[i];
    }
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    if (windows.isEmpty())
        return;
    menu->addSeparator();
    int n = 0;
    for (QMdiSubWindow* w : windows) {
        QString title = w->windowTitle();
        title.replace('&', "&&");
        // A modified map is marked here; its title keeps its own form.
        auto* child = qobject_cast<CChildFrame*>(w);
        if (child && child->document()->is_modified())
            title += QStringLiteral(" *");
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(title));
        a->setCheckable(true);
        a->setChecked(w == mdi_->currentSubWindow());
        connect(a, &QAction::triggered, this, [this, w] { mdi_->setActiveSubWindow(w); });
    }
}

void CMainFrame::show_menus(bool document) {
    document_menus_ = document;
    menuBar()->clear();
    for (QMenu* m : document ? document_menus_list_ : no_document_menus_)
        menuBar()->addMenu(m);
}

void CMainFrame::create_tool_bar() {
    tool_bar_ = new QToolBar(QStringLiteral("Standard"), this);
    tool_bar_->setObjectName(QStringLiteral("standard_toolbar"));
    tool_bar_->setAllowedAreas(Qt::AllToolBarAreas);
    tool_bar_->setMovable(true);
    tool_bar_->setFloatable(true);
    tool_bar_->setIconSize(QSize(16, 16));
    for (int id : toolbar_buttons()) {
        if (id == 0) {
            tool_bar_->addSeparator();
            continue;
        }
        QAction* action = commands_->action(id);
        tool_bar_->addAction(action);
        // A command without a menu item has no text for its button: a screen reader names the
        // button by its tool tip, as the mouse user reads it.
        if (action->text().isEmpty())
            tool_bar_->widgetForAction(action)->setAccessibleName(action->toolTip());
    }
    // The button that shows the buttons a short toolbar has no room for.
    if (auto* more = tool_bar_->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("More buttons"));
    addToolBar(Qt::TopToolBarArea, tool_bar_);
    connect(tool_bar_, &QToolBar::visibilityChanged, this, &CMainFrame::update_command_ui);
}

void CMainFrame::show_placed() {
    ::show_placed(*this);
}

void CMainFrame::create_status_bar() {
    QStatusBar* bar = statusBar();
    message_pane_ = new QLabel(idle_prompt);
    bar->addWidget(message_pane_, 1);
    link_pane_ = new QLabel;
    link_pane_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    link_pane_->setMinimumWidth(fontMetrics().horizontalAdvance(link_pane_template) + 8);
    link_pane_->setAccessibleName(pane_name(link_pane_name, QString()));
    bar->addPermanentWidget(link_pane_);
    for (int i = 0; i < 3; ++i) {
        lock_panes_[i] = new QLabel;
        lock_panes_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        lock_panes_[i]->setAlignment(Qt::AlignCenter);
        lock_panes_[i]->setMinimumWidth(fontMetrics().horizontalAdvance("SCRL") + 10);
        bar->addPermanentWidget(lock_panes_[i]);
    }
    update_lock_indicators();
}

void CMainFrame::update_lock_indicators() {
    const keyboard_lock_state state = read_keyboard_locks();
    // Where the platform cannot tell, the panes are left out rather than claim "off".
    for (int i = 0; i < 3; ++i) {
        const bool on = state.*lock_panes[i].flag;
        lock_panes_[i]->setVisible(state.known);
        lock_panes_[i]->setText(on ? lock_panes[i].text : "");
        const QString name = pane_name(lock_panes[i].key, on ? "on" : "off");
        if (lock_panes_[i]->accessibleName() != name)
            lock_panes_[i]->setAccessibleName(name);
    }
}

QString CMainFrame::link_pane_text() const {
    return link_pane_->text();
}

QString CMainFrame::message_pane_text() const {
    const QString temporary = statusBar()->currentMessage();
    return temporary.isEmpty() ? message_pane_->text() : temporary;
}

void CMainFrame::set_link_status(const QString& text) {
    link_pane_->setText(text);
    link_pane_->setAccessibleName(pane_name(link_pane_name, text));
}

CChildFrame* CMainFrame::active_child() const {
    return qobject_cast<CChildFrame*>(mdi_->currentSubWindow());
}

void CMainFrame::add_child(CChildFrame* child) {
    mdi_->addSubWindow(child);
    connect(child, &QObject::destroyed, this, [this] {
        // The last window gone: back to the menu bar without documents.
        QTimer::singleShot(0, this, [this] {
            if (mdi_->subWindowList().isEmpty())
                show_menus(false);
            update_title();
            update_command_ui();
        });
    });
    // Maximised, restored, tiled: the title follows once the window has its new state.
    connect(child, &QMdiSubWindow::windowStateChanged, this,
            [this] { QTimer::singleShot(0, this, &CMainFrame::update_title); });
    connect(child, &QWidget::windowTitleChanged, this, &CMainFrame::update_title);
    connect(child, &CChildFrame::command_state_changed, this, &CMainFrame::update_command_ui);
    show_menus(true);
    child->showMaximized();
    mdi_->setActiveSubWindow(child);
    update_title();
    update_command_ui();
}

void CMainFrame::on_child_activated(QMdiSubWindow* window) {
    if (window)
        show_menus(true);
    else if (mdi_->subWindowList().isEmpty())
        show_menus(false);
    if (CChildFrame* child = qobject_cast<CChildFrame*>(window); child && child->document()->map())
        set_network_protocol_flag(child->document()->map()->protocol_code);
    update_title();
    update_command_ui();
}

void CMainFrame::update_title() {
    // The active document's title is added to "Tessaly": a maximised document window adds
    // " - [its title]" itself (setting the bare name lets it add that again), for any other
    // this window adds " - its title".
    CChildFrame* child = active_child();
    if (child && !child->isMaximized() && !child->windowTitle().isEmpty())
        setWindowTitle(QStringLiteral("%1 - %2").arg(app_title, child->windowTitle()));
    else
        setWindowTitle(app_title);
}

void CMainFrame::tile(bool horizontally) {
    // Horizontally: full-width windows one above the other; vertically: side by side.
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    if (windows.isEmpty())
        return;
    const QRect area = mdi_->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = windows[i];
        w->showNormal();
        if (horizontally) {
            const int top = area.height() * i / n, bottom = area.height() * (i + 1) / n;
            w->setGeometry(0, top, area.width(), bottom - top);
        } else {
            const int left = area.width() * i / n, right = area.width() * (i + 1) / n;
            w->setGeometry(left, 0, right - left, area.height());
        }
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (close_guard_ && !close_guard_()) {
        event->ignore();
        return;
    }
    if (isVisible())
        save_placement(*this);
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            emit open_requested(url.toLocalFile());
    event->acceptProposedAction();
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A document opened before the window was shown (the file named on the command line):
    // its maximised window adds its title to this one's only once both are visible.
    if (CChildFrame* child = active_child(); child && child->isMaximized()) {
        child->showNormal();
        child->showMaximized();
    }
}

bool CMainFrame::event(QEvent* event) {
    // Key presses may toggle a lock; the indicators follow at once.
    if (event->type() == QEvent::KeyRelease)
        update_lock_indicators();
    return QMainWindow::event(event);
}
