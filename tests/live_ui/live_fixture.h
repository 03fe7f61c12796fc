#pragma once
// What the Live Values tests share: a map of every format with the values the card is given
// and the rows it shows then, and ombra-sim as a program that holds a map (as if sent
// before) and serves its host side on 127.0.0.1, on a free port at first and on the same port
// when it is started again; the commands it fires are read from its log.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Registers of every format; the command word's bits 0 to 5 fire CA01 to CA06 by Active high,
// Active low, Rising, Falling, Any edge and Off; the status word's bits 1 and 0 are bits 1
// and 4 of feeder 1's PSR.
inline const char* const registers_text =
    "HREG\n"
    "40001 0 1 0 0 0 F:1 Count\n"
    "40002 1 2 0 6 2 F:1 Total\n"
    "40005 0 1 1 0 0 F:1 Speed 100 0 10\n"
    "40006 0 1 2 0 0 F:1 Setpoint 2\n"
    "40007 0 1 5 0 0 F:0 ROMConstant 42\n"
    "40008 0 2 6 0 0 F:1 Massflow\n"
    "40010 0 2 7 6 0 F:1 Rate\n"
    "40012 0 1 8 0 0 F:1 BitWrite\n"
    "40013 0 3 9 0 0 F:1 FeederName\n"
    "40018 0 1 10 0 0 F:1 AlarmStatus\n"
    "40019 0 2 0 0 0 F:1 ProcessStatus\n"
    "40021 0 3 0 0 0 F:1 ProcStat\n"
    "40024 0 1 3 0 0 F:0\n"
    "F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:1 F:1 F:1 F:1 F:1 F:1 \n"
    "XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX CA06 CA05 "
    "CA04 CA03 CA02 CA01 \n"
    "OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF XOT LOT HIT LO HI \n"
    "40025 0 1 4 0 0 F:0\n"
    "F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:1 F:1 \n"
    "XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX PSR PSR \n"
    "0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 4 \n"
    "40030 0 1 7 0 0 F:1 Odd\n";

inline const char* const values_text =
    "F:1 Count -7\nF:1 Total 1.5\nF:1 Speed 12.34\n"
    "F:1 Setpoint 12.345\nF:1 Massflow 100\nF:1 Rate 0.1\n"
    "F:1 BitWrite 5\nF:1 FeederName \"Line A\"\nF:1 AlarmStatus 0x1234\n"
    "F:1 ProcessStatus 0x12345678\nF:1 ProcStat 1,2\nF:1 PSR 0x11\n";

inline QString map_text(const char* byte_order = "MSBYTE_FIRST") {
    return QStringLiteral("RDX Modbus/TCP protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT %1\n"
                          "REGMAX 65535\nNODENUM 0\nMBTCP 127.0.0.1 255.0.0.0 0.0.0.0\n")
               .arg(QLatin1String(byte_order)) +
           QLatin1String(registers_text);
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
