#include "bench_support.h"

#include "link/serial_channel.h"

#include <QFile>
#include <algorithm>
#include <cstdio>

namespace bench {

bool PacedSimulator::start(const QStringList& options) {
    process_.start(QStringLiteral(RZN_SIM_EXE),
                   QStringList{QStringLiteral("--baud"), QString::number(kBaud),
                               QStringLiteral("--log"), dir_.filePath(QStringLiteral("sim.log")),
                               QStringLiteral("--exit-on-eof")} +
                       options);
    if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(5000)) {
        std::fprintf(stderr, "cannot start %s\n", RZN_SIM_EXE);
        return false;
    }
    port_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    std::printf("simulator on %s at %d baud, %d runs each\n", qPrintable(port_), kBaud, kRuns);
    return true;
}

PacedSimulator::~PacedSimulator() {
    if (process_.state() != QProcess::NotRunning) {
        process_.write("quit\n");
        process_.waitForFinished(3000);
    }
}

void PacedSimulator::clearLog() {
    QFile::resize(dir_.filePath(QStringLiteral("sim.log")), 0);
}

qint64 PacedSimulator::bytesExchanged() const {
    QFile f(dir_.filePath(QStringLiteral("sim.log")));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    qint64 total = 0;
    // RX frames and mode-switch lines came from the tool, TX lines went to it.
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() < 2)
            continue;
        if (words[1] == "RX" || words[1] == "TX")
            total += words.size() - 2;
        else if (words[1] == "MODE")
            total += 7; // "BINARY" and a carriage return
    }
    return total;
}

double wireSeconds(qint64 bytes) {
    return bytes * 10.0 / kBaud;
}

double readBackWaitSeconds() {
    return serial_timing::readTotalMs(1) / 1000.0;
}

void report(const char* name, const Figures& f) {
    std::vector<double> v = f.seconds;
    std::sort(v.begin(), v.end());
    const double median = v[v.size() / 2];
    std::printf("%-34s bytes %6lld  limit %.3f s  measured median %.3f s (min %.3f, max %.3f)"
                "  ratio %.3f\n",
                name, static_cast<long long>(f.bytes), f.limit, median, v.front(), v.back(),
                median / f.limit);
}

} // namespace bench
