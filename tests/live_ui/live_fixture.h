#pragma once
// What the Live Values tests share: a map of every format with the values the card is given
// and the rows it shows then, and ombra-sim as a program that holds a map (as if sent
// before) and serves its host side on 127.0.0.1, on a free port at first and on the same port
// when it is started again; the commands it fires are read from its log.

#include "tests/support/live_card_files.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// The registers of every format in a Modbus/TCP map for 127.0.0.1.
inline QString map_text(const char* byte_order = "MSBYTE_FIRST") {
    return QString::fromStdString(live_card_files::tcp_map(byte_order));
}

// What the rows show after a round: register, value, raw words (high byte first), status.
struct expected_row {
    const char* reg;
    const char* value;
    const char* raw;
    const char* status;
};
inline const expected_row every_format[] = {
    {"40001", "-7", "FFF9", "OK"},
    {"40002-40004", "1.5", "8000 0001 0000", "OK"},
    {"40005", "12.3", "007B", "OK"},
    {"40006", "12.35", "04D3", "OK"},
    {"40007", "42", "002A", "OK"},
    {"40008-40009", "100", "0764 0000", "OK"},
    {"40010-40011", "0.1", "CCCD 3DCC", "OK"},
    {"40012", "5", "0005", "OK"},
    {"40013-40015", "\"Line A\"", "694C 656E 4120", "OK"},
    {"40016-40017", "\"X\\tY\"", "5809 5900", "OK"},
    {"40018", "4660", "3412", "OK"},
    {"40019-40020", "305419896", "1234 5678", "OK"},
    {"40021-40023", "1 2 0", "0001 0002 0000", "OK"},
    {"40024", "0000000000000000", "0000", "OK"},
    {"40025", "0000000000000001", "0001", "OK"},
    {"40030", "", "0000", "width does not fit the format"},
};

inline QString swap_bytes(const QString& raw) {
    QStringList words = raw.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& w : words)
        w = w.mid(2) + w.left(2);
    return words.join(QLatin1Char(' '));
}

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
        QStringList arguments;
        for (const std::string& a : live_card_files::emulator_arguments(dir.path().toStdString()))
            arguments << QString::fromStdString(a);
        process.setProgram(QStringLiteral(OMBRA_SIM));
        process.setArguments(arguments << QStringLiteral("--host-tcp") << QString::number(port));
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
            for (const std::string& c :
                 live_card_files::fired_commands(file.readAll().toStdString()))
                out << QString::fromStdString(c);
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
