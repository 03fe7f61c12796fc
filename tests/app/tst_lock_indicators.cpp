// The Caps/Num/Scroll indicators read the lock state from the X server: the test runs the
// editor's reading on a private X server (Xvfb) and locks the keys through the keyboard
// extension, as the lock keys do.

#include "app/CMainFrame.h"
#include "app/keyboard_locks.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QThread>
#include <QtTest>

#include <X11/XKBlib.h>

namespace {
// A private X server for the whole test program, or none when Xvfb is not installed.
class private_x_server {
  public:
    bool start() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return false;
        for (int n = 230; n < 260; ++n) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            display_ = QStringLiteral(":%1").arg(n);
            server_.start(xvfb, {display_, "-screen", "0", "640x480x24", "-nolisten", "tcp"});
            for (int i = 0; i < 50; ++i) {
                if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                    return true;
                QThread::msleep(100);
            }
            server_.kill();
            server_.waitForFinished();
        }
        return false;
    }
    ~private_x_server() {
        server_.terminate();
        server_.waitForFinished(3000);
    }
    const QString& display() const { return display_; }

  private:
    QProcess server_;
    QString display_;
};

Display* x_display() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

void lock(unsigned mask, bool on) {
    XkbLockModifiers(x_display(), XkbUseCoreKbd, mask, on ? mask : 0);
    XSync(x_display(), False);
}
} // namespace

class tst_lock_indicators : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        if (!x_display())
            QSKIP("no X server to ask (Xvfb is not installed)");
    }

    void the_x_server_tells_the_locks() {
        lock(LockMask, false);
        keyboard_lock_state state = read_keyboard_locks();
        QVERIFY(state.known);
        QVERIFY(!state.caps);
        lock(LockMask, true);
        state = read_keyboard_locks();
        QVERIFY(state.caps);
        QVERIFY(!state.scroll);
        lock(LockMask, false);
        QVERIFY(!read_keyboard_locks().caps);
    }

    void the_status_bar_shows_them() {
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        lock(LockMask, true);
        auto has_pane = [&](const QString& text) {
            for (QLabel* label : frame.statusBar()->findChildren<QLabel*>())
                if (label->isVisible() && label->text() == text)
                    return true;
            return false;
        };
        QTRY_VERIFY(has_pane(QStringLiteral("CAP")));
        lock(LockMask, false);
        QTRY_VERIFY(!has_pane(QStringLiteral("CAP")));
    }
};

int main(int argc, char** argv) {
    private_x_server server;
    if (server.start()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", server.display().toLocal8Bit());
    }
    QApplication app(argc, argv);
    tst_lock_indicators test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_lock_indicators.moc"
