// Transfer time of the whole settings read (kind 0, area 1) and of the write
// with read-back (kind 1, area 1) against rzn460-sim paced at 19200 baud over
// a real pseudo-terminal, compared with the wire limit: 10 bits for every byte
// exchanged (counted from the simulator's log) plus the waits the protocol
// itself imposes (the read-back waits out the read of a mode-switch answer
// that never comes, 100 + 3 ms).
#include "config/defaults.h"
#include "link/run_transaction.h"
#include "link/serial_channel.h"
#include "link/tread_data.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kBaud = 19200;
constexpr int kRuns = 5;

// Bytes each way in the simulator's log: RX frames and mode-switch lines came
// from the tool, TX lines went to it.
qint64 bytesExchanged(const QString& logPath) {
    QFile f(logPath);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    qint64 total = 0;
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

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Figures {
    std::vector<double> seconds;
    double limit = 0;
    qint64 bytes = 0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString logPath = dir.filePath(QStringLiteral("sim.log"));
    QProcess sim;
    sim.start(QStringLiteral(RZN_SIM_EXE),
              {QStringLiteral("--baud"), QString::number(kBaud), QStringLiteral("--log"), logPath,
               QStringLiteral("--exit-on-eof")});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "cannot start %s\n", RZN_SIM_EXE);
        return 1;
    }
    const QString port = QString::fromLocal8Bit(sim.readLine()).trimmed();
    std::printf("simulator on %s at %d baud, %d runs each\n", qPrintable(port), kBaud, kRuns);

    std::vector<std::uint8_t> image(DefaultImage().data(), DefaultImage().data() + 5292);
    const double byteSeconds = 10.0 / kBaud;
    const double readBackWait = serial_timing::readTotalMs(1) / 1000.0;

    Figures read, write;
    for (int run = 0; run < kRuns; ++run) {
        for (const bool writing : {false, true}) {
            QFile::resize(logPath, 0);
            std::vector<std::uint8_t> buffer = image;
            if (writing)
                buffer[run] ^= 0x01; // a real change each time
            TReadData t(writing ? TransactionKind::WriteVerify : TransactionKind::ReadArea,
                        FlashArea::Settings, buffer.data(), 5292, 0, port);
            QElapsedTimer timer;
            timer.start();
            const int rc = RunAndWait(t);
            const double seconds = timer.nsecsElapsed() / 1e9;
            if (rc != 0) {
                std::fprintf(stderr, "transfer failed: %s\n", qPrintable(t.lastText()));
                return 1;
            }
            Figures& f = writing ? write : read;
            f.seconds.push_back(seconds);
            f.bytes = bytesExchanged(logPath);
            f.limit = f.bytes * byteSeconds + (writing ? readBackWait : 0.0);
        }
    }
    sim.write("quit\n");
    sim.waitForFinished(3000);

    const auto report = [](const char* name, const Figures& f) {
        const double m = median(f.seconds);
        std::printf("%-28s bytes %6lld  limit %.3f s  measured median %.3f s (min %.3f, max %.3f)"
                    "  ratio %.3f\n",
                    name, static_cast<long long>(f.bytes), f.limit, m,
                    *std::min_element(f.seconds.begin(), f.seconds.end()),
                    *std::max_element(f.seconds.begin(), f.seconds.end()), m / f.limit);
    };
    report("read settings (kind 0)", read);
    report("write + read-back (kind 1)", write);
    return 0;
}
