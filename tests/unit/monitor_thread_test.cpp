// The monitoring thread against the in-memory controller: what each cycle
// sends for each page, what it hands to the view, its failure branches, and
// that stopping it never hangs, even while it waits for the UI thread.
#include "monitor/main_panel_control.h"
#include "monitor/status_format.h"
#include "pages/ui_texts.h"

#include "support/qt_print.h"
#include "support/sim_link_harness.h"
#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Records what the thread shows, on the UI thread, and answers its questions.
class RecordingView : public MonitorView {
public:
    void setStatusPanel(int panel, const QString& text) override {
        panels[panel] = text;
        log << QStringLiteral("panel%1=%2").arg(panel).arg(text);
    }
    void showIdentification(const DeviceIdentity& identity) override {
        this->identity = identity;
        log << QStringLiteral("id=") + identity.deviceName;
    }
    void showAction(const QString& text, StatusColour colour) override {
        action = text;
        actionColour = colour;
        log << QStringLiteral("action=") + text;
    }
    void setIdentified(bool identified) override { identifiedCalls << identified; }
    void showRootStatus(const StatusBlock& block, const QStringList& gsmTexts) override {
        root = block;
        gsmText = GsmStateText(gsmTexts, block.gsmState());
        log << QStringLiteral("root");
    }
    void showRootStatusFailed() override { log << QStringLiteral("rootFailed"); }
    void showPcTime() override { log << QStringLiteral("pcTime"); }
    void showControllerTime(const std::array<std::uint8_t, 6>& clock) override {
        controllerTime = ControllerTimeText(clock);
        log << QStringLiteral("controllerTime");
    }
    void showPower(const StatusBlock& block) override {
        battery = block.battery();
        log << QStringLiteral("power");
    }
    void showPowerFailed() override { log << QStringLiteral("powerFailed"); }
    void resetKeyIndicator() override { log << QStringLiteral("keyReset"); }
    void showKeyPasswordRefused() override { log << QStringLiteral("keyRefused"); }
    void showCapturedKey(const QString& code) override { log << QStringLiteral("key=") + code; }
    void showInputReading(int input, std::uint16_t value, bool valid) override {
        log << QStringLiteral("input%1=%2%3").arg(input).arg(value).arg(valid ? "" : " invalid");
    }
    bool editingControllerTime() const override {
        ++questions;
        return editing;
    }
    QByteArray passwordPayload() const override {
        ++questions;
        return password;
    }

    QStringList log;
    QMap<int, QString> panels;
    DeviceIdentity identity;
    QString action = QStringLiteral("untouched");
    StatusColour actionColour = StatusColour::Success;
    QList<bool> identifiedCalls;
    StatusBlock root;
    QString gsmText;
    QString controllerTime;
    int battery = -1;
    bool editing = false;
    QByteArray password = QByteArray("1234\0\0\0\0\0", 9);
    mutable int questions = 0;
};

class MonitorThread : public ::testing::Test {
protected:
    ~MonitorThread() override { stop(); }

    void start(int pageIndex) {
        page = pageIndex;
        thread = std::make_unique<TMainPanelControl>(QString::fromLatin1(SimLinkHarness::kPort),
                                                     view, [this] { return page.load(); });
        thread->setChannelFactory(sim.link.factory());
        thread->setGsmTexts(UiTexts::russian().GsmStateTexts);
        thread->start();
    }
    // Lets `n` more cycles run (the UI thread keeps serving the thread).
    void cycles(int n) {
        const int target = thread->cycles() + n;
        ASSERT_TRUE(QTest::qWaitFor([&] { return thread->cycles() >= target; }, 10000));
    }
    void stop() {
        if (thread) {
            StopMonitorThread(*thread);
            thread.reset();
        }
    }
    // Command codes of the frames the controller received, in order.
    QList<int> commands() const {
        QList<int> out;
        for (const QByteArray& f : sim.device.receivedFrames())
            out << static_cast<std::uint8_t>(f.at(1));
        return out;
    }
    // The valid readings of input n shown so far (the controller's values
    // drift a little around their level).
    QList<int> readings(int n) const {
        QList<int> out;
        const QString prefix = QStringLiteral("input%1=").arg(n);
        for (const QString& line : view.log)
            if (line.startsWith(prefix) && !line.endsWith(QLatin1String("invalid")))
                out << line.mid(prefix.size()).toInt();
        return out;
    }
    QList<QByteArray> framesOf(int command) const {
        QList<QByteArray> out;
        for (const QByteArray& f : sim.device.receivedFrames())
            if (static_cast<std::uint8_t>(f.at(1)) == command)
                out << f;
        return out;
    }

