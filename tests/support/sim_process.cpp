#include "support/sim_process.h"

#include <QDeadlineTimer>
#include <QFile>

SimProcess::SimProcess(const QString& executable) : executable_(executable) {
#ifdef RZN_SIM_EXE
    if (executable_.isEmpty())
        executable_ = QStringLiteral(RZN_SIM_EXE);
#endif
}

SimProcess::~SimProcess() {
    stop();
}

QString SimProcess::logPath() const {
    return dir_.filePath(QStringLiteral("sim.log"));
}

bool SimProcess::running() const {
    return process_.state() == QProcess::Running;
}

bool SimProcess::start(const QStringList& options, QString* error) {
    const auto failed = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (executable_.isEmpty())
        return failed(QStringLiteral("no simulator executable"));
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    // --exit-on-eof: the simulator ends with this process, even if it crashes.
    process_.start(
        executable_,
        QStringList{QStringLiteral("--log"), logPath(), QStringLiteral("--exit-on-eof")} + options);
    if (!process_.waitForStarted(5000))
        return failed(QStringLiteral("cannot start ") + executable_);
    QString line;
    if (!readLine(line, 5000) || !line.startsWith(QLatin1Char('/'))) {
        const QString err = QString::fromLocal8Bit(process_.readAllStandardError());
        kill();
        return failed(QStringLiteral("no terminal path: ") + line + err);
    }
    path_ = line;
    return true;
}

bool SimProcess::readLine(QString& line, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const qsizetype nl = pending_.indexOf('\n');
        if (nl >= 0) {
            line = QString::fromUtf8(pending_.left(nl));
            pending_.remove(0, nl + 1);
            return true;
        }
        if (deadline.hasExpired() || process_.state() != QProcess::Running)
            return false;
        process_.waitForReadyRead(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
        pending_.append(process_.readAllStandardOutput());
    }
}

bool SimProcess::command(const QString& line, QString* output, int timeoutMs) {
    if (!running())
        return false;
    process_.write(line.toUtf8() + '\n');
    process_.waitForBytesWritten(timeoutMs);
    QStringList lines;
    QString reply;
    while (readLine(reply, timeoutMs)) {
        if (reply == QLatin1String("ok")) {
            if (output)
                *output = lines.join(QLatin1Char('\n'));
            return true;
        }
        if (reply.startsWith(QLatin1String("error: "))) {
            if (output)
                *output = reply.mid(7);
            return false;
        }
        lines << reply;
    }
    return false;
}

QStringList SimProcess::logLines() const {
    QFile f(logPath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

std::vector<QByteArray> SimProcess::receivedFrames() const {
    std::vector<QByteArray> frames;
    for (const QString& line : logLines()) {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() >= 2 && words[1] == QLatin1String("RX"))
            frames.push_back(QByteArray::fromHex(words.mid(2).join(QString()).toLatin1()));
    }
    return frames;
}

int SimProcess::modeSwitches() const {
    int n = 0;
    for (const QString& line : logLines())
        if (line.section(QLatin1Char(' '), 1, 1) == QLatin1String("MODE"))
            ++n;
    return n;
}

void SimProcess::clearLog() {
    // The simulator appends, so a truncated file simply starts again.
    QFile f(logPath());
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.close();
}

void SimProcess::stop() {
    if (!running())
        return;
    process_.write("quit\n");
    process_.waitForBytesWritten(1000);
    if (!process_.waitForFinished(3000))
        kill();
}

void SimProcess::kill() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.kill();
    process_.waitForFinished(3000);
}
