#include "model/sim_device.h"

#include <chrono>

namespace {

SimDevice::Clock steadyClock() {
    const auto start = std::chrono::steady_clock::now();
    return [start] {
        return static_cast<qint64>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                       std::chrono::steady_clock::now() - start)
                                       .count());
    };
}

QString hex(const QByteArray& b) {
    return QString::fromLatin1(b.toHex(' ').toUpper());
}

} // namespace

QString SimLogEntry::toLine() const {
    switch (type) {
    case Type::Frame:
        return QStringLiteral("%1 RX %2").arg(ms).arg(hex(bytes));
    case Type::ModeSwitch:
        return QStringLiteral("%1 MODE").arg(ms);
    case Type::BadFrame:
        return QStringLiteral("%1 BAD %2: %3").arg(ms).arg(note, hex(bytes));
    case Type::Junk:
        return QStringLiteral("%1 JUNK %2").arg(ms).arg(hex(bytes));
    case Type::Reply:
        return QStringLiteral("%1 TX %2").arg(ms).arg(hex(bytes));
    case Type::Note:
        break;
    }
    return QStringLiteral("%1 NOTE %2").arg(ms).arg(note);
}

SimDevice::SimDevice(Clock clock) : clock_(clock ? std::move(clock) : steadyClock()) {}

qint64 SimDevice::now() const {
    return clock_();
}

void SimDevice::append(SimLogEntry entry) {
    if (sink_)
        sink_(entry);
    if (keepLog_)
        log_.push_back(std::move(entry));
}

void SimDevice::note(qint64 nowMs, const QString& text) {
    append({nowMs, SimLogEntry::Type::Note, {}, text});
}

QByteArray SimDevice::receive(const QByteArray& bytes) {
    QByteArray out;
    for (char c : bytes)
        out.append(receiveByte(static_cast<std::uint8_t>(c)));
    return out;
}

QByteArray SimDevice::receiveByte(std::uint8_t byte) {
    std::lock_guard lock(mutex_);
    const qint64 nowMs = clock_();
    const bool restarting = model_.restarting(nowMs);
    if (wasRestarting_ && !restarting)
        note(nowMs, QStringLiteral("restart complete"));
    wasRestarting_ = restarting;
    if (restarting)
        return {}; // a restarting controller hears nothing
    QByteArray out;
    for (const ReceivedItem& item : receiver_.feed(byte, nowMs))
        out.append(handle(item, nowMs));
    return out;
}

QByteArray SimDevice::handle(const ReceivedItem& item, qint64 nowMs) {
    switch (item.type) {
    case ReceivedItem::Type::Junk:
        append({nowMs, SimLogEntry::Type::Junk, item.bytes, {}});
        return {};
    case ReceivedItem::Type::BadFrame:
        append({nowMs, SimLogEntry::Type::BadFrame, item.bytes, item.note});
        return {};
    case ReceivedItem::Type::ModeSwitch: {
        append({nowMs, SimLogEntry::Type::ModeSwitch, item.bytes, {}});
        frameMode_ = true;
        if (faults_.quiet(nowMs))
            return {};
        const QByteArray answer = model_.modeSwitchAnswer();
        append({nowMs, SimLogEntry::Type::Reply, answer, {}});
        return answer;
    }
    case ReceivedItem::Type::Frame:
        break;
    }
    append({nowMs, SimLogEntry::Type::Frame, item.bytes, {}});
    if (!frameMode_) {
        note(nowMs, QStringLiteral("frame ignored: no mode switch since start"));
        return {};
    }
    if (faults_.quiet(nowMs)) {
        note(nowMs, QStringLiteral("silent"));
        return {};
    }
    const auto command = static_cast<std::uint8_t>(item.bytes[1]);
    QString why;
    const auto reply =
        model_.answer(command, item.bytes.mid(4, item.bytes.size() - 5), nowMs, &why);
    if (!why.isEmpty())
        note(nowMs, why);
    if (model_.restarting(nowMs)) {
        frameMode_ = false;
        receiver_.reset();
        wasRestarting_ = true;
    }
    if (!reply)
        return {};
    QStringList spoiled;
    const QByteArray out = faults_.apply(command, *reply, &spoiled);
    if (!spoiled.isEmpty())
        note(nowMs, QStringLiteral("fault: ") + spoiled.join(QLatin1Char(' ')));
    if (!out.isEmpty())
        append({nowMs, SimLogEntry::Type::Reply, out, {}});
    return out;
}

void SimDevice::restartNow() {
    std::lock_guard lock(mutex_);
    const qint64 nowMs = clock_();
    model_.restart(nowMs);
    frameMode_ = false;
    receiver_.reset();
    wasRestarting_ = true;
    note(nowMs, QStringLiteral("restart"));
}

std::vector<SimLogEntry> SimDevice::log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

std::vector<QByteArray> SimDevice::receivedFrames() const {
    std::lock_guard lock(mutex_);
    std::vector<QByteArray> frames;
    for (const SimLogEntry& e : log_)
        if (e.type == SimLogEntry::Type::Frame)
            frames.push_back(e.bytes);
    return frames;
}

void SimDevice::clearLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

void SimDevice::setKeepLog(bool keep) {
    std::lock_guard lock(mutex_);
    keepLog_ = keep;
    if (!keep)
        log_.clear();
}

void SimDevice::setLogSink(std::function<void(const SimLogEntry&)> sink) {
    std::lock_guard lock(mutex_);
    sink_ = std::move(sink);
}
