#pragma once
// Faults of the simulated line and controller that spoil replies: no reply,
// cut replies, wrong check bytes, wrong headers, another acknowledgement status; each for chosen
// commands (all when none), optionally after letting some pass and for a number of times. Silence
// and unplugging stop every answer.
#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

enum class ReplyFault { NoReply, Short, BadCheck, BadHeader, Status };

struct ReplyFaultRule {
    ReplyFault kind = ReplyFault::NoReply;
    QSet<int> commands; // empty: every command
    int after = 0;      // matching replies to let pass first
    int times = -1;     // replies to spoil; -1: all that follow
    int bytes = 1;      // Short: how many bytes to cut (at least one byte stays)
    int status = 3;     // Status: the status an acknowledgement carries instead

    int seen = 0;
    int applied = 0;
};

class FaultSet {
public:
    void add(const ReplyFaultRule& rule) { rules_.push_back(rule); }
    void clear();
    // The reply as the faults let it out (empty = nothing is sent).
    QByteArray apply(std::uint8_t command, QByteArray reply, QStringList* notes);
    QStringList describe() const;

    bool silent = false;    // answers nothing, not even the mode switch
    qint64 unplugUntil = 0; // device time until which nothing answers
    bool quiet(qint64 nowMs) const { return silent || nowMs < unplugUntil; }

private:
    std::vector<ReplyFaultRule> rules_;
};

QString ReplyFaultName(ReplyFault kind);
