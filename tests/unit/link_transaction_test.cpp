// TReadData against the simulated controller over the in-memory channel: every
// failure row with its text, colour and result; the success texts of every
// kind; the exact bytes on the wire; the caller's buffer on failure; status
// updates reaching the waiting thread while the transaction runs.
#include "config/defaults.h"
#include "link/frame.h"
#include "link/run_transaction.h"
#include "link/tread_data.h"
#include "support/sim_link_harness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

namespace T = TransactionText;
using K = TransactionKind;

QString msg(int index) {
    return DefaultTransactionMessages().at(index);
}

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

std::vector<std::uint8_t> settingsOf(const ConfigImage& image) {
    return {image.data(), image.data() + 5292};
}

// ---------------------------------------------------------------------------
// The failure table.

struct FailureCase {
    const char* name;
    std::function<void(SimLinkHarness&)> setup;
    K kind;
    FlashArea area; // block kinds only
    int size;
    QString expected;
};

std::ostream& operator<<(std::ostream& os, const FailureCase& c) {
    return os << c.name;
}

void sim(SimLinkHarness& h, const char* line) {
    h.cmd(QString::fromLatin1(line));
}

const FailureCase kFailures[] = {
    {"open fails", [](SimLinkHarness& h) { h.link.setOpenFails(true); }, K::Identify,
     FlashArea::Invalid, 88, msg(T::CannotOpen) + "COM3"},
    {"purge fails at mode switch", [](SimLinkHarness& h) { h.link.setPurgeFailsAt(1); },
     K::Identify, FlashArea::Invalid, 88, msg(T::PortError) + "COM3"},
    {"write fails at mode switch", [](SimLinkHarness& h) { h.link.setWriteFailsAt(1); },
     K::ReadArea, FlashArea::Settings, 5292, msg(T::PortError) + "COM3"},
    {"read of the mode answer fails", [](SimLinkHarness& h) { h.link.setReadFailsAt(1); },
     K::Restart, FlashArea::Invalid, 1, msg(T::PortError) + "COM3"},
    {"request write fails", [](SimLinkHarness& h) { h.link.setWriteFailsAt(2); }, K::Identify,
     FlashArea::Invalid, 88, msg(T::PortError) + "COM3"},
    {"block read fails in block 3", [](SimLinkHarness& h) { h.link.setReadFailsAt(4); },
     K::ReadArea, FlashArea::Settings, 5292, msg(T::PortError) + "COM3"},
    {"no reply to a request", [](SimLinkHarness& h) { sim(h, "noreply id"); }, K::Identify,
     FlashArea::Invalid, 88, msg(T::NoReply)},
    {"no reply to a command", [](SimLinkHarness& h) { sim(h, "noreply restart"); }, K::Restart,
     FlashArea::Invalid, 1, msg(T::NoReply)},
    {"no reply to a block write", [](SimLinkHarness& h) { sim(h, "noreply write"); },
     K::WriteVerify, FlashArea::Settings, 5292, msg(T::NoReply)},
    {"silent controller", [](SimLinkHarness& h) { sim(h, "silent on"); }, K::ReadStatus,
     FlashArea::Invalid, 56, msg(T::NoReply)},
    {"short reply to a request", [](SimLinkHarness& h) { sim(h, "short id"); }, K::Identify,
     FlashArea::Invalid, 88, msg(T::NoCorrectReply)},
    {"short reply to a command", [](SimLinkHarness& h) { sim(h, "short password bytes=3"); },
     K::Password, FlashArea::Invalid, 9, msg(T::NoCorrectReply)},
    {"short block-write acknowledgement", [](SimLinkHarness& h) { sim(h, "short write"); },
     K::WriteVerify, FlashArea::ModesMemory, 10, msg(T::NoCorrectReply)},
    {"short block-read reply", [](SimLinkHarness& h) { sim(h, "short read"); }, K::ReadArea,
     FlashArea::Settings, 5292, msg(T::TransferCode1)},
    {"no block-read reply", [](SimLinkHarness& h) { sim(h, "noreply read"); }, K::CompareArea,
     FlashArea::Settings, 5292, msg(T::TransferCode1)},
    {"read-back never answered", [](SimLinkHarness& h) { sim(h, "noreply read"); }, K::WriteVerify,
     FlashArea::SystemParameters, 24, msg(T::TransferCode1)},
    {"wrong check byte, request", [](SimLinkHarness& h) { sim(h, "badcheck status"); },
     K::ReadStatus, FlashArea::Invalid, 56, msg(T::TransferCode2)},
    {"wrong check byte, command", [](SimLinkHarness& h) { sim(h, "badcheck clock"); }, K::SetClock,
     FlashArea::Invalid, 6, msg(T::TransferCode2)},
    {"wrong check byte, block read", [](SimLinkHarness& h) { sim(h, "badcheck read"); },
     K::ReadArea, FlashArea::SystemParameters, 24, msg(T::TransferCode2)},
    {"wrong check byte, block write", [](SimLinkHarness& h) { sim(h, "badcheck write"); },
     K::WriteVerify, FlashArea::Settings, 5292, msg(T::TransferCode2)},
    {"wrong header, request", [](SimLinkHarness& h) { sim(h, "badheader id"); }, K::Identify,
     FlashArea::Invalid, 88, msg(T::TransferCode3)},
    {"wrong header, command", [](SimLinkHarness& h) { sim(h, "badheader control"); }, K::Control,
     FlashArea::Invalid, 3, msg(T::TransferCode3)},
    {"wrong header, block read", [](SimLinkHarness& h) { sim(h, "badheader read"); }, K::ReadArea,
     FlashArea::Settings, 5292, msg(T::TransferCode3)},
    {"wrong header, block write", [](SimLinkHarness& h) { sim(h, "badheader write"); },
     K::WriteVerify, FlashArea::Settings, 5292, msg(T::TransferCode3)},
    {"command status 1", [](SimLinkHarness& h) { sim(h, "ackstatus apply status=1"); }, K::Apply,
     FlashArea::Invalid, 1, msg(T::FlashError)},
    {"block write status 1", [](SimLinkHarness& h) { sim(h, "writes refuse 1"); }, K::WriteVerify,
     FlashArea::Settings, 5292, msg(T::FlashError)},
    {"command status 2: password", [](SimLinkHarness& h) { sim(h, "password refuse"); },
     K::Password, FlashArea::Invalid, 9, msg(T::PasswordRequired)},
    {"command refused without login", [](SimLinkHarness& h) { sim(h, "password secret"); },
     K::Control, FlashArea::Invalid, 3, msg(T::PasswordRequired)},
    {"block write status 2", [](SimLinkHarness& h) { sim(h, "password secret"); }, K::WriteVerify,
     FlashArea::Settings, 5292, msg(T::TransferCode3)},
    {"block write status 3", [](SimLinkHarness& h) { sim(h, "writes refuse"); }, K::WriteVerify,
     FlashArea::SystemParameters, 24, msg(T::TransferCode3)},
    {"command status 7", [](SimLinkHarness& h) { sim(h, "ackstatus restart status=7"); },
     K::Restart, FlashArea::Invalid, 1, msg(T::TransferCode3)},
    {"area 0", [](SimLinkHarness&) {}, K::ReadArea, FlashArea::Invalid, 24, FlashAreaIdErrorText()},
    {"area 8", [](SimLinkHarness&) {}, K::WriteVerify, static_cast<FlashArea>(8), 24,
     FlashAreaIdErrorText()},
    {"writes silently ignored", [](SimLinkHarness& h) { sim(h, "writes ignore"); }, K::WriteVerify,
     FlashArea::Settings, 5292, msg(T::Mismatch)},
    {"payload larger than a frame", [](SimLinkHarness&) {}, K::Control, FlashArea::Invalid, 296,
     msg(T::TransferCode3)},
};

class TransactionFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(TransactionFailure, ShowsItsTextInRedAndFails) {
    const FailureCase& c = GetParam();
    SimLinkHarness h;
    c.setup(h);
    // Bytes that differ from the controller's, so a write changes memory.
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(c.size), 0x5A);
    const std::vector<std::uint8_t> before = buffer;
    const TransactionOutcome o = isBlockTransfer(c.kind)
                                     ? h.runBlock(c.kind, c.area, buffer.data(), c.size)
                                     : h.run(c.kind, buffer.data(), c.size);
    EXPECT_EQ(o.result, 1);
    EXPECT_EQ(o.text(), c.expected) << o.texts().join(" | ").toStdString();
    EXPECT_EQ(o.colour(), StatusColour::Error);
    if (c.kind != K::WriteVerify) {
        EXPECT_EQ(buffer, before) << "a failed transaction changed the caller's buffer";
    }
}

INSTANTIATE_TEST_SUITE_P(FailureTable, TransactionFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

TEST(TransactionFailureText, PortNameIsAppended) {
    SimLinkHarness h;
    h.link.setOnlyPort(QStringLiteral("COM3"));
    std::uint8_t id[88] = {};
    TReadData t(K::Identify, id, 88, QStringLiteral("COM7"));
    const TransactionOutcome o = h.run(t);
    EXPECT_EQ(o.result, 1);
    EXPECT_EQ(o.text(), QStringLiteral("Невозможно открыть COM7"));
    EXPECT_EQ(o.colour(), StatusColour::Error);
    EXPECT_TRUE(h.link.writes().empty());
}

TEST(TransactionFailureText, RefusedPayloadSendsNothing) {
    SimLinkHarness h;
    std::vector<std::uint8_t> payload(296, 0);
    EXPECT_EQ(h.run(K::Control, payload.data(), 296).result, 1);
    EXPECT_EQ(h.run(K::ReadStatus, nullptr, 56).result, 1);
    EXPECT_EQ(h.link.opens(), 0);
}

// ---------------------------------------------------------------------------
// Success: texts in order, the last in blue.

struct SuccessCase {
    K kind;
    FlashArea area;
    int size;
    std::vector<int> texts;
};

TEST(TransactionSuccess, EveryKindShowsItsTextsInOrder) {
    const SuccessCase cases[] = {
        {K::ReadArea, FlashArea::Settings, 5292, {T::Identifying, T::Reading, T::DataRead}},
        {K::WriteVerify,
         FlashArea::Settings,
         5292,
         {T::Identifying, T::Writing, T::Reading, T::ProgrammingDone}},
        {K::CompareArea,
         FlashArea::SystemParameters,
         24,
         {T::Identifying, T::Reading, T::DataEqual}},
        {K::Identify, {}, 88, {T::Identifying, T::VersionRead}},
        {K::ReadStatus, {}, 56, {T::Identifying, T::DataRead}},
        {K::SetClock, {}, 6, {T::Identifying, T::DataSent}},
        {K::ReadKeyCode, {}, 12, {T::Identifying, T::DataRead}},
        {K::Apply, {}, 1, {T::Identifying, T::DataSent}},
        {K::Restart, {}, 1, {T::Identifying, T::RestartStarted}},
        {K::Password, {}, 9, {T::Identifying, T::DataSent}},
        {K::Control, {}, 3, {T::Identifying, T::DataSent}},
        {K::Request21, {}, 16, {T::Identifying, T::DataRead}},
    };
    for (const SuccessCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        SimLinkHarness h;
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(c.size), 0);
        if (c.kind == K::SetClock)
            buffer = {24, 3, 9, 14, 5, 0};
        if (c.kind == K::Control)
            buffer = {2, 2, 1};
        if (c.kind == K::CompareArea)
            buffer = {DefaultImage().data() + 5304, DefaultImage().data() + 5328};
        const TransactionOutcome o = isBlockTransfer(c.kind)
                                         ? h.runBlock(c.kind, c.area, buffer.data(), c.size)
                                         : h.run(c.kind, buffer.data(), c.size);
        EXPECT_EQ(o.result, 0) << o.texts().join(" | ").toStdString();
        QStringList expected;
        for (int t : c.texts)
            expected << msg(t);
        EXPECT_EQ(o.texts(), expected);
        ASSERT_FALSE(o.statuses.empty());
        for (std::size_t i = 0; i + 1 < o.statuses.size(); ++i)
            EXPECT_EQ(o.statuses[i].second, StatusColour::Progress);
        EXPECT_EQ(o.colour(), StatusColour::Success);
    }
}

