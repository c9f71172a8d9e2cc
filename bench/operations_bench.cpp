// Time of the whole "read configuration" and "program" operations (the
// sequences the window's F6 and F5 run: identification, log-in, the settings
// transfer and, for programming, the restart command) against rzn460-sim paced
// at 19200 baud over a real pseudo-terminal, compared with the wire limit:
// 10 bits for every byte exchanged (counted from the simulator's log) plus the
// waits the protocol itself imposes (the read-back of a programming run waits
// out the read of a mode-switch answer that never comes, 100 + 3 ms). The
// delayed resume after the restart (3 s) is the window's and is not counted.
#include "config/defaults.h"
#include "ops/configuration_transfers.h"
#include "ops/operation_host.h"

#include "bench_support.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// How long the simulated controller stays silent after a restart, and the
// pause the benchmark leaves it (not measured).
constexpr int kRestartMs = 100;
constexpr int kRestartPauseMs = 400;

// A host without a window: it keeps the image and the last status text.
class BenchHost : public OperationHost {
public:
    explicit BenchHost(QString port) : port_(std::move(port)) { SetAllDefaults(image_); }

    QString portName() const override { return port_; }
    ConfigImage& image() override { return image_; }
    void stopMonitoring() override {}
    void startMonitoring() override {}
    void selectRootPage() override {}
    void setBusy(bool) override {}
    void resumeAfter(int) override {}
    void showStatus(const QString& text, StatusColour) override { status = text; }
    void showProgress(int, int) override {}
    void showIdentification(const DeviceIdentity&) override {}
    void setConfigFileName(const QString&) override {}
    bool clearModesMemory() const override { return false; }
    void reportMisfit(const HardwareFit&) override {}
    bool factoryResetCountdown() override { return false; }
    void copyToClipboard(const QString&) override {}

    QString status;

private:
    QString port_;
    ConfigImage image_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bench::PacedSimulator sim;
    if (!sim.start({QStringLiteral("--restart-ms"), QString::number(kRestartMs)}))
        return 1;
    const QString port = sim.port();

    BenchHost host(port);
    bench::Figures read, program;
    for (int run = 0; run < bench::kRuns; ++run) {
        for (const bool programming : {false, true}) {
            sim.clearLog();
            if (programming)
                host.image().setU8(1000, static_cast<std::uint8_t>(run)); // a real change
            QElapsedTimer timer;
            timer.start();
            const bool ok =
                programming ? ops::ProgramConfiguration(host) : ops::ReadConfiguration(host);
            const double seconds = timer.nsecsElapsed() / 1e9;
            if (!ok) {
                std::fprintf(stderr, "%s failed: %s\n", programming ? "program" : "read",
                             qPrintable(host.status));
                return 1;
            }
            bench::Figures& f = programming ? program : read;
            f.seconds.push_back(seconds);
            f.bytes = sim.bytesExchanged();
            f.limit =
                bench::wireSeconds(f.bytes) + (programming ? bench::readBackWaitSeconds() : 0.0);
            if (programming)
                QThread::msleep(kRestartPauseMs); // the controller restarts
        }
    }
    bench::report("read configuration (F6)", read);
    bench::report("program with restart (F5)", program);
    return 0;
}
