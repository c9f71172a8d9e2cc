// The link over a real pseudo-terminal: rzn460-sim as a process, the
// transactions through QSerialPort on their own threads, faults and events
// sent to the simulator's console, and a port that vanishes mid-transfer.
#include "config/defaults.h"
#include "link/frame.h"
#include "link/identification.h"
#include "link/run_transaction.h"
#include "link/tread_data.h"
#include "support/sim_process.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

namespace T = TransactionText;
using K = TransactionKind;

QString msg(int index) {
    return DefaultTransactionMessages().at(index);
}

struct Outcome {
    int result = 1;
    QString text;
    StatusColour colour = StatusColour::Progress;
    int statusUpdates = 0;
    int lastProgress = -1;
};

Outcome run(TReadData& t) {
    Outcome o;
    o.result = RunAndWait(
        t,
        [&o](const QString& text, StatusColour c) {
            o.text = text;
            o.colour = c;
            ++o.statusUpdates;
        },
        [&o](int pos, int) { o.lastProgress = pos; });
    return o;
}

class PtyLink : public ::testing::Test {
protected:
    void startSim(const QStringList& options = {}) {
        QString error;
        ASSERT_TRUE(sim.start(options, &error)) << error.toStdString();
    }
    SimProcess sim;
};

TEST_F(PtyLink, IdentifyReadWriteAndReadBackThroughQSerialPort) {
    startSim({"--baud", "0"});
    std::uint8_t id[88] = {};
    TReadData ident(K::Identify, id, 88, sim.path());
    const Outcome oi = run(ident);
    ASSERT_EQ(oi.result, 0) << oi.text.toStdString();
    EXPECT_EQ(oi.text, msg(T::VersionRead));
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(id), 6), QByteArray("RZN460"));

    std::vector<std::uint8_t> settings(5292, 0);
    TReadData read(K::ReadArea, FlashArea::Settings, settings.data(), 5292, 0, sim.path());
    const Outcome orr = run(read);
    ASSERT_EQ(orr.result, 0) << orr.text.toStdString();
    EXPECT_EQ(orr.lastProgress, 5292);
    EXPECT_EQ(settings,
              std::vector<std::uint8_t>(DefaultImage().data(), DefaultImage().data() + 5292));

    settings[100] ^= 0x55;
    settings[5291] ^= 0x55;
    TReadData write(K::WriteVerify, FlashArea::Settings, settings.data(), 5292, 0, sim.path());
    const Outcome ow = run(write);
    ASSERT_EQ(ow.result, 0) << ow.text.toStdString();
    EXPECT_EQ(ow.text, msg(T::ProgrammingDone));
    EXPECT_EQ(ow.colour, StatusColour::Success);

    TReadData compare(K::CompareArea, FlashArea::Settings, settings.data(), 5292, 0, sim.path());
    EXPECT_EQ(run(compare).text, msg(T::DataEqual));

    // What the controller received, frame by frame.
    const auto frames = sim.receivedFrames();
    ASSERT_EQ(frames.size(), 1u + 21 + 21 + 21 + 21);
    EXPECT_EQ(frames[0], QByteArray::fromHex("05050000FB"));
    EXPECT_EQ(frames[1], QByteArray::fromHex("050708000000000000010000F2"));
    EXPECT_EQ(frames[22].size(), 256 + 11);
    EXPECT_EQ(frames[42].size(), 172 + 11);
    EXPECT_EQ(frame::u32At(frames[42], 4), 5120u);
    EXPECT_EQ(sim.modeSwitches(), 4);
}

TEST_F(PtyLink, FullBlocksAtLineSpeed) {
    // A 256-byte block needs 139 ms on the line before its acknowledgement can
    // start: the read's time limit must count from then, not from the write.
    startSim({"--baud", "19200"});
    std::vector<std::uint8_t> part(DefaultImage().data(), DefaultImage().data() + 512);
    part[300] ^= 0xFF;
    TReadData t(K::WriteVerify, FlashArea::Settings, part.data(), 512, 0, sim.path());
    const Outcome o = run(t);
    EXPECT_EQ(o.result, 0) << o.text.toStdString();
    EXPECT_EQ(o.text, msg(T::ProgrammingDone));
}

