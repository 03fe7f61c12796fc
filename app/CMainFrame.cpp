#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CTessalyApp.h"
#include "app/CTessalyDoc.h"
#include "app/command_table.h"
#include "app/keyboard_locks.h"
#include "app/reserved_names.h"
#include "editing/CRegisterView.h"
#include "link/link_state.h"
#include "model/zrp_file.h"
#include "protocol_ui/CProtocolForm.h"
#include "protocol_ui/import_command.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>

namespace {
const char* app_title = "Tessaly";
const char* idle_prompt = "Ready";
// The link pane is as wide as this text.
const char* link_pane_template = "Link Info                     ";

struct lock_pane {
    const char* text;
    bool keyboard_lock_state::*flag;
};
constexpr lock_pane lock_panes[] = {
    {"CAP", &keyboard_lock_state::caps},
    {"NUM", &keyboard_lock_state::num},
    {"SCRL", &keyboard_lock_state::scroll},
};

// Commands that work only with a document window.
bool needs_document(int id) {
    switch (id) {
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_OPTIONS_PROTOCOL:
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE_HORZ:
    case ID_WINDOW_TILE_VERT:
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        return true;
    default:
        return false;
    }
}

// Commands that have no handler and stay disabled.
bool always_disabled(int id) {
    switch (id) {
    case ID_OPEN_PARAM_FILE:
    case ID_EDIT_UNDO:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
        return true;
    default:
        return false;
    }
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

    create_actions();
    no_document_menus_ = build_menus(no_document_menus());
    document_menus_list_ = build_menus(document_menus());
    show_menus(false);
    create_tool_bar();
    create_status_bar();

    // Like an idle handler: enabled states and lock indicators follow the program's state.
    idle_timer_ = new QTimer(this);
    idle_timer_->setInterval(250);
    connect(idle_timer_, &QTimer::timeout, this, [this] {
        update_command_ui();
        update_lock_indicators();
    });
    idle_timer_->start();
    resize(900, 680);
}

CMainFrame::~CMainFrame() {
    // The document windows go first, while this window can still take their signals.
    disconnect(mdi_, nullptr, this, nullptr);
    idle_timer_->stop();
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        disconnect(w, nullptr, this, nullptr);
        delete w;
    }
}

void CMainFrame::create_actions() {
    for (const command_info& c : command_table()) {
        auto* action = new QAction(this);
        action->setStatusTip(c.prompt);
        action->setWhatsThis(c.prompt); // what context help shows for the button
        if (c.tooltip)
            action->setToolTip(c.tooltip);
        if (c.icon)
            action->setIcon(QIcon(c.icon));
        action->setShortcuts(c.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = c.id;
        connect(action, &QAction::triggered, this, [this, id] { run_command(id); });
        if (id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR || id == ID_USE_COM ||
            id == ID_USE_USB)
            action->setCheckable(true);
        // The accelerators work whichever menu bar is shown.
        addAction(action);
        actions_.insert(id, action);
        all_actions_.insert(id, action);
    }
}

QAction* CMainFrame::menu_action(int id, const char* text, QMenu* menu) {
    QAction* primary = actions_.value(id);
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
    connect(action, &QAction::triggered, this, [this, id] { run_command(id); });
    all_actions_.insert(id, action);
    return action;
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
                all_actions_.insert(ID_FILE_MRU, recent->menuAction());
                connect(recent, &QMenu::aboutToShow, this,
                        [this, recent] { fill_recent_menu(recent); });
            } else {
                menu_action(item.id, item.text, menu);
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
    const QStringList files =
        CTessalyApp::instance() ? CTessalyApp::instance()->recent_files() : QStringList();
    int n = 0;
    for (const QString& path : files) {
        QString shown = QDir::toNativeSeparators(path);
        shown.replace('&', "&&");
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(shown));
        a->setStatusTip(find_command(ID_FILE_MRU)->prompt);
        connect(a, &QAction::triggered, this, [path] {
            if (CTessalyApp* app = CTessalyApp::instance())
                app->open_document_file(path);
        });
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
        if (id == 0)
            tool_bar_->addSeparator();
        else
            tool_bar_->addAction(actions_.value(id));
    }
    addToolBar(Qt::TopToolBarArea, tool_bar_);
}

