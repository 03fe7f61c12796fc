#include "app/window_navigation.h"

#include "app/AppSetup.h"

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QMdiArea>
#include <QScreen>
#include <QSettings>

namespace {
// Where the window's size, position and maximised state are kept between runs.
const char* placement_key = "Window/Placement";
// A first start on a screen smaller than this opens the window maximised.
constexpr QSize small_screen(1280, 800);
} // namespace

void show_placed(QMainWindow& window) {
    const QByteArray saved = AppSetup::settings().value(placement_key).toByteArray();
    if (!saved.isEmpty() && window.restoreGeometry(saved)) {
        window.show();
        return;
    }
    const QScreen* shown_on = window.screen();
    const QSize room = shown_on ? shown_on->availableGeometry().size() : QSize();
    if (room.isValid() &&
        (room.width() < small_screen.width() || room.height() < small_screen.height())) {
        // Restored from maximised, the window still fits the screen.
        window.resize(window.size().boundedTo(room * 9 / 10));
        window.showMaximized();
    } else {
        window.show();
    }
}

void save_placement(const QMainWindow& window) {
    AppSetup::settings().setValue(placement_key, window.saveGeometry());
    AppSetup::settings().sync();
}

void add_window_switching(QMainWindow& window, QMdiArea& area) {
    struct switching {
        const char* name;
        QList<QKeySequence> keys;
        void (QMdiArea::*go)();
    };
    const switching moves[] = {
        {"Next Window",
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_F6)},
         &QMdiArea::activateNextSubWindow},
        {"Previous Window",
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)},
         &QMdiArea::activatePreviousSubWindow},
    };
    for (const switching& move : moves) {
        auto* action = new QAction(QString::fromLatin1(move.name), &window);
        action->setShortcuts(move.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, &area, move.go);
        window.addAction(action);
    }
}
