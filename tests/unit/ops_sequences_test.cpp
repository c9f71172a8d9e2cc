// The device operations against the simulated controller over the in-memory
// channel, with a host that records what the window would do: the exact
// transaction sequences, the texts and colours, the busy state and monitoring
// around them, the image afterwards, and every failure in the middle.
#include "config/defaults.h"
#include "config/image_layout.h"
#include "link/transaction_messages.h"
#include "ops/configuration_transfers.h"
#include "ops/transfer_steps.h"
#include "support/operations_trace.h"
#include "support/qt_print.h"
#include "support/sim_link_harness.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

namespace T = TransactionText;

QString msg(int index) {
    return DefaultTransactionMessages().at(index);
}

// The window as the operations see it, writing down every call.
class RecordingHost : public OperationHost {
public:
    explicit RecordingHost(SimLinkHarness& h) : h_(h) { SetAllDefaults(image_); }

    QString portName() const override { return QString::fromLatin1(SimLinkHarness::kPort); }
    SerialChannelFactory channelFactory() const override { return h_.link.factory(); }
    ConfigImage& image() override { return image_; }

    void stopMonitoring() override {
        events << QStringLiteral("stop monitoring");
        monitoring = false;
        // Nothing may reach the controller while monitoring still runs.
        EXPECT_EQ(framesNow(), framesWhenMonitoringStarted);
    }
    void startMonitoring() override {
        events << QStringLiteral("start monitoring");
        monitoring = true;
        framesWhenMonitoringStarted = framesNow();
    }
    void selectRootPage() override { events << QStringLiteral("root page"); }
    void setBusy(bool on) override {
        events << (on ? QStringLiteral("busy on") : QStringLiteral("busy off"));
        busy = on;
    }
    void resumeAfter(int ms) override { events << QStringLiteral("resume %1").arg(ms); }
    void showStatus(const QString& text, StatusColour colour) override {
        statusText = text;
        statusColour = colour;
    }
    void showProgress(int position, int maximum) override {
        progress = position;
        progressMax = maximum;
    }
    void showIdentification(const DeviceIdentity& identity) override { shown = identity; }
    void setConfigFileName(const QString& name) override {
        events << QStringLiteral("file ") + name;
    }
    bool clearModesMemory() const override { return clearModes; }
    void reportMisfit(const HardwareFit& fit) override {
        events << QStringLiteral("misfit %1").arg(fit.connection);
        misfitText = fit.message;
    }
    bool factoryResetCountdown() override {
        events << QStringLiteral("countdown");
        EXPECT_TRUE(monitoring) << "the countdown watches the controller through monitoring";
        EXPECT_TRUE(busy);
        return countdown ? countdown() : false;
    }
    void copyToClipboard(const QString& text) override { clipboard = text; }

    int framesNow() const { return static_cast<int>(DeviceTrace(h_.device).size()); }
    QStringList trace() const { return DeviceTrace(h_.device); }

    // The operation ended with the window free again and monitoring running,
    // and nothing reached the controller after monitoring was restarted.
    void expectEpilogue() const {
        EXPECT_FALSE(busy);
        EXPECT_TRUE(monitoring);
        EXPECT_EQ(framesNow(), framesWhenMonitoringStarted);
    }

    QStringList events;
    bool busy = false;
    bool monitoring = true;
    int framesWhenMonitoringStarted = 0;
    QString statusText;
    StatusColour statusColour = StatusColour::Progress;
    int progress = -1, progressMax = -1;
    DeviceIdentity shown;
    bool clearModes = false;
    QString misfitText;
    std::function<bool()> countdown;
    QString clipboard;

private:
    SimLinkHarness& h_;
    ConfigImage image_;
};

class OpsSequences : public ::testing::Test {
protected:
    void sim(const char* line) { h.cmd(QString::fromLatin1(line)); }
    QByteArray deviceArea(int area) {
        return h.device.with([area](DeviceModel& m, FaultSet&) { return m.area(area); });
    }
    QByteArray imageBytes(std::size_t off, std::size_t len) {
        return QByteArray(reinterpret_cast<const char*>(host.image().data() + off),
                          static_cast<qsizetype>(len));
    }
    QByteArray settings() { return imageBytes(0, layout::kSettingsSize); }
    // Puts `password` into the image and into the controller.
    void usePassword(const char* password) {
        host.image().setTextPadded(layout::kAdminPasswordOffset, layout::kAdminPasswordSize,
                                   QString::fromLatin1(password));
        sim((QByteArray("password ") + password).constData());
    }

