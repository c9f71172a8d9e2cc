#include "support/operations_trace.h"

#include "link/frame.h"
#include "link/transaction_kind.h"
#include "model/sim_device.h"

#include <map>

namespace {

std::uint32_t u32(const QByteArray& b, int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b.at(at + i));
    return v;
}

int u16(const QByteArray& b, int at) {
    return static_cast<std::uint8_t>(b.at(at)) | (static_cast<std::uint8_t>(b.at(at + 1)) << 8);
}

QString block(const char* direction, int area, const QByteArray& frame) {
    if (frame.size() < 10)
        return QStringLiteral("%1%2?").arg(QLatin1String(direction)).arg(area);
    return QStringLiteral("%1%2@%3+%4")
        .arg(QLatin1String(direction))
        .arg(area)
        .arg(u32(frame, 4))
        .arg(u16(frame, 8));
}

} // namespace

QString FrameWord(const QByteArray& frame) {
    if (frame.size() < 5)
        return QStringLiteral("?");
    const auto command = static_cast<std::uint8_t>(frame.at(1));
    if (const auto area = areaOfWriteCommand(command))
        return block("write", static_cast<int>(*area), frame);
    if (const auto area = areaOfReadCommand(command))
        return block("read", static_cast<int>(*area), frame);
    static const std::map<int, const char*> names = {
        {5, "id"},     {12, "status"},  {13, "clock"},   {14, "key"},
        {15, "apply"}, {16, "restart"}, {20, "control"}, {21, "info"},
    };
    if (command == 17) {
        // The password as text: the bytes up to the first zero.
        QByteArray p = frame.mid(4, 8);
        if (const int zero = p.indexOf('\0'); zero >= 0)
            p.truncate(zero);
        return QStringLiteral("password=") + QString::fromLatin1(p);
    }
    if (auto it = names.find(command); it != names.end())
        return QString::fromLatin1(it->second);
    return QStringLiteral("cmd%1").arg(command);
}

QStringList DeviceTrace(const SimDevice& device) {
    QStringList words;
    for (const SimLogEntry& e : device.log()) {
        if (e.type == SimLogEntry::Type::ModeSwitch)
            words << QStringLiteral("mode");
        else if (e.type == SimLogEntry::Type::Frame)
            words << FrameWord(e.bytes);
    }
    return words;
}

QStringList LogTrace(const QStringList& logLines) {
    QStringList words;
    for (const QString& line : logLines) {
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() < 2)
            continue;
        if (parts[1] == QLatin1String("MODE"))
            words << QStringLiteral("mode");
        else if (parts[1] == QLatin1String("RX"))
            words << FrameWord(QByteArray::fromHex(parts.mid(2).join(QString()).toLatin1()));
    }
    return words;
}

QStringList BlockWords(const char* direction, int area, int size) {
    QStringList words;
    for (int p = 0; p < size; p += 256)
        words << QStringLiteral("%1%2@%3+%4")
                     .arg(QLatin1String(direction))
                     .arg(area)
                     .arg(p)
                     .arg(std::min(256, size - p));
    return words;
}