    SimLinkHarness sim;
    RecordingView view;
    std::atomic<int> page{0};
    std::unique_ptr<TMainPanelControl> thread;
};

} // namespace

TEST_F(MonitorThread, RootPageIdentifiesThenReadsTheStatus) {
    sim.cmd("gsm 200 17");
    sim.cmd("perimeter 1 arm");
    start(0);
    cycles(3);
    stop();
    const QList<int> sent = commands();
    ASSERT_GE(sent.size(), 6);
    for (int i = 0; i + 1 < sent.size(); i += 2)
        EXPECT_EQ(sent.mid(i, 2), (QList<int>{5, 12})) << "cycle " << i / 2;

    EXPECT_EQ(view.identity.deviceName, "RZN460");
    EXPECT_EQ(view.panels.value(1), SimLinkHarness::kPort);
    EXPECT_EQ(view.panels.value(3), "Версия устройства считана");
    EXPECT_EQ(view.action, "untouched"); // a supported controller leaves the status line alone
    EXPECT_TRUE(thread == nullptr || !thread->isRunning());
    ASSERT_FALSE(view.identifiedCalls.isEmpty());
    EXPECT_TRUE(view.identifiedCalls.back());
    EXPECT_EQ(view.root.signalLevel(), 17);
    EXPECT_EQ(view.root.perimeterModes() & 0x03, 2);
    EXPECT_EQ(view.gsmText, "Неизвестное состояние GSM модуля");
}

TEST_F(MonitorThread, PagesWithoutLiveFieldsOnlyIdentify) {
    for (int p : {1, 9, 13, 20, 37, 45, 55}) {
        sim.device.clearLog();
        start(p);
        cycles(2);
        stop();
        const QList<int> sent = commands();
        EXPECT_FALSE(sent.isEmpty()) << "page " << p;
        EXPECT_EQ(sent, QList<int>(sent.size(), 5)) << "page " << p;
    }
}

TEST_F(MonitorThread, ClockPageKeepsTheControllerTimeWhileItIsEdited) {
    start(14);
    cycles(2);
    EXPECT_EQ(framesOf(12).size(), framesOf(5).size());
    EXPECT_FALSE(view.controllerTime.isEmpty());

    view.editing = true;
    cycles(1);
    const int reads = static_cast<int>(framesOf(12).size());
    const int pcTimes = static_cast<int>(view.log.count("pcTime"));
    cycles(3);
    stop();
    EXPECT_EQ(framesOf(12).size(), reads);            // no status read while editing
    EXPECT_GE(view.log.count("pcTime"), pcTimes + 3); // the PC clock keeps running
}

TEST_F(MonitorThread, PowerPageShowsTheBatteryOrZeroesAfterAFailedRead) {
    sim.cmd("battery 77");
    start(15);
    cycles(2);
    EXPECT_EQ(view.battery, 77);
    EXPECT_FALSE(view.log.contains("powerFailed"));

    sim.cmd("noreply status");
    cycles(2);
    stop();
    EXPECT_TRUE(view.log.contains("powerFailed"));
    EXPECT_EQ(view.panels.value(3), "Нет ответа от устройства");
}

TEST_F(MonitorThread, PerimeterPageLogsInThenAsksForTheKey) {
    sim.cmd("password 1234");
    sim.cmd("key 01A2B3C4D5E6F708 30");
    start(16);
    cycles(2);
    stop();
    const QList<QByteArray> logins = framesOf(17);
    ASSERT_FALSE(logins.isEmpty());
    EXPECT_EQ(logins.front().mid(4, 9), QByteArray("1234\0\0\0\0\0", 9));
    EXPECT_FALSE(framesOf(14).isEmpty());
    EXPECT_TRUE(view.log.contains("key=01A2B3C4D5E6F708"));
    EXPECT_TRUE(view.log.contains("keyReset"));
}

TEST_F(MonitorThread, RefusedPasswordSendsNoKeyRequest) {
    sim.cmd("password 9999");
    sim.cmd("key 01A2B3C4D5E6F708 30");
    start(17);
    cycles(2);
    stop();
    EXPECT_FALSE(framesOf(17).isEmpty());
    EXPECT_TRUE(framesOf(14).isEmpty());
    EXPECT_TRUE(view.log.contains("keyRefused"));
    EXPECT_FALSE(view.log.filter("key=").size() > 0);
}

