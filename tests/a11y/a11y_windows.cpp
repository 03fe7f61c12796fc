// Opens every window of the editor at once on the display it is given and keeps them open
// for a screen-reader's view of them (atspi_walk.py reads them over AT-SPI). It writes one
// line per window to standard output, "window<TAB>title<TAB>name", then a line
// "canary<TAB>title<TAB>count" for a window of its own with count faults planted in it (the
// walk must find them, or it reads nothing), then "ready". It ends when standard input closes
// or says "quit", or after the time-out given as its argument (seconds, 60 by default), so
// that it never outlives the test that started it. With the argument --dump it writes instead
// every window's controls (class, place, texts, names, state) and its tab order, and ends: two
// builds whose windows should look and read the same must write the same. With --shots DIR it
// saves a picture of every window, and of every document window, into DIR, and ends.

#include "tests/a11y/every_window.h"
#include "tests/a11y/window_dump.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
// A field without a label, a combo box named only by its accessible name (which a combo box
// on Linux does not report: its name there is its value) and a radio button outside a group.
constexpr int planted_faults = 3;

void plant_faults(QDialog& canary) {
    canary.setWindowTitle(QStringLiteral("Canary"));
    auto* layout = new QVBoxLayout(&canary);
    layout->addWidget(new QLineEdit);
    auto* combo = new QComboBox;
    combo->addItem(QStringLiteral("COM1"));
    combo->setAccessibleName(QStringLiteral("Port"));
    layout->addWidget(combo);
    layout->addWidget(new QRadioButton(QStringLiteral("USB")));
}
// Pictures of every window, the document windows each on its own at a size that shows their
// forms whole.
void save_pictures(const every_window& windows, const QString& folder) {
    auto file = [&folder](QString name) {
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
        return folder + QLatin1Char('/') + name + QStringLiteral(".png");
    };
    for (const every_window::window& w : windows.windows()) {
        if (auto* area = w.widget->findChild<QMdiArea*>()) {
            w.widget->resize(2400, 1600);
            area->tileSubWindows();
            for (QMdiSubWindow* sub : area->subWindowList())
                sub->grab().save(file(QStringLiteral("document ") + sub->windowTitle()));
        }
        w.widget->grab().save(file(w.name));
    }
}
} // namespace

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(tessaly);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaly-a11y-windows"));
    const bool dump = argc > 1 && std::string(argv[1]) == "--dump";
    const QString shots = argc > 2 && std::string(argv[1]) == "--shots" ? argv[2] : QString();
    const int timeout_s =
        argc > 1 && !dump && shots.isEmpty() ? std::max(1, std::atoi(argv[1])) : 60;
    QTimer::singleShot(timeout_s * 1000, &application, [] {
        std::fputs("a11y_windows: time-out, ending\n", stderr);
        QApplication::exit(3);
    });

    every_window windows;
    windows.show_all();
    if (dump) {
        QTimer::singleShot(200, &application, [&windows] {
            for (const every_window::window& w : windows.windows())
                std::fputs(qPrintable(window_dump(w.name, w.widget)), stdout);
            std::fflush(stdout);
            QApplication::quit();
        });
        return application.exec();
    }
    if (!shots.isEmpty()) {
        QTimer::singleShot(200, &application, [&windows, shots] {
            save_pictures(windows, shots);
            QApplication::quit();
        });
        return application.exec();
    }
    QDialog canary;
    plant_faults(canary);
    canary.show();

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &application, [&input] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0 || std::string(buffer, static_cast<std::size_t>(n)).find("quit") == 0) {
            input.setEnabled(false);
            QApplication::quit();
        }
    });
    // Listed once the windows are drawn; the walk waits on the bus for any still missing.
    QTimer::singleShot(200, &application, [&windows, &canary] {
        // A popup (a context menu) is no top-level window on the bus: a screen reader meets
        // it through the focus; the Qt test reads it.
        for (const every_window::window& w : windows.windows())
            if (w.widget->windowType() != Qt::Popup)
                std::printf("window\t%s\t%s\n", qPrintable(w.widget->windowTitle()),
                            qPrintable(w.name));
        std::printf("canary\t%s\t%d\n", qPrintable(canary.windowTitle()), planted_faults);
        std::puts("ready");
        std::fflush(stdout);
    });
    return application.exec();
}
