// The simulated controller: its live state and how events and control
// commands change it, password and login, key reader, restart, clock, the
// mode switch, faults that expire, and robustness against junk input.
#include "config/defaults.h"
#include "link/frame.h"
#include "model/sim_commands.h"
#include "support/sim_link_harness.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

namespace T = TransactionText;
using K = TransactionKind;

QString msg(int index) {
    return DefaultTransactionMessages().at(index);
}

// A device whose time the test moves.
struct ClockedSim {
    qint64 now = 1000;
    SimLinkHarness h{[this] { return now; }};

    QByteArray status() {
        QByteArray s(56, '\0');
        const auto o = h.run(K::ReadStatus, reinterpret_cast<std::uint8_t*>(s.data()), 56);
        EXPECT_EQ(o.result, 0) << o.text().toStdString();
        return s;
    }
    TransactionOutcome control(std::uint8_t op, std::uint8_t target, std::uint8_t arg) {
        std::uint8_t p[3] = {op, target, arg};
        return h.run(K::Control, p, 3);
    }
    TransactionOutcome login(const char* password) {
        std::uint8_t p[9] = {};
        std::copy_n(password, std::strlen(password), p);
        return h.run(K::Password, p, 9);
    }
};

std::uint8_t at(const QByteArray& b, int i) {
    return static_cast<std::uint8_t>(b[i]);
}

TEST(SimStatus, EventsShowInTheStatusBlock) {
    ClockedSim s;
    const QByteArray before = s.status();
    EXPECT_EQ(at(before, 38), 128);  // 12.8 V
    EXPECT_EQ(at(before, 40), 100);  // battery
    EXPECT_EQ(at(before, 43), 0x03); // temperature and balance valid
    EXPECT_EQ(at(before, 47), 8);    // registered in the home network
    EXPECT_EQ(at(before, 41) & 0x1F, 21);
    EXPECT_EQ(frame::u16At(before, 44), 0);
    const std::uint16_t passive = frame::u16At(before, 6 + 2 * 2);
    EXPECT_NEAR(passive, 1200, 4);

    for (const char* line :
         {"supply 12.5", "battery none", "temp -12", "gsm 200 31", "balance invalid", "input 3 on",
          "input 16 value 4000", "output 7 on", "perimeter 2 arm", "inputflags 2"})
        ASSERT_TRUE(s.h.cmd(QString::fromLatin1(line)));
    const QByteArray after = s.status();
    EXPECT_EQ(at(after, 38), 125);
    EXPECT_EQ(at(after, 40), 255);
    EXPECT_EQ(at(after, 48), 0xF4);
    EXPECT_EQ(at(after, 47), 200);
    EXPECT_EQ(at(after, 41), 31 | 0x40);
    EXPECT_EQ(at(after, 43), 0x01);
    EXPECT_EQ(frame::u16At(after, 44), 1u << 2);
    EXPECT_NEAR(frame::u16At(after, 6 + 2 * 2), 3600, 4);
    EXPECT_NEAR(frame::u16At(after, 6 + 2 * 15), 4000, 4);
    EXPECT_EQ(at(after, 46), 1u << 6);
    EXPECT_EQ(at(after, 42), 2u << 2);

    ASSERT_TRUE(s.h.cmd("battery test"));
    ASSERT_TRUE(s.h.cmd("temp invalid"));
    const QByteArray third = s.status();
    EXPECT_EQ(at(third, 40), 254);
    EXPECT_EQ(at(third, 43) & 1, 0);
}

TEST(SimStatus, BalanceIsAFloat) {
    ClockedSim s;
    ASSERT_TRUE(s.h.cmd("balance 1234.5"));
    const QByteArray b = s.status();
    const std::uint32_t raw = frame::u32At(b, 52);
    float v;
    std::memcpy(&v, &raw, 4);
    EXPECT_FLOAT_EQ(v, 1234.5f);
}

