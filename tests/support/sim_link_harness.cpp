#include "support/sim_link_harness.h"

#include "link/run_transaction.h"
#include "model/sim_commands.h"

#include <gtest/gtest.h>

QStringList TransactionOutcome::texts() const {
    QStringList out;
    for (const auto& s : statuses)
        out << s.first;
    return out;
}

TransactionOutcome SimLinkHarness::run(TReadData& t) {
    TransactionOutcome o;
    t.setChannelFactory(link.factory());
    o.result = RunAndWait(
        t, [&o](const QString& text, StatusColour c) { o.statuses.emplace_back(text, c); },
        [&o](int pos, int max) { o.progress.emplace_back(pos, max); });
    return o;
}

TransactionOutcome SimLinkHarness::run(TransactionKind kind, std::uint8_t* buffer, int size) {
    TReadData t(kind, buffer, size, QString::fromLatin1(kPort));
    return run(t);
}

TransactionOutcome SimLinkHarness::runBlock(TransactionKind kind, FlashArea area,
                                            std::uint8_t* buffer, int size, std::uint32_t start) {
    TReadData t(kind, area, buffer, size, start, QString::fromLatin1(kPort));
    return run(t);
}

bool SimLinkHarness::cmd(const QString& line) {
    const SimCommandResult r = RunSimCommand(device, line);
    EXPECT_TRUE(r.ok) << line.toStdString() << ": " << r.output.toStdString();
    return r.ok;
}