TEST(TransactionSuccess, ReplacedMessagesAreUsed) {
    SimLinkHarness h;
    QStringList table = DefaultTransactionMessages();
    table[T::VersionRead] = QStringLiteral("Version read");
    table[T::Identifying] = QStringLiteral("Identifying...");
    std::uint8_t id[88];
    TReadData t(K::Identify, id, 88, QStringLiteral("COM3"));
    t.setMessages(table);
    const TransactionOutcome o = h.run(t);
    EXPECT_EQ(o.texts(), (QStringList{"Identifying...", "Version read"}));
    EXPECT_EQ(t.lastText(), QStringLiteral("Version read"));
    EXPECT_EQ(t.lastColour(), StatusColour::Success);
}

TEST(TransactionSuccess, RetriesUntilAReplyComes) {
    SimLinkHarness h;
    h.cmd("noreply id times=2");
    std::uint8_t id[88] = {};
    EXPECT_EQ(h.run(K::Identify, id, 88).result, 0);
    const auto writes = h.link.writes();
    ASSERT_EQ(writes.size(), 4u);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(writes[i], hex("05050000FB"));
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(id), 6), QByteArray("RZN460"));
}

// ---------------------------------------------------------------------------
// The bytes on the wire.

TEST(TransactionWire, CommandKindsSendTheirFrames) {
    struct Case {
        K kind;
        std::vector<std::uint8_t> payload;
        QByteArray frame;
    };
    const Case cases[] = {
        {K::Identify, std::vector<std::uint8_t>(88), hex("05 05 0000 FB")},
        {K::ReadStatus, std::vector<std::uint8_t>(56), hex("05 0C 0000 F4")},
        {K::ReadKeyCode, std::vector<std::uint8_t>(12), hex("05 0E 0000 F2")},
        {K::Request21, std::vector<std::uint8_t>(16), hex("05 15 0000 EB")},
        {K::SetClock, {16, 3, 9, 14, 5, 0}, hex("05 0D 0600 10 03 09 0E 05 00 E6")},
        {K::Apply, {0}, hex("05 0F 0100 00 F2")},
        {K::Restart, {0}, hex("05 10 0100 00 EF")},
        {K::Password,
         {'1', '2', '3', '4', 0, 0, 0, 0, 0},
         hex("05 11 0900 31323334 00000000 00 E4")},
        {K::Control, {2, 2, 1}, hex("05 14 0300 02 02 01 EA")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        SimLinkHarness h;
        std::vector<std::uint8_t> buffer = c.payload;
        h.run(c.kind, buffer.data(), static_cast<int>(buffer.size()));
        const auto writes = h.link.writes();
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0], QByteArray("BINARY\r"));
        EXPECT_EQ(writes[1], c.frame);
        EXPECT_TRUE(frame::checksumMatches(writes[1]));
    }
}