    SimLinkHarness h;
    RecordingHost host{h};
};

QStringList words(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* w : list)
        out << QString::fromLatin1(w);
    return out;
}

const QStringList kSettingsWrite = BlockWords("write", 1, 5292) + BlockWords("read", 1, 5292);

// ---------------------------------------------------------------------------
// Programming

TEST_F(OpsSequences, ProgramSendsExactlyTheSequenceAndResumesAfterThreeSeconds) {
    usePassword("1234");
    host.image().setU8(100, 0x5A); // something the controller did not have
    ASSERT_TRUE(ops::ProgramConfiguration(host));

    const QStringList expected = words({"mode", "id", "mode", "password=1234", "mode"}) +
                                 kSettingsWrite + words({"mode", "restart"});
    EXPECT_EQ(host.trace(), expected);
    EXPECT_EQ(deviceArea(1), settings());
    EXPECT_EQ(host.statusText, msg(T::RestartStarted));
    EXPECT_EQ(host.statusColour, StatusColour::Success);
    EXPECT_EQ(host.progress, 5292);
    // Busy from the start; monitoring comes back only through the delayed resume.
    EXPECT_EQ(host.events,
              words({"busy on", "stop monitoring", "root page", "busy on", "resume 3000"}));
    EXPECT_TRUE(host.busy);
    EXPECT_EQ(host.shown, ParseDeviceId(DeviceIdBlock::placeholder()));
}

TEST_F(OpsSequences, ProgramWithModeMemoryOptionClearsItBeforeTheRestart) {
    host.clearModes = true;
    host.image().fill(layout::kModesMemoryOffset, layout::kModesMemorySize, 0x33);
    ASSERT_TRUE(ops::ProgramConfiguration(host));

    const QStringList expected = words({"mode", "id", "mode", "password=", "mode"}) +
                                 kSettingsWrite +
                                 words({"mode", "write4@0+10", "read4@0+10", "mode", "restart"});
    EXPECT_EQ(host.trace(), expected);
    const QByteArray modes = QByteArray::fromHex("00004040404040404000");
    EXPECT_EQ(imageBytes(layout::kModesMemoryOffset, layout::kModesMemorySize), modes);
    EXPECT_EQ(deviceArea(4), modes);
}

// A transfer that fails in the middle: its red text stays, nothing is
// restarted, the busy state ends and monitoring resumes at once.
struct MidFailure {
    const char* name;
    const char* fault;
    QString text;
};

std::ostream& operator<<(std::ostream& os, const MidFailure& f) {
    return os << f.name;
}

class ProgramFailure : public OpsSequences, public ::testing::WithParamInterface<MidFailure> {};