void CMainFrame::create_status_bar() {
    QStatusBar* bar = statusBar();
    message_pane_ = new QLabel(idle_prompt);
    bar->addWidget(message_pane_, 1);
    link_pane_ = new QLabel;
    link_pane_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    link_pane_->setMinimumWidth(fontMetrics().horizontalAdvance(link_pane_template) + 8);
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
    for (int i = 0; i < 3; ++i)
        lock_panes_[i]->setText(state.*lock_panes[i].flag ? lock_panes[i].text : "");
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
    show_menus(true);
    child->showMaximized();
    mdi_->setActiveSubWindow(child);
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

bool CMainFrame::command_enabled(int id) const {
    if (always_disabled(id))
        return false;
    CChildFrame* child = active_child();
    if (needs_document(id))
        return child != nullptr;
    CTessalyApp* app = CTessalyApp::instance();
    switch (id) {
    case ID_EDIT_DELETE:
        return child && child->register_view() && child->register_view()->can_delete();
    case ID_VIEW_PROPERTIES:
        if (child && child->active_form())
            return true;
        [[fallthrough]];
    case ID_INSERT_NEW_REGISTER:
        return child && child->register_view() && child->register_view()->can_edit_registers();
    case ID_USE_USB:
        return app && app->link().usb_connected();
    case ID_FILE_MRU:
        return app && !app->recent_files().isEmpty();
    default:
        return true;
    }
}

bool CMainFrame::command_checked(int id) const {
    CTessalyApp* app = CTessalyApp::instance();
    switch (id) {
    case ID_VIEW_TOOLBAR:
        return tool_bar_ && tool_bar_->isVisible();
    case ID_VIEW_STATUS_BAR:
        return statusBar()->isVisible();
    case ID_USE_COM:
        return app && app->link().link_type() == link_com;
    case ID_USE_USB:
        return app && app->link().link_type() == link_usb;
    default:
        return false;
    }
}

void CMainFrame::update_command_ui() {
    for (auto it = all_actions_.cbegin(); it != all_actions_.cend(); ++it) {
        it.value()->setEnabled(command_enabled(it.key()));
        if (it.value()->isCheckable())
            it.value()->setChecked(command_checked(it.key()));
    }
}

void CMainFrame::run_command(int id) {
    update_command_ui();
    if (!command_enabled(id))
        return;
    CTessalyApp* app = CTessalyApp::instance();
    CChildFrame* child = active_child();
    CTessalyDoc* doc = child ? child->document() : nullptr;
    if (!app)
        return;
    switch (id) {
    case ID_FILE_NEW:
        app->file_new();
        break;
    case ID_FILE_OPEN:
        app->file_open();
        break;
    case ID_FILE_SAVE:
        app->save_document(doc);
        break;
    case ID_FILE_SAVE_AS:
        app->save_document_as(doc);
        break;
    case ID_EXTRACT_BLF:
        app->extract("extract_blf");
        break;
    case ID_EXTRACT_RDX:
        app->extract("extract_rdx");
        break;
    case ID_EXTRACT_WNT:
        app->extract("extract_wnt");
        break;
    case ID_EXTRACT_HQP:
        app->extract("extract_hqp");
        break;
    case ID_EXTRACT_ERRORS:
        app->extract("extract_error");
        break;
    case ID_FILE_SEND:
        if (doc)
            doc->on_send();
        else
            app->send_without_document();
        break;
    case ID_IMPORT_OLD_FILE:
        run_import_command(this);
        break;
    case ID_FILE_PRINT:
        child->register_view()->on_print();
        break;
    case ID_FILE_PRINT_PREVIEW:
        child->register_view()->on_print_preview();
        break;
    case ID_FILE_PRINT_SETUP: {
        QPrintDialog dialog(&app->printer(), this);
        dialog.setWindowTitle(QStringLiteral("Print Setup"));
        dialog.exec();
        break;
    }
    case ID_APP_EXIT:
        close();
        break;
    case ID_VIEW_TOOLBAR:
        tool_bar_->setVisible(!tool_bar_->isVisible());
        break;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(!statusBar()->isVisible());
        break;
    case ID_EDIT_DELETE:
        child->register_view()->on_delete();
        break;
    case ID_INSERT_NEW_REGISTER:
        child->register_view()->on_new_register();
        break;
    case ID_VIEW_PROPERTIES:
        if (CProtocolForm* form = child->active_form())
            form->on_properties();
        else
            child->register_view()->on_properties();
        break;
    case ID_PORT_SETUP:
        app->port_setup();
        break;
    case ID_USE_COM:
        app->link().select_com_link();
        break;
    case ID_USE_USB:
        app->link().select_usb_link();
        break;
    case ID_OPTIONS_PROTOCOL:
        doc->on_protocol();
        break;
    case ID_OPTIONS_PREFERENCES:
        app->preferences();
        break;
    case ID_WINDOW_CASCADE:
        mdi_->cascadeSubWindows();
        break;
    case ID_WINDOW_TILE_HORZ:
        tile(true);
        break;
    case ID_WINDOW_TILE_VERT:
        tile(false);
        break;
    case ID_HELP_FINDER:
        app->help_contents();
        break;
    case ID_APP_ABOUT:
        app->about();
        break;
    case ID_CONTEXT_HELP:
        QWhatsThis::enterWhatsThisMode();
        break;
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        child->focus_next_pane(id == ID_NEXT_PANE);
        break;
    default:
        break;
    }
    update_command_ui();
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
    CTessalyApp* app = CTessalyApp::instance();
    if (app && !app->close_all_documents()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    CTessalyApp* app = CTessalyApp::instance();
    if (!app)
        return;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            app->open_document_file(url.toLocalFile());
    event->acceptProposedAction();
}

bool CMainFrame::event(QEvent* event) {
    // Key presses may toggle a lock; the indicators follow at once.
    if (event->type() == QEvent::KeyRelease)
        update_lock_indicators();
    return QMainWindow::event(event);
}
