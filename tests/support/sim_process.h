#pragma once
// rzn460-sim as a child process on a real pseudo-terminal, for end-to-end
// tests and benchmarks: start it with any options, read the terminal path,
// send console commands (faults, events) and read back the frames it received
// from its log.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

class SimProcess {
public:
    // `executable` defaults to RZN_SIM_EXE.
    explicit SimProcess(const QString& executable = {});
    ~SimProcess();

    // Starts the simulator with `options` (a --log of its own is added) and
    // waits for the terminal path. False with a message on failure.
    bool start(const QStringList& options = {}, QString* error = nullptr);
    QString path() const { return path_; }
    QString logPath() const;
    bool running() const;

    // Sends one console line and waits for its "ok" or "error: ..." answer.
    // `output` receives the lines before "ok" (or the error text).
    bool command(const QString& line, QString* output = nullptr, int timeoutMs = 5000);

    // The log: all lines, the well-formed frames received (in order), the
    // number of mode switches. clearLog() starts it afresh.
    QStringList logLines() const;
    std::vector<QByteArray> receivedFrames() const;
    int modeSwitches() const;
    void clearLog();

    // Ends the simulator: "quit" and a wait; kill() ends it at once.
    void stop();
    void kill();

private:
    bool readLine(QString& line, int timeoutMs);

    QString executable_;
    QTemporaryDir dir_;
    QProcess process_;
    QString path_;
    QByteArray pending_;
};
