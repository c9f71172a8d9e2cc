#pragma once
// What the transfer benchmarks share: the simulator paced at line speed on a
// pseudo-terminal with a frame log, the bytes the log shows exchanged, the
// wire-time limit and the report line.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace bench {

constexpr int kBaud = 19200;
constexpr int kRuns = 5;

// rzn460-sim at kBaud with a log of its own.
class PacedSimulator {
public:
    // Starts it with `options` added; false (and a message on stderr) on failure.
    bool start(const QStringList& options = {});
    ~PacedSimulator();
    QString port() const { return port_; }
    // Forgets what the log holds, before a measured run.
    void clearLog();
    // Bytes each way since clearLog(): frames received and sent, mode-switch lines.
    qint64 bytesExchanged() const;

private:
    QTemporaryDir dir_;
    QProcess process_;
    QString port_;
};

// Seconds the line needs for `bytes` bytes of ten bits.
double wireSeconds(qint64 bytes);
// The wait a read-back imposes: the discarded answer byte's read time-out.
double readBackWaitSeconds();

struct Figures {
    std::vector<double> seconds;
    double limit = 0;
    qint64 bytes = 0;
};

// "name  bytes  limit  measured median (min, max)  ratio".
void report(const char* name, const Figures& f);

} // namespace bench