TEST_F(PtyLink, FaultsAndEventsFromTheConsole) {
    startSim({"--baud", "0"});
    std::uint8_t id[88];
    ASSERT_TRUE(sim.command("noreply id"));
    {
        TReadData t(K::Identify, id, 88, sim.path());
        QElapsedTimer timer;
        timer.start();
        const Outcome o = run(t);
        EXPECT_EQ(o.text, msg(T::NoReply));
        EXPECT_EQ(o.colour, StatusColour::Error);
        // Three read time-outs of 100 + 3 * 93 ms each.
        EXPECT_GE(timer.elapsed(), 3 * 379 - 50);
    }
    ASSERT_TRUE(sim.command("clear"));
    ASSERT_TRUE(sim.command("short id bytes=10"));
    {
        TReadData t(K::Identify, id, 88, sim.path());
        EXPECT_EQ(run(t).text, msg(T::NoCorrectReply));
    }
    ASSERT_TRUE(sim.command("clear"));
    ASSERT_TRUE(sim.command("perimeter 3 arm"));
    ASSERT_TRUE(sim.command("output 2 on"));
    std::uint8_t status[56] = {};
    TReadData t(K::ReadStatus, status, 56, sim.path());
    ASSERT_EQ(run(t).result, 0);
    EXPECT_EQ(status[42], 2u << 4);
    EXPECT_EQ(status[46], 0x02);

    QString out;
    EXPECT_FALSE(sim.command("nonsense", &out));
    EXPECT_TRUE(out.contains("unknown command"));
    EXPECT_TRUE(sim.command("status", &out));
    EXPECT_TRUE(out.contains("perimeters 00100000"));
}

TEST_F(PtyLink, PortThatCannotBeOpened) {
    std::uint8_t id[88];
    const QString name = QStringLiteral("/dev/pts/rzn-no-such-port");
    TReadData t(K::Identify, id, 88, name);
    const Outcome o = run(t);
    EXPECT_EQ(o.result, 1);
    EXPECT_EQ(o.text, msg(T::CannotOpen) + name);
    EXPECT_EQ(o.colour, StatusColour::Error);
}

TEST_F(PtyLink, VanishingDeviceIsAPortError) {
    // Paced at 19200 baud, the 18032-byte area takes about ten seconds.
    startSim({"--baud", "19200"});
    std::vector<std::uint8_t> phones(18032, 0xAB);
    const std::vector<std::uint8_t> before = phones;
    TReadData t(K::ReadArea, FlashArea::ControlPhones, phones.data(), 18032, 0, sim.path());
    QTimer::singleShot(700, [this] { sim.kill(); });
    QElapsedTimer timer;
    timer.start();
    const Outcome o = run(t);
    EXPECT_EQ(o.result, 1);
    EXPECT_EQ(o.text, msg(T::PortError) + sim.path());
    EXPECT_EQ(o.colour, StatusColour::Error);
    EXPECT_LT(timer.elapsed(), 5000); // noticed at once, not after the whole transfer
    EXPECT_EQ(phones, before);
}

TEST_F(PtyLink, KeepsServingAfterTheToolClosesItsSide) {
    startSim({"--baud", "19200", "--unique-id", "11,22,33,44"});
    struct Sink : IdentificationSink {
        void showStatus(const QString&, StatusColour) override {}
        void showIdentification(const DeviceIdentity& id) override { shown = id; }
        DeviceIdentity shown;
    } sink;
    for (int i = 0; i < 5; ++i) {
        const IdentifyResult r = IdentifyAndCheck(sim.path(), sink);
        ASSERT_TRUE(r.supported()) << i << " " << r.transactionText.toStdString();
    }
    EXPECT_EQ(sink.shown.uniqueId,
              QStringLiteral("0000000011 0000000022\r\n 0000000033 0000000044"));
    EXPECT_EQ(sim.modeSwitches(), 5);
}

TEST_F(PtyLink, OptionsSetIdentityAndPassword) {
    startSim({"--baud", "0", "--hw", "12.02", "--fw", "01.04", "--modification", "KL+T407D",
              "--password", "9876", "--foreign-tag"});
    struct Sink : IdentificationSink {
        void showStatus(const QString& text, StatusColour) override { last = text; }
        void showIdentification(const DeviceIdentity& id) override { shown = id; }
        QString last;
        DeviceIdentity shown;
    } sink;
    ASSERT_TRUE(IdentifyAndCheck(sim.path(), sink).supported()) << sink.last.toStdString();
    EXPECT_EQ(sink.shown.hardware, QStringLiteral("12.02"));
    EXPECT_EQ(sink.shown.versionString(), QStringLiteral("KL+T407D.01.04"));

    std::uint8_t control[3] = {2, 0, 1};
    TReadData refused(K::Control, control, 3, sim.path());
    EXPECT_EQ(run(refused).text, msg(T::PasswordRequired));
    std::uint8_t password[9] = {'9', '8', '7', '6', 0, 0, 0, 0, 0};
    TReadData login(K::Password, password, 9, sim.path());
    EXPECT_EQ(run(login).result, 0);
    TReadData accepted(K::Control, control, 3, sim.path());
    EXPECT_EQ(run(accepted).result, 0);

    std::vector<std::uint8_t> settings(5292);
    TReadData read(K::ReadArea, FlashArea::Settings, settings.data(), 5292, 0, sim.path());
    ASSERT_EQ(run(read).result, 0);
    EXPECT_EQ(settings[0], 2);
}

} // namespace
