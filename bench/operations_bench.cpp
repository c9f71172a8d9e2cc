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

constexpr int kBaud = 19200;
constexpr int kRuns = 5;
// How long the simulated controller stays silent after a restart, and the
// pause the benchmark leaves it (not measured).
constexpr int kRestartMs = 100;
constexpr int kRestartPauseMs = 400;

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
               QStringLiteral("--restart-ms"), QString::number(kRestartMs),
               QStringLiteral("--exit-on-eof")});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "cannot start %s\n", RZN_SIM_EXE);
        return 1;
    }
    const QString port = QString::fromLocal8Bit(sim.readLine()).trimmed();
    std::printf("simulator on %s at %d baud, %d runs each\n", qPrintable(port), kBaud, kRuns);

    const double byteSeconds = 10.0 / kBaud;
    const double readBackWait = 0.103; // 100 + 3 * 1 ms: the read-back's unanswered mode read

    BenchHost host(port);
    Figures read, program;
    for (int run = 0; run < kRuns; ++run) {
        for (const bool programming : {false, true}) {
            QFile::resize(logPath, 0);
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
            Figures& f = programming ? program : read;
            f.seconds.push_back(seconds);
            f.bytes = bytesExchanged(logPath);
            f.limit = f.bytes * byteSeconds + (programming ? readBackWait : 0.0);
            if (programming)
                QThread::msleep(kRestartPauseMs); // the controller restarts
        }
    }
    sim.write("quit\n");
    sim.waitForFinished(3000);

    const auto report = [](const char* name, const Figures& f) {
        const double m = median(f.seconds);
        std::printf("%-34s bytes %6lld  limit %.3f s  measured median %.3f s (min %.3f, max %.3f)"
                    "  ratio %.3f\n",
                    name, static_cast<long long>(f.bytes), f.limit, m,
                    *std::min_element(f.seconds.begin(), f.seconds.end()),
                    *std::max_element(f.seconds.begin(), f.seconds.end()), m / f.limit);
    };
    report("read configuration (F6)", read);
    report("program with restart (F5)", program);
    return 0;
}