TEST(TransactionWire, SettingsWriteGoesOutIn21BlocksAndIsReadBack) {
    SimLinkHarness h;
    ConfigImage image = DefaultImage();
    image.setTextPadded(68 + 1, 16, QStringLiteral("+79161234567"));
    std::vector<std::uint8_t> settings = settingsOf(image);
    const TransactionOutcome o =
        h.runBlock(K::WriteVerify, FlashArea::Settings, settings.data(), 5292);
    ASSERT_EQ(o.result, 0) << o.text().toStdString();

    const auto writes = h.link.writes();
    ASSERT_EQ(writes.size(), 1u + 21 + 21); // mode switch, blocks written, blocks read back
    EXPECT_EQ(writes[0], QByteArray("BINARY\r"));
    for (int b = 0; b < 21; ++b) {
        SCOPED_TRACE(b);
        const QByteArray& w = writes[1 + b];
        const int count = b < 20 ? 256 : 172;
        ASSERT_EQ(w.size(), count + 11);
        EXPECT_EQ(static_cast<std::uint8_t>(w[1]), 6);
        EXPECT_EQ(frame::u16At(w, 2), count + 6);
        EXPECT_EQ(frame::u32At(w, 4), std::uint32_t(b * 256));
        EXPECT_EQ(frame::u16At(w, 8), count);
        EXPECT_EQ(w.mid(10, count),
                  QByteArray(reinterpret_cast<const char*>(settings.data()) + b * 256, count));
        const QByteArray& r = writes[22 + b];
        EXPECT_EQ(r, frame::blockReadRequest(7, std::uint32_t(b * 256),
                                             static_cast<std::uint16_t>(count)));
    }
    EXPECT_EQ(writes[22], hex("050708000000000000010000F2"));
    // One discarded answer before the writes and another before the read-back.
    EXPECT_EQ(h.link.reads(), 1 + 21 + 1 + 21);

    // Progress: 0..5292 for the write, again for the read-back.
    ASSERT_FALSE(o.progress.empty());
    EXPECT_EQ(o.progress.front(), std::make_pair(0, 5292));
    EXPECT_EQ(o.progress.back(), std::make_pair(5292, 5292));
    EXPECT_EQ(o.progress[21], std::make_pair(5292, 5292));
    EXPECT_EQ(o.progress[22], std::make_pair(0, 5292));
    EXPECT_EQ(o.progress[1], std::make_pair(256, 5292));
    // The controller holds the new settings.
    const QByteArray area = h.device.with([](DeviceModel& m, FaultSet&) { return m.area(1); });
    EXPECT_EQ(area, QByteArray(reinterpret_cast<const char*>(settings.data()), 5292));
}

