#include "app/CContextHelp.h"

#include "app/CHelpWindow.h"
#include "app/command_table.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolButton>

namespace {

struct command_page {
    int id;
    const char* page;
};
constexpr command_page command_pages[] = {
    {ID_FILE_NEW, "documents.html"},
    {ID_FILE_OPEN, "documents.html"},
    {ID_FILE_SAVE, "documents.html"},
    {ID_FILE_SAVE_AS, "documents.html"},
    {ID_FILE_MRU, "documents.html"},
    {ID_APP_EXIT, "documents.html"},
    {ID_WINDOW_CASCADE, "documents.html"},
    {ID_WINDOW_TILE_HORZ, "documents.html"},
    {ID_WINDOW_TILE_VERT, "documents.html"},
    {ID_EXTRACT_BLF, "transfers.html"},
    {ID_EXTRACT_RDX, "transfers.html"},
    {ID_EXTRACT_WNT, "transfers.html"},
    {ID_EXTRACT_HQP, "transfers.html"},
    {ID_EXTRACT_ERRORS, "transfers.html"},
    {ID_FILE_SEND, "transfers.html"},
    {ID_USE_COM, "transfers.html"},
    {ID_USE_USB, "transfers.html"},
    {ID_IMPORT_OLD_FILE, "import.html"},
    {ID_PORT_SETUP, "options.html"},
    {ID_OPTIONS_PREFERENCES, "options.html"},
    {ID_OPEN_PARAM_FILE, "options.html"},
    {ID_OPTIONS_PROTOCOL, "protocols.html"},
    {ID_EDIT_DELETE, "registers.html"},
    {ID_EDIT_UNDO, "registers.html"},
    {ID_EDIT_CUT, "registers.html"},
    {ID_EDIT_COPY, "registers.html"},
    {ID_EDIT_PASTE, "registers.html"},
    {ID_INSERT_NEW_REGISTER, "registers.html"},
    {ID_VIEW_PROPERTIES, "registers.html"},
    {ID_SORT_BY_REGISTER, "registers.html"},
    {ID_SORT_BY_FEEDER, "registers.html"},
    {ID_SORT_BY_PARAMETER, "registers.html"},
    {ID_SORT_BY_FORMAT, "registers.html"},
    {ID_SORT_MAP_ORDER, "registers.html"},
    {ID_VIEW_LIVE_VALUES, "live_values.html"},
    {ID_FILE_PRINT, "registers.html"},
    {ID_FILE_PRINT_PREVIEW, "registers.html"},
    {ID_FILE_PRINT_SETUP, "registers.html"},
    {ID_PRINT_REGISTER_TABLE, "registers.html"},
    {ID_EXPORT_REGISTER_TABLE_PDF, "registers.html"},
    {ID_EDIT_FIND, "registers.html"},
    {ID_VIEW_TOOLBAR, "commands.html"},
    {ID_VIEW_STATUS_BAR, "commands.html"},
    {ID_NEXT_PANE, "commands.html"},
    {ID_PREV_PANE, "commands.html"},
    {ID_CONTEXT_HELP, "commands.html"},
};

// Windows and dialogs by class; a widget takes the page of its nearest ancestor listed here
// (the more special classes first, as a dialog is also a settings dialog).
struct class_page {
    const char* class_name;
    const char* page;
};
constexpr class_page class_pages[] = {
    {"CBlockDefDialog", "block_definitions.html"},
    {"CBlockPropDIALOG", "block_definitions.html"},
    {"CProfinetDialog", "profinet.html"},
    {"CSettingsDialog", "protocols.html"},
    {"CHostDialog", "protocols.html"},
    {"CProtocolForm", "protocols.html"},
    {"CRegisterDialog", "registers.html"},
    {"CRegisterView", "registers.html"},
    {"CLiveValuesWindow", "live_values.html"},
    {"CRegisterPane", "registers.html"},
    {"CPortDialog", "options.html"},
    {"CPreferenceDialog", "options.html"},
    {"CZRPErrorDlg", "transfers.html"},
    {"QPrintDialog", "registers.html"},
    {"QPageSetupDialog", "registers.html"},
    {"QPrintPreviewDialog", "registers.html"},
};

int command_of(const QAction* action) {
    bool ok = false;
    const int id = action ? action->data().toInt(&ok) : 0;
    return ok ? id : 0;
}

} // namespace

CContextHelp::CContextHelp(page_viewer show, QObject* parent)
    : QObject(parent), show_(std::move(show)) {
    qApp->installEventFilter(this);
}

CContextHelp::~CContextHelp() {
    finish();
    qApp->removeEventFilter(this);
}

QString CContextHelp::page_of_command(int id) {
    for (const command_page& p : command_pages)
        if (p.id == id)
            return QString::fromLatin1(p.page);
    return QString::fromLatin1(CHelpWindow::contents_page);
}

QString CContextHelp::page_of_widget(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        for (const class_page& p : class_pages)
            if (w->inherits(p.class_name))
                return QString::fromLatin1(p.page);
    return QString::fromLatin1(CHelpWindow::contents_page);
}

void CContextHelp::start() {
    if (active_)
        return;
    active_ = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

void CContextHelp::finish() {
    if (!active_)
        return;
    active_ = false;
    QApplication::restoreOverrideCursor();
}

bool CContextHelp::take_command(int id) {
    if (!active_ || id == ID_CONTEXT_HELP)
        return false;
    finish();
    show_(page_of_command(id));
    return true;
}

bool CContextHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (active_ && key->key() == Qt::Key_Escape) {
            finish();
            return true;
        }
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            // Once per key press, whichever widget the event is being delivered to.
            if (watched != QApplication::focusWidget() && QApplication::focusWidget())
                return false;
            finish();
            QWidget* at = QApplication::focusWidget();
            if (!at && watched->isWidgetType())
                at = static_cast<QWidget*>(watched);
            show_(page_of_widget(at));
            return true;
        }
        return false;
    }
    if (!active_ || event->type() != QEvent::MouseButtonPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    // Menus carry on: the command chosen in them is taken by take_command().
    if (qobject_cast<QMenu*>(widget) || qobject_cast<QMenuBar*>(widget))
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    QWidget* target = widget->childAt(mouse->position().toPoint());
    if (!target)
        target = widget;
    finish();
    if (auto* button = qobject_cast<QToolButton*>(target);
        button && command_of(button->defaultAction()))
        show_(page_of_command(command_of(button->defaultAction())));
    else
        show_(page_of_widget(target));
    return true;
}