TEST(SimControl, CommandsChangeTheLiveState) {
    ClockedSim s;
    s.h.cmd("password 1234");
    ASSERT_EQ(s.login("1234").result, 0);
    struct Step {
        std::uint8_t op, target, arg;
        int byte;          // status byte to look at
        std::uint8_t mask; // bits of it
        std::uint8_t expected;
    };
    const Step steps[] = {
        {2, 2, 1, 46, 0x04, 0x04},  // output 1 on
        {2, 0, 1, 46, 0x05, 0x05},  // relay 1 on too
        {2, 2, 2, 46, 0x05, 0x01},  // output 1 off
        {0, 2, 0, 42, 0x30, 0x20},  // perimeter 3 armed
        {1, 2, 0, 42, 0x30, 0x00},  // and disarmed
        {3, 0, 0, 42, 0xFF, 0xAA},  // protection: all armed
        {4, 8, 0, 45, 0x01, 0x01},  // input 9 simulated
        {2, 1, 16, 46, 0x02, 0x02}, // scenario 14 on relay 2: a pulse
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(std::to_string(st.op) + "/" + std::to_string(st.target) + "/" +
                     std::to_string(st.arg));
        const auto o = s.control(st.op, st.target, st.arg);
        EXPECT_EQ(o.result, 0);
        EXPECT_EQ(o.text(), msg(T::DataSent));
        EXPECT_EQ(at(s.status(), st.byte) & st.mask, st.expected);
    }
    // Pulses end on their own.
    s.now += 2001;
    const QByteArray later = s.status();
    EXPECT_EQ(at(later, 45) & 0x01, 0);
    EXPECT_EQ(at(later, 46) & 0x02, 0);
    EXPECT_EQ(at(later, 46) & 0x01, 0x01); // a switched output stays on

    for (const auto& bad :
         {std::array<std::uint8_t, 3>{2, 7, 1}, {0, 4, 0}, {4, 16, 0}, {9, 0, 0}, {2, 0, 17}}) {
        const auto o = s.control(bad[0], bad[1], bad[2]);
        EXPECT_EQ(o.result, 1);
        EXPECT_EQ(o.text(), msg(T::TransferCode3));
    }
}

TEST(SimControl, ArmingPassesThroughChangingMode) {
    ClockedSim s;
    s.h.device.with([](DeviceModel& m, FaultSet&) { m.armDelayMs = 3000; });
    ASSERT_EQ(s.control(0, 0, 0).result, 0);
    EXPECT_EQ(at(s.status(), 42) & 0x03, 1);
    s.now += 3000;
    EXPECT_EQ(at(s.status(), 42) & 0x03, 2);
}

TEST(SimPassword, LoginGuardsWritesAndCommands) {
    ClockedSim s;
    s.h.cmd("password 1234");
    std::uint8_t params[24] = {};
    // Reads are open; writes and control need a login.
    EXPECT_EQ(s.h.runBlock(K::ReadArea, FlashArea::SystemParameters, params, 24).result, 0);
    EXPECT_EQ(s.control(2, 0, 1).text(), msg(T::PasswordRequired));
    EXPECT_EQ(s.h.runBlock(K::WriteVerify, FlashArea::SystemParameters, params, 24).text(),
              msg(T::TransferCode3));
    EXPECT_EQ(s.login("12345").text(), msg(T::PasswordRequired));
    EXPECT_EQ(s.login("1234").result, 0);
    EXPECT_EQ(s.control(2, 0, 1).result, 0);
    EXPECT_EQ(s.h.runBlock(K::WriteVerify, FlashArea::SystemParameters, params, 24).result, 0);
    // A wrong password ends the login.
    EXPECT_EQ(s.login("0000").result, 1);
    EXPECT_EQ(s.control(2, 0, 1).result, 1);
    // The clock needs no login.
    std::uint8_t clock[6] = {24, 3, 9, 14, 5, 0};
    EXPECT_EQ(s.h.run(K::SetClock, clock, 6).result, 0);

    s.h.cmd("password refuse");
    EXPECT_EQ(s.login("1234").text(), msg(T::PasswordRequired));
    s.h.cmd("password accept");
    s.h.cmd("password -");
    EXPECT_EQ(s.login("anything").result, 0); // no password: every login passes
}

TEST(SimPassword, WrittenSettingsBringTheirPasswordOnRestart) {
    ClockedSim s;
    ConfigImage image = DefaultImage();
    image.setTextPadded(20, 9, QStringLiteral("4321"));
    std::vector<std::uint8_t> settings(image.data(), image.data() + 5292);
    ASSERT_EQ(s.login("").result, 0);
    ASSERT_EQ(s.h.runBlock(K::WriteVerify, FlashArea::Settings, settings.data(), 5292).result, 0);
    // Still the old (empty) password until the settings take effect.
    EXPECT_EQ(s.control(2, 0, 1).result, 0);
    std::uint8_t zero = 0;
    ASSERT_EQ(s.h.run(K::Restart, &zero, 1).text(), msg(T::RestartStarted));
    s.now += 1500;
    EXPECT_EQ(s.control(2, 0, 1).text(), msg(T::PasswordRequired));
    EXPECT_EQ(s.login("4321").result, 0);
}