TEST(TransactionWire, StartAddressOffsetsEveryBlock) {
    SimLinkHarness h;
    std::vector<std::uint8_t> buffer(300, 0);
    ASSERT_EQ(h.runBlock(K::ReadArea, FlashArea::ControlPhones, buffer.data(), 300, 1000).result,
              0);
    const auto writes = h.link.writes();
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[1], frame::blockReadRequest(23, 1000, 256));
    EXPECT_EQ(writes[2], frame::blockReadRequest(23, 1256, 44));
    const QByteArray area = h.device.with([](DeviceModel& m, FaultSet&) { return m.area(6); });
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(buffer.data()), 300), area.mid(1000, 300));
}

// ---------------------------------------------------------------------------
// The caller's buffer.

TEST(TransactionBuffer, ReadFailingInTheTenthBlockLeavesItAsItWas) {
    SimLinkHarness h;
    h.cmd("noreply read after=9");
    std::vector<std::uint8_t> buffer(5292, 0xC3);
    const TransactionOutcome o = h.runBlock(K::ReadArea, FlashArea::Settings, buffer.data(), 5292);
    EXPECT_EQ(o.result, 1);
    EXPECT_EQ(o.text(), msg(T::TransferCode1));
    EXPECT_EQ(buffer, std::vector<std::uint8_t>(5292, 0xC3));
    // Nine blocks arrived; the tenth was asked three times.
    EXPECT_EQ(h.link.writes().size(), 1u + 9 + 3);
    EXPECT_EQ(o.progress.back(), std::make_pair(9 * 256, 5292));
}

TEST(TransactionBuffer, SuccessfulReadFillsIt) {
    SimLinkHarness h;
    std::vector<std::uint8_t> buffer(5292, 0xC3);
    ASSERT_EQ(h.runBlock(K::ReadArea, FlashArea::Settings, buffer.data(), 5292).result, 0);
    EXPECT_EQ(buffer, settingsOf(DefaultImage()));
}

TEST(TransactionBuffer, CompareNeverChangesIt) {
    SimLinkHarness h;
    std::vector<std::uint8_t> same = settingsOf(DefaultImage());
    const TransactionOutcome equal =
        h.runBlock(K::CompareArea, FlashArea::Settings, same.data(), 5292);
    EXPECT_EQ(equal.result, 0);
    EXPECT_EQ(equal.text(), msg(T::DataEqual));
    EXPECT_EQ(equal.colour(), StatusColour::Success);
    EXPECT_EQ(same, settingsOf(DefaultImage()));

    std::vector<std::uint8_t> other = same;
    other[5000] ^= 0xFF;
    const std::vector<std::uint8_t> copy = other;
    const TransactionOutcome differ =
        h.runBlock(K::CompareArea, FlashArea::Settings, other.data(), 5292);
    EXPECT_EQ(differ.result, 1);
    EXPECT_EQ(differ.text(), msg(T::DataDiffer));
    EXPECT_EQ(differ.colour(), StatusColour::Error);
    EXPECT_EQ(other, copy);
}

