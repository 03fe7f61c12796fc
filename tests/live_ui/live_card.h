#pragma once
// ombra-sim as a program for the Live Values tests: it holds a map (as if sent before) and
// serves its host side on 127.0.0.1, on a free port at first and on the same port when it is
// started again; the commands it fires are read from its log.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Runs the event loop until done() holds or ten seconds are up; gives done() at the end.
inline bool wait_for(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10000)
        QTest::qWait(20);
    return done();
}

class live_card {
  public:
    live_card(const QString& map, const QString& values) {
        write(dir.filePath(QStringLiteral("store.zrp")), map);
        write(dir.filePath(QStringLiteral("values.txt")), values);
    }
    ~live_card() { stop(); }

    // Starts serving (on the port served before, if any); false when it did not come up.
    bool start() {
        process.setProgram(QStringLiteral(OMBRA_SIM));
        process.setArguments({QStringLiteral("--pty"), dir.filePath(QStringLiteral("card")),
                              QStringLiteral("--store"), dir.filePath(QStringLiteral("store.zrp")),
                              QStringLiteral("--values"),
                              dir.filePath(QStringLiteral("values.txt")), QStringLiteral("--log"),
                              log_path(), QStringLiteral("--host-tcp"), QString::number(port)});
        process.start();
        QString out;
        const bool ready = wait_for([&] {
            out += QString::fromUtf8(process.readAllStandardOutput());
            return out.contains(QStringLiteral("ready "));
        });
        const qsizetype at = out.indexOf(QStringLiteral("host tcp "));
        if (at >= 0)
            port = out.mid(at + 9, out.indexOf(QLatin1Char('\n'), at) - at - 9).toInt();
        return ready && port > 0;
    }
    void stop() {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        process.waitForFinished(5000);
    }
    QString log_path() const { return dir.filePath(QStringLiteral("card.log")); }
    // The commands fired so far ("F:1 CA03"), in order.
    QStringList fired() const {
        QFile file(log_path());
        QStringList out;
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray& line : file.readAll().split('\n'))
                if (const qsizetype at = line.indexOf(" command "); at >= 0)
                    out << QString::fromUtf8(line.mid(at + 9));
        return out;
    }

    QTemporaryDir dir;
    QProcess process;
    int port = 0;

  private:
    static void write(const QString& path, const QString& text) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
    }
};