TEST(SimRestart, SilentForAWhileThenAnswersAgain) {
    ClockedSim s;
    std::uint8_t zero = 0, id[88];
    ASSERT_EQ(s.h.run(K::Restart, &zero, 1).result, 0);
    s.now += 1000;
    EXPECT_EQ(s.h.run(K::Identify, id, 88).text(), msg(T::NoReply));
    s.now += 500;
    EXPECT_EQ(s.h.run(K::Identify, id, 88).result, 0);
}

TEST(SimKeys, PresentedKeyIsReportedToALoggedInTool) {
    ClockedSim s;
    s.h.cmd("password 77");
    s.h.cmd("key 01A2B3C4D5E6F708 3");
    QByteArray k(12, '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(k.data());
    ASSERT_EQ(s.h.run(K::ReadKeyCode, p, 12).result, 0);
    EXPECT_EQ(at(k, 8) & 3, 0); // not logged in: no key
    ASSERT_EQ(s.login("77").result, 0);
    ASSERT_EQ(s.h.run(K::ReadKeyCode, p, 12).result, 0);
    EXPECT_EQ(k.left(8), QByteArray::fromHex("01A2B3C4D5E6F708"));
    EXPECT_EQ(at(k, 8) & 3, 3);
    s.now += 3000;
    ASSERT_EQ(s.h.run(K::ReadKeyCode, p, 12).result, 0);
    EXPECT_EQ(at(k, 8) & 3, 0);
}

TEST(SimClock, SetClockThenItTicks) {
    ClockedSim s;
    std::uint8_t clock[6] = {16, 3, 9, 14, 5, 0};
    ASSERT_EQ(s.h.run(K::SetClock, clock, 6).result, 0);
    EXPECT_EQ(s.status().left(6), QByteArray::fromHex("100309 0E0500"));
    s.now += 61000;
    EXPECT_EQ(s.status().left(6), QByteArray::fromHex("100309 0E0601"));
    std::uint8_t bad[6] = {24, 13, 1, 0, 0, 0};
    EXPECT_EQ(s.h.run(K::SetClock, bad, 6).text(), msg(T::TransferCode3));
}

TEST(SimFaults, CountedAndTimedFaultsExpire) {
    ClockedSim s;
    std::uint8_t status[56];
    s.h.cmd("badcheck status after=1 times=1");
    EXPECT_EQ(s.h.run(K::ReadStatus, status, 56).result, 0);
    EXPECT_EQ(s.h.run(K::ReadStatus, status, 56).text(), msg(T::TransferCode2));
    EXPECT_EQ(s.h.run(K::ReadStatus, status, 56).result, 0);

    s.h.cmd("unplug 2");
    EXPECT_EQ(s.h.run(K::ReadStatus, status, 56).text(), msg(T::NoReply));
    s.now += 2000;
    EXPECT_EQ(s.h.run(K::ReadStatus, status, 56).result, 0);
}

TEST(SimIdentity, ConfigurableAndForeignTag) {
    ClockedSim s;
    ASSERT_TRUE(s.h.cmd("identity name=RZN460 mod=KL+T407D hw=12.02 fw=01.04 bl=02.00 imei=111 "
                        "id=9,8,7,6 bound=1,0,0,0"));
    const QByteArray b =
        s.h.device.with([](DeviceModel& m, FaultSet&) { return m.identity.block(); });
    EXPECT_EQ(b.mid(9, 9), QByteArray("KL+T407D\0", 9));
    EXPECT_EQ(b.mid(18, 6), QByteArray::fromHex("021204010002"));
    EXPECT_EQ(frame::u32At(b, 72), 9u);
    EXPECT_EQ(frame::u32At(b, 84), 6u);
    EXPECT_EQ(frame::u32At(b, 40), 1u);
    EXPECT_EQ(b.mid(56, 4), QByteArray("111\0", 4));

    std::vector<std::uint8_t> settings(5292);
    ASSERT_EQ(s.h.runBlock(K::ReadArea, FlashArea::Settings, settings.data(), 5292).result, 0);
    EXPECT_EQ(settings[0], 1);
    s.h.cmd("foreign-tag");
    ASSERT_EQ(s.h.runBlock(K::ReadArea, FlashArea::Settings, settings.data(), 5292).result, 0);
    EXPECT_EQ(settings[0], 2);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(settings.data()) + 1, 8),
              QByteArray("v.01.03\0", 8));
}