TEST_P(ProgramFailure, StopsWithItsTextAndNoRestart) {
    host.clearModes = true;
    host.image().setU8(100, 0x5A); // differs from the controller's settings
    sim(GetParam().fault);
    EXPECT_FALSE(ops::ProgramConfiguration(host));
    EXPECT_EQ(host.statusText, GetParam().text);
    EXPECT_EQ(host.statusColour, StatusColour::Error);
    EXPECT_FALSE(host.trace().contains(QStringLiteral("restart")));
    EXPECT_FALSE(host.events.contains(QStringLiteral("resume 3000")));
    host.expectEpilogue();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ProgramFailure,
    ::testing::Values(
        MidFailure{"silence_in_block_6", "noreply write after=5", msg(T::NoReply)},
        MidFailure{"bad_check_byte_in_read_back", "badcheck read after=7", msg(T::TransferCode2)},
        MidFailure{"refused_block", "writes refuse", msg(T::TransferCode3)},
        MidFailure{"memory_error", "writes refuse 1", msg(T::FlashError)},
        MidFailure{"ignored_writes", "writes ignore", msg(T::Mismatch)},
        MidFailure{"mode_memory_refused", "ackstatus 8 status=3", msg(T::TransferCode3)},
        MidFailure{"silent_controller", "silent on", msg(T::NoReply)},
        MidFailure{"password_refused", "password refuse", msg(T::PasswordRequired)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpsSequences, ProgramStopsAtAConfigurationTheHardwareCannotRun) {
    sim("identity hw=12.02");
    host.image().setBits(layout::kConnectionOffset + 20 + 2 * layout::kConnectionSize, 0, 1, 1);
    EXPECT_FALSE(ops::ProgramConfiguration(host));
    EXPECT_EQ(host.trace(), words({"mode", "id"})); // no password, nothing written
    EXPECT_TRUE(host.events.contains(QStringLiteral("misfit 3")));
    EXPECT_TRUE(host.misfitText.contains(QStringLiteral("\"Соединение 3\"")));
    host.expectEpilogue();
}

TEST_F(OpsSequences, UnsupportedVersionEndsAfterIdentificationInTheIdentificationsColour) {
    sim("identity fw=01.04");
    EXPECT_FALSE(ops::ProgramConfiguration(host));
    EXPECT_EQ(host.trace(), words({"mode", "id"}));
    EXPECT_EQ(host.statusText, QStringLiteral("Версия KL+T407.01.04 не поддерживается"));
    EXPECT_EQ(host.statusColour, StatusColour::Success);
    host.expectEpilogue();
}

// ---------------------------------------------------------------------------
// Reading and comparing

TEST_F(OpsSequences, ReadTakesTheControllersSettingsWhenTheTagIsKnown) {
    h.device.with([](DeviceModel& m, FaultSet&) { m.area(1)[200] = 0x42; });
    host.image().setU8(layout::kModesMemoryOffset, 0x77); // not part of the read
    ASSERT_TRUE(ops::ReadConfiguration(host));
    EXPECT_EQ(host.trace(),
              words({"mode", "id", "mode", "password=", "mode"}) + BlockWords("read", 1, 5292));
    EXPECT_EQ(settings(), deviceArea(1));
    EXPECT_EQ(host.image().u8(layout::kModesMemoryOffset), 0x77);
    EXPECT_EQ(host.statusText, msg(T::DataRead));
    EXPECT_EQ(host.statusColour, StatusColour::Success);
    EXPECT_FALSE(host.events.contains(QStringLiteral("file default.cnt")));
    host.expectEpilogue();
}

TEST_F(OpsSequences, ReadOfAForeignTagFallsBackToTheDefaults) {
    sim("foreign-tag");
    host.image().setU8(300, 0x99); // an edit that the defaults replace
    EXPECT_FALSE(ops::ReadConfiguration(host));
    EXPECT_EQ(settings(), QByteArray(reinterpret_cast<const char*>(DefaultImage().data()), 5292));
    EXPECT_EQ(host.statusText,
              QStringLiteral("Контроллер не содержит достоверную конфигурацию.\nНастройте "
                             "параметры как необходимо и запрограммируйте конфигурацию."));
    EXPECT_EQ(host.statusColour, StatusColour::Error);
    EXPECT_TRUE(host.events.contains(QStringLiteral("file default.cnt")));
    host.expectEpilogue();
}

TEST_F(OpsSequences, FailedReadLeavesTheImageAsItWas) {
    host.image().setU8(300, 0x99);
    const QByteArray before = settings();
    sim("badcheck read after=9");
    EXPECT_FALSE(ops::ReadConfiguration(host));
    EXPECT_EQ(settings(), before);
    EXPECT_EQ(host.statusText, msg(T::TransferCode2));
    EXPECT_EQ(host.statusColour, StatusColour::Error);
    host.expectEpilogue();
}

TEST_F(OpsSequences, FailedReadOfAnImageWithAForeignTagStillResetsIt) {
    host.image().setU8(0, 2); // the image itself carries a tag of another format
    sim("badcheck read");
    EXPECT_FALSE(ops::ReadConfiguration(host));
    EXPECT_EQ(host.image().u8(0), 1);
    EXPECT_EQ(host.statusText, ops::UnknownConfigurationText());
}

TEST_F(OpsSequences, ConfigTagComparesByteZeroAndTheTextUpToItsEnd) {
    ConfigImage image = DefaultImage();
    EXPECT_TRUE(ops::HasKnownConfigTag(image));
    image.setU8(0, 2);
    EXPECT_FALSE(ops::HasKnownConfigTag(image));
    image = DefaultImage();
    image.setTextPadded(1, 8, QStringLiteral("v.01.03"));
    EXPECT_FALSE(ops::HasKnownConfigTag(image));
    image = DefaultImage();
    image.setU8(8, 'X'); // the text no longer ends after "v.01.02"
    EXPECT_FALSE(ops::HasKnownConfigTag(image));
}

TEST_F(OpsSequences, CompareSendsNoPasswordAndReportsBothOutcomes) {
    usePassword("77");
    ASSERT_TRUE(ops::CompareConfiguration(host));
    EXPECT_EQ(host.trace(), words({"mode", "id", "mode"}) + BlockWords("read", 1, 5292));
    EXPECT_EQ(host.statusText, msg(T::DataEqual));
    EXPECT_EQ(host.statusColour, StatusColour::Success);
    host.expectEpilogue();

    host.image().setU8(4000, host.image().u8(4000) ^ 1);
    const QByteArray before = settings();
    EXPECT_FALSE(ops::CompareConfiguration(host));
    EXPECT_EQ(host.statusText, msg(T::DataDiffer));
    EXPECT_EQ(host.statusColour, StatusColour::Error);
    EXPECT_EQ(settings(), before);
}

// ---------------------------------------------------------------------------
// Reconfigure, restart, IMEI

TEST_F(OpsSequences, ReconfigureWritesThenAppliesWithoutRestart) {
    host.clearModes = true;
    ASSERT_TRUE(ops::Reconfigure(host));
    EXPECT_EQ(host.trace(), words({"mode", "id", "mode", "password=", "mode"}) + kSettingsWrite +
                                words({"mode", "write4@0+10", "read4@0+10", "mode", "apply"}));
    // The apply's texts are not shown: the write's outcome stays on screen.
    EXPECT_EQ(host.statusText, msg(T::ProgrammingDone));
    host.expectEpilogue();
}

TEST_F(OpsSequences, ReconfigureNeverAppliesAPartlyWrittenConfiguration) {
    sim("noreply write after=10");
    EXPECT_FALSE(ops::Reconfigure(host));
    const QStringList trace = host.trace();
    EXPECT_FALSE(trace.contains(QStringLiteral("apply")));
    EXPECT_EQ(trace.last(), QStringLiteral("write1@2560+256"));
    EXPECT_EQ(host.statusText, msg(T::NoReply));
    host.expectEpilogue();
}

TEST_F(OpsSequences, ReconfigureAppliesEvenWhenOnlyTheModeMemoryFailed) {
    host.clearModes = true;
    sim("ackstatus 8 status=3");
    EXPECT_TRUE(ops::Reconfigure(host));
    EXPECT_EQ(host.trace().last(), QStringLiteral("apply"));
}

TEST_F(OpsSequences, RestartLogsInRestartsAndResumesLater) {
    usePassword("abc");
    ASSERT_TRUE(ops::RestartController(host));
    EXPECT_EQ(host.trace(), words({"mode", "id", "mode", "password=abc", "mode", "restart"}));
    EXPECT_EQ(host.statusText, msg(T::RestartStarted));
    EXPECT_EQ(host.events.last(), QStringLiteral("resume 3000"));
    EXPECT_TRUE(host.busy);
    EXPECT_EQ(host.shown, ParseDeviceId(DeviceIdBlock::placeholder()));
}

TEST_F(OpsSequences, ImeiGoesToTheClipboard) {
    sim("identity imei=490154203237518");
    ASSERT_TRUE(ops::CopyImei(host));
    EXPECT_EQ(host.clipboard, QStringLiteral("IMEI: 490154203237518"));
    EXPECT_EQ(host.trace(), words({"mode", "id", "mode", "password="}));
    host.expectEpilogue();
}

TEST_F(OpsSequences, ImeiIsNotCopiedWithoutLogIn) {
    sim("password refuse");
    EXPECT_FALSE(ops::CopyImei(host));
    EXPECT_TRUE(host.clipboard.isEmpty());
    EXPECT_EQ(host.statusText, msg(T::PasswordRequired));
    host.expectEpilogue();
}

// ---------------------------------------------------------------------------
// Factory configuration

TEST_F(OpsSequences, FactoryResetWithoutPasswordWritesTheDefaultsAtOnce) {
    host.image().setU8(500, 0xEE);
    host.image().setU8(layout::kSystemParametersOffset, 0x12); // not reset
    host.image().fill(layout::kModesMemoryOffset, layout::kModesMemorySize, 0x33);
    ASSERT_TRUE(ops::RestoreFactoryConfiguration(host));
    EXPECT_EQ(host.trace(), words({"mode", "id", "mode", "password=", "mode"}) + kSettingsWrite +
                                words({"mode", "write4@0+10", "read4@0+10", "mode", "apply"}));
    EXPECT_FALSE(host.events.contains(QStringLiteral("countdown")));
    EXPECT_EQ(settings(), QByteArray(reinterpret_cast<const char*>(DefaultImage().data()), 5292));
    EXPECT_EQ(deviceArea(1), settings());
    EXPECT_EQ(host.image().u8(layout::kSystemParametersOffset), 0x12);
    EXPECT_EQ(deviceArea(4), QByteArray::fromHex("00004040404040404000"));
    host.expectEpilogue();
}

TEST_F(OpsSequences, FactoryResetCancelledCountdownWritesNothing) {
    usePassword("1234");
    host.image().setU8(500, 0xEE);
    const QByteArray before = settings();
    host.countdown = [] { return false; };
    EXPECT_FALSE(ops::RestoreFactoryConfiguration(host));
    EXPECT_EQ(host.trace(), words({"mode", "id", "mode", "password="}));
    EXPECT_EQ(settings(), before);
    EXPECT_EQ(host.events, words({"busy on", "stop monitoring", "root page", "busy on",
                                  "start monitoring", "countdown", "busy off"}));
    EXPECT_TRUE(host.monitoring);
}

TEST_F(OpsSequences, FactoryResetAfterACompletedCountdownWritesTheDefaults) {
    usePassword("1234");
    host.image().setU8(500, 0xEE);
    // A controller that was watched through the whole countdown drops its password.
    host.countdown = [this] {
        sim("password -");
        return true;
    };
    ASSERT_TRUE(ops::RestoreFactoryConfiguration(host));
    EXPECT_EQ(host.events.mid(4, 3), words({"start monitoring", "countdown", "stop monitoring"}));
    EXPECT_EQ(host.trace(), words({"mode", "id", "mode", "password=", "mode"}) + kSettingsWrite +
                                words({"mode", "write4@0+10", "read4@0+10", "mode", "apply"}));
    EXPECT_EQ(deviceArea(1),
              QByteArray(reinterpret_cast<const char*>(DefaultImage().data()), 5292));
    host.expectEpilogue();
}

TEST_F(OpsSequences, FactoryResetWhoseWriteFailsSendsNoModeMemoryAndNoApply) {
    h.device.with([](DeviceModel& m, FaultSet&) { m.area(1)[500] = 0x11; });
    sim("writes ignore");
    EXPECT_FALSE(ops::RestoreFactoryConfiguration(host));
    EXPECT_EQ(host.trace().last(), QStringLiteral("read1@5120+172"));
    EXPECT_EQ(host.statusText, msg(T::Mismatch));
    host.expectEpilogue();
}

// Identification failures end every operation the same way: placeholder shown,
// the transaction's red text kept, nothing more sent.
TEST_F(OpsSequences, EveryOperationEndsAtAFailedIdentification) {
    const std::pair<const char*, std::function<bool(OperationHost&)>> operations[] = {
        {"read", ops::ReadConfiguration},
        {"program", ops::ProgramConfiguration},
        {"compare", ops::CompareConfiguration},
        {"reconfigure", ops::Reconfigure},
        {"restart", ops::RestartController},
        {"imei", ops::CopyImei},
        {"factory", ops::RestoreFactoryConfiguration},
    };
    sim("noreply id");
    for (const auto& [name, run] : operations) {
        h.device.clearLog();
        host.framesWhenMonitoringStarted = 0;
        host.shown = {};
        EXPECT_FALSE(run(host)) << name;
        EXPECT_EQ(host.trace(), words({"mode", "id", "id", "id"})) << name;
        EXPECT_EQ(host.statusText, msg(T::NoReply)) << name;
        EXPECT_EQ(host.shown, ParseDeviceId(DeviceIdBlock::placeholder())) << name;
        host.expectEpilogue();
    }
}

} // namespace