TEST(TransactionBuffer, RequestReplyFillsItOnlyOnSuccess) {
    SimLinkHarness h;
    h.cmd("badcheck id");
    std::vector<std::uint8_t> id(88, 0xEE);
    EXPECT_EQ(h.run(K::Identify, id.data(), 88).result, 1);
    EXPECT_EQ(id, std::vector<std::uint8_t>(88, 0xEE));
    h.cmd("clear");
    EXPECT_EQ(h.run(K::Identify, id.data(), 88).result, 0);
    const QByteArray block =
        h.device.with([](DeviceModel& m, FaultSet&) { return m.identity.block(); });
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(id.data()), 88), block);
}

// ---------------------------------------------------------------------------
// Threads: updates arrive while the transaction runs; the waiting thread keeps
// serving its events.

// A channel that answers like the device but takes its time over every read.
class SlowChannel : public SerialChannel {
public:
    SlowChannel(std::unique_ptr<SerialChannel> inner, int delayMs)
        : inner_(std::move(inner)), delayMs_(delayMs) {}
    bool open(const QString& name) override { return inner_->open(name); }
    void close() override { inner_->close(); }
    bool isOpen() const override { return inner_->isOpen(); }
    bool purge() override { return inner_->purge(); }
    bool write(const QByteArray& b) override { return inner_->write(b); }
    bool read(int n, QByteArray& out) override {
        QThread::msleep(static_cast<unsigned long>(delayMs_));
        return inner_->read(n, out);
    }

private:
    std::unique_ptr<SerialChannel> inner_;
    int delayMs_;
};

TEST(TransactionThreads, StatusAndProgressArriveWhileItRuns) {
    SimLinkHarness h;
    std::vector<std::uint8_t> big(2048);
    TReadData slow(K::ReadArea, FlashArea::Settings, big.data(), 2048, 0, QStringLiteral("COM3"));
    auto factory = h.link.factory();
    slow.setChannelFactory([factory] { return std::make_unique<SlowChannel>(factory(), 20); });

    QThread* const uiThread = QThread::currentThread();
    int whileRunning = 0, progressWhileRunning = 0, timerTicks = 0;
    bool wrongThread = false;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++timerTicks; });
    ticker.start(5);
    const int rc = RunAndWait(
        slow,
        [&](const QString&, StatusColour) {
            wrongThread |= QThread::currentThread() != uiThread;
            whileRunning += slow.isRunning() ? 1 : 0;
        },
        [&](int, int) {
            wrongThread |= QThread::currentThread() != uiThread;
            progressWhileRunning += slow.isRunning() ? 1 : 0;
        });
    EXPECT_EQ(rc, 0);
    EXPECT_FALSE(wrongThread);
    EXPECT_GE(whileRunning, 2); // "Идентификация..." and "Чтение..." before the end
    EXPECT_GE(progressWhileRunning, 5); // block progress as it happens
    EXPECT_GE(timerTicks, 5);           // the waiting thread kept serving its timers
    EXPECT_TRUE(slow.isFinished());
}

TEST(TransactionThreads, RunAndWaitReturnsAtOnceForAFastTransaction) {
    SimLinkHarness h;
    std::uint8_t id[88];
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(h.run(K::Identify, id, 88).result, 0);
    // Twenty transactions without waiting out any time-out.
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST(TransactionThreads, ReleasingARunningTransactionWaitsForIt) {
    SimLinkHarness h;
    std::vector<std::uint8_t> big(1024);
    auto factory = h.link.factory();
    {
        TReadData t(K::ReadArea, FlashArea::Settings, big.data(), 1024, 0, QStringLiteral("COM3"));
        t.setChannelFactory([factory] { return std::make_unique<SlowChannel>(factory(), 10); });
        t.start();
    } // the destructor waits; the buffer is not written after this point
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(big.data()), 1024),
              h.device.with([](DeviceModel& m, FaultSet&) { return m.area(1).left(1024); }));
}

} // namespace
