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

#include "bench_support.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bench::PacedSimulator sim;
    if (!sim.start())
        return 1;
    const QString port = sim.port();

    std::vector<std::uint8_t> image(DefaultImage().data(), DefaultImage().data() + 5292);
    bench::Figures read, write;
    for (int run = 0; run < bench::kRuns; ++run) {
        for (const bool writing : {false, true}) {
            sim.clearLog();
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
            bench::Figures& f = writing ? write : read;
            f.seconds.push_back(seconds);
            f.bytes = sim.bytesExchanged();
            f.limit = bench::wireSeconds(f.bytes) + (writing ? bench::readBackWaitSeconds() : 0.0);
        }
    }
    bench::report("read settings (kind 0)", read);
    bench::report("write + read-back (kind 1)", write);
    return 0;
}