TEST(SimInput, FramesNeedTheModeSwitch) {
    SimDevice d;
    EXPECT_TRUE(d.receive(frame::build(5, {})).isEmpty());
    const QByteArray reply = d.receive(QByteArray("BINARY\r") + frame::build(5, {}));
    ASSERT_EQ(reply.size(), 1 + 93);
    EXPECT_EQ(reply.mid(1, 2), QByteArray::fromHex("0505"));
    const auto frames = d.receivedFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1], QByteArray::fromHex("05050000FB"));
}

TEST(SimInput, WrongInputIsLoggedNeverAnsweredAndNeverCrashes) {
    qint64 now = 0;
    SimDevice d([&now] { return now; });
    d.receive("BINARY\r");
    // Unknown command, bad check byte, wrong payload sizes: no reply.
    QByteArray bad = frame::build(12, {});
    bad[bad.size() - 1] = 0;
    EXPECT_TRUE(d.receive(frame::build(99, {})).isEmpty());
    EXPECT_TRUE(d.receive(bad).isEmpty());
    EXPECT_TRUE(d.receive(frame::build(7, QByteArray(3, '\0'))).isEmpty());
    EXPECT_TRUE(d.receive(frame::blockReadRequest(7, 5200, 200)).isEmpty()); // past the area
    EXPECT_TRUE(d.receive("hello\r").isEmpty());
    bool sawBad = false, sawJunk = false, sawNote = false;
    for (const SimLogEntry& e : d.log()) {
        sawBad |= e.type == SimLogEntry::Type::BadFrame;
        sawJunk |= e.type == SimLogEntry::Type::Junk;
        sawNote |= e.type == SimLogEntry::Type::Note && e.note.contains("unknown command 99");
    }
    EXPECT_TRUE(sawBad && sawJunk && sawNote);

    // Random bytes in random chunks, then a normal exchange still works.
    QRandomGenerator rng(460);
    for (int i = 0; i < 2000; ++i) {
        QByteArray chunk(static_cast<int>(rng.bounded(1, 40)), '\0');
        for (char& c : chunk)
            c = static_cast<char>(rng.bounded(256));
        if (i % 7 == 0)
            chunk[0] = 0x05;
        d.receive(chunk);
        now += rng.bounded(0, 30);
    }
    now += 1000;
    const QByteArray reply = d.receive(QByteArray("BINARY\r") + frame::build(5, {}));
    EXPECT_EQ(reply.size(), 1 + 93);
}

TEST(SimCommands, WrongLinesAreRefusedAndChangeNothing) {
    SimDevice d;
    const QByteArray before = d.with([](DeviceModel& m, FaultSet&) { return m.statusBlock(0); });
    const char* bad[] = {"bogus",           "noreply foo",
                         "short 5 bytes=x", "input 0 on",
                         "input 17 on",     "input 1 value 5000",
                         "output 8 on",     "perimeter 5 arm",
                         "key 0102",        "key ZZA2B3C4D5E6F708",
                         "supply 99",       "battery 101",
                         "temp 500",        "gsm x",
                         "gsm 1 32",        "identity hw=1.2",
                         "identity nokey",  "identity id=1,2,3",
                         "writes refuse 0", "silent maybe",
                         "unplug -1",       "password",
                         "inputflags 4"};
    for (const char* line : bad) {
        const SimCommandResult r = RunSimCommand(d, QString::fromLatin1(line));
        EXPECT_FALSE(r.ok) << line;
        EXPECT_FALSE(r.output.isEmpty()) << line;
    }
    EXPECT_EQ(d.with([](DeviceModel& m, FaultSet&) { return m.statusBlock(0); }), before);
    const SimCommandResult help = RunSimCommand(d, QStringLiteral("help"));
    EXPECT_TRUE(help.ok);
    for (const char* word : {"noreply", "short", "badcheck", "badheader", "unplug", "silent",
                             "writes", "password", "key", "input", "supply", "battery", "temp"})
        EXPECT_TRUE(help.output.contains(QLatin1String(word))) << word;
    EXPECT_TRUE(RunSimCommand(d, QStringLiteral("status")).ok);
    EXPECT_TRUE(RunSimCommand(d, QStringLiteral("  # a comment")).ok);
}

} // namespace
