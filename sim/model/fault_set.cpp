#include "model/fault_set.h"

#include "link/frame.h"
#include "link/transaction_kind.h"

#include <algorithm>

namespace {

void refreshChecksum(QByteArray& reply) {
    reply.chop(1);
    reply.append(static_cast<char>(
        FrameChecksum(reinterpret_cast<const std::uint8_t*>(reply.constData()) + 1,
                      static_cast<std::size_t>(reply.size() - 1))));
}

} // namespace

QString ReplyFaultName(ReplyFault kind) {
    switch (kind) {
    case ReplyFault::NoReply:
        return QStringLiteral("noreply");
    case ReplyFault::Short:
        return QStringLiteral("short");
    case ReplyFault::BadCheck:
        return QStringLiteral("badcheck");
    case ReplyFault::BadHeader:
        return QStringLiteral("badheader");
    case ReplyFault::Status:
        return QStringLiteral("ackstatus");
    }
    return {};
}

void FaultSet::clear() {
    rules_.clear();
    silent = false;
    unplugUntil = 0;
}

QByteArray FaultSet::apply(std::uint8_t command, QByteArray reply, QStringList* notes) {
    for (ReplyFaultRule& r : rules_) {
        if (!r.commands.isEmpty() && !r.commands.contains(command))
            continue;
        if (++r.seen <= r.after || (r.times >= 0 && r.applied >= r.times))
            continue;
        ++r.applied;
        if (notes)
            notes->append(ReplyFaultName(r.kind));
        switch (r.kind) {
        case ReplyFault::NoReply:
            return {};
        case ReplyFault::Short:
            reply.chop(std::clamp<qsizetype>(r.bytes, 1, std::max<qsizetype>(reply.size() - 1, 1)));
            break;
        case ReplyFault::BadCheck:
            if (!reply.isEmpty())
                reply[reply.size() - 1] = static_cast<char>(reply.back() + 1);
            break;
        case ReplyFault::BadHeader:
            if (reply.size() >= frame::kOverhead) {
                // Another command's name, with a check byte that matches it.
                reply[1] = static_cast<char>(reply[1] ^ 0x40);
                refreshChecksum(reply);
            }
            break;
        case ReplyFault::Status: {
            // The status byte of a block-write or a command acknowledgement.
            const int at = areaOfWriteCommand(command) ? 10 : 4;
            if (reply.size() == (at == 10 ? frame::kBlockRequestSize : frame::kAckSize)) {
                reply[at] = static_cast<char>(r.status);
                refreshChecksum(reply);
            }
            break;
        }
        }
    }
    return reply;
}

QStringList FaultSet::describe() const {
    QStringList out;
    if (silent)
        out << QStringLiteral("silent");
    if (unplugUntil > 0)
        out << QStringLiteral("unplugged until %1 ms").arg(unplugUntil);
    for (const ReplyFaultRule& r : rules_) {
        QStringList cmds;
        for (int c : r.commands)
            cmds << QString::number(c);
        std::sort(cmds.begin(), cmds.end());
        out << QStringLiteral("%1 commands=%2 after=%3 times=%4 applied=%5")
                   .arg(ReplyFaultName(r.kind),
                        cmds.isEmpty() ? QStringLiteral("all") : cmds.join(','))
                   .arg(r.after)
                   .arg(r.times)
                   .arg(r.applied);
    }
    return out;
}