TEST_F(MonitorThread, InputPageShowsTheValueOnlyWhenTheControllerVouchesForIt) {
    sim.cmd("input 4 value 2345");
    sim.cmd("inputflags 1"); // status bit 5
    start(24);
    cycles(2);
    ASSERT_FALSE(readings(4).isEmpty());
    EXPECT_NEAR(readings(4).back(), 2345, 4);

    view.log.clear();
    sim.cmd("inputflags 2"); // bit 6 alone, with a battery byte of 0
    sim.cmd("battery 0");
    cycles(2);
    EXPECT_TRUE(view.log.contains("input4=0 invalid"));
    EXPECT_TRUE(readings(4).isEmpty());

    view.log.clear();
    sim.cmd("battery 50"); // bit 6 with a battery counts
    cycles(2);
    ASSERT_FALSE(readings(4).isEmpty());
    EXPECT_NEAR(readings(4).back(), 2345, 4);
    stop();
}

TEST_F(MonitorThread, LostControllerShowsThePlaceholderAndNC) {
    start(0);
    cycles(2);
    sim.cmd("silent on");
    cycles(2);
    EXPECT_EQ(view.identity.deviceName, "--------");
    EXPECT_EQ(view.panels.value(1), "NC");
    EXPECT_EQ(view.panels.value(3), "Нет ответа от устройства");
    EXPECT_EQ(view.action, "");
    EXPECT_EQ(view.actionColour, StatusColour::Progress);
    EXPECT_FALSE(view.identifiedCalls.back());
    EXPECT_FALSE(thread->isIdentified());

    sim.cmd("silent off");
    cycles(2);
    stop();
    EXPECT_EQ(view.identity.deviceName, "RZN460");
    EXPECT_EQ(view.panels.value(1), SimLinkHarness::kPort);
    EXPECT_TRUE(view.identifiedCalls.back());
}

TEST_F(MonitorThread, UnsupportedControllerGetsARedTextAndNoStatusRead) {
    struct Case {
        const char* identity;
        const char* text;
    };
    const Case cases[] = {
        {"fw=01.04", "Версия KL+T407.01.04 не поддерживается"},
        {"name=RZN470", "Устройство RZN470 не поддерживается"},
    };
    for (const Case& c : cases) {
        sim.cmd(QStringLiteral("identity name=RZN460 fw=01.02 ") + c.identity);
        sim.device.clearLog();
        start(0);
        cycles(2);
        stop();
        EXPECT_EQ(view.action, QString::fromUtf8(c.text));
        EXPECT_EQ(view.actionColour, StatusColour::Error);
        EXPECT_TRUE(framesOf(12).isEmpty()) << c.identity;
        EXPECT_TRUE(view.identifiedCalls.back()); // it did answer
    }
}

TEST_F(MonitorThread, AnErrorInACycleIsCaughtAndPollingGoesOn) {
    page = 0;
    thread = std::make_unique<TMainPanelControl>(
        QStringLiteral("COM3"), view, []() -> int { throw std::runtime_error("page table gone"); });
    thread->setChannelFactory(sim.link.factory());
    thread->start();
    cycles(3);
    stop();
    EXPECT_EQ(view.panels.value(3), " COM3 не найден.");
    EXPECT_TRUE(commands().isEmpty());
}

TEST_F(MonitorThread, StopsPromptlyEvenWhileWaitingForTheUiThread) {
    // Pages 14 and 16 ask the UI thread every cycle; the stop must serve the
    // question instead of blocking on it.
    for (int p : {14, 16}) {
        start(p);
        cycles(1);
        QElapsedTimer timer;
        timer.start();
        StopMonitorThread(*thread);
        EXPECT_LT(timer.elapsed(), 2000) << "page " << p;
        EXPECT_TRUE(thread->isFinished());
        thread.reset();
        const auto framesAfterStop = sim.device.receivedFrames().size();
        QTest::qWait(300);
        EXPECT_EQ(sim.device.receivedFrames().size(), framesAfterStop) << "page " << p;
    }
    EXPECT_GT(view.questions, 0);
}

TEST_F(MonitorThread, TheGsmTextsHandedOverAreUsed) {
    QStringList texts = UiTexts::russian().GsmStateTexts;
    texts[8] = QStringLiteral("Registered, home network");
    page = 0;
    thread = std::make_unique<TMainPanelControl>(QString::fromLatin1(SimLinkHarness::kPort), view,
                                                 [this] { return page.load(); });
    thread->setChannelFactory(sim.link.factory());
    thread->setGsmTexts(texts);
    thread->start();
    cycles(2);
    stop();
    EXPECT_EQ(view.gsmText, "Registered, home network");
}
