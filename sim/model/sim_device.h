#pragma once
// The simulated controller behind one serial line: the byte stream decoder,
// the device model and the faults, with a log of everything received. It is
// safe to use from several threads (a transaction's thread feeds it bytes
// while a test or the console changes its state).
#include "model/device_model.h"
#include "model/fault_set.h"
#include "model/frame_receiver.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <mutex>
#include <vector>

struct SimLogEntry {
    enum class Type { Frame, ModeSwitch, BadFrame, Junk, Reply, Note };
    qint64 ms = 0;
    Type type = Type::Note;
    QByteArray bytes;
    QString note;

    // One line of the log file: "<ms> RX 05 05 00 00 FB", "<ms> MODE", ...
    QString toLine() const;
};

class SimDevice {
public:
    using Clock = std::function<qint64()>; // milliseconds, never going back

    // Without a clock the device uses a steady clock starting at 0.
    explicit SimDevice(Clock clock = {});

    // Bytes arriving from the tool now; returns the bytes the controller sends
    // back, in order.
    QByteArray receive(const QByteArray& bytes);
    // One byte; the answer it completes, if any. The pty server uses this to
    // time each reply after the request that caused it.
    QByteArray receiveByte(std::uint8_t byte);

    // Runs `f(model, faults)` under the device's lock.
    template <typename F> auto with(F&& f) {
        std::lock_guard lock(mutex_);
        return f(model_, faults_);
    }

    qint64 now() const;
    // Received frames, mode switches, junk, replies and notes since the start.
    std::vector<SimLogEntry> log() const;
    // Only the well-formed frames received, in order.
    std::vector<QByteArray> receivedFrames() const;
    void clearLog();
    // Also hands every new log entry to `sink` (called under the lock).
    void setLogSink(std::function<void(const SimLogEntry&)> sink);
    // A long-running server keeps no log in memory.
    void setKeepLog(bool keep);
    void restartNow();

private:
    QByteArray handle(const ReceivedItem& item, qint64 nowMs);
    void note(qint64 nowMs, const QString& text);
    void append(SimLogEntry entry);

    mutable std::mutex mutex_;
    Clock clock_;
    DeviceModel model_;
    FaultSet faults_;
    FrameReceiver receiver_;
    bool frameMode_ = false;
    bool wasRestarting_ = false;
    bool keepLog_ = true;
    std::vector<SimLogEntry> log_;
    std::function<void(const SimLogEntry&)> sink_;
};
