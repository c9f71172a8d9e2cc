// Live monitoring of the simulated controller over a pseudo-terminal: the
// root page shows what the controller's status says, the link can be pulled
// and comes back, and only identifications go out on pages without live
// fields.
#include "monitor/indicator.h"
#include "monitor/status_format.h"
#include "pages/identification_group.h"

#include "support/monitor_sim_window.h"
#include "support/qt_print.h"
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>

namespace {

const QColor kOn(0, 255, 0), kOff(0, 128, 0), kRed(255, 0, 0);

class Monitoring : public MonitorSimWindow {};

} // namespace

TEST_F(Monitoring, RootPageShowsTheControllersStatus) {
    start();
    simCommand("gsm 8 23");
    simCommand("input 3 on");
    simCommand("output 2 on");
    simCommand("perimeter 1 arm");
    simCommand("balance 1234.5");
    ASSERT_TRUE(waitFor([&] { return status->ProgressBarSignalQuality->value() == 23; }));
    ASSERT_TRUE(waitFor([&] { return indicatorColour(status->PanelOut[1]) == kOn; }));
    ASSERT_TRUE(waitFor([&] { return status->PanelPArmDisarmStatus[0]->text() == "ОХРАНА"; }));

    EXPECT_EQ(status->LabelGSMState->text(), "Зарегистрирован в домашней сети");
    EXPECT_EQ(status->LabelBalans->text(), BalanceText(true, 1234.5f));
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(indicatorColour(status->PanelLed[n - 1]), n == 3 ? kOn : kOff) << "input " << n;
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(indicatorColour(status->PanelOut[n - 1]), n == 2 ? kOn : kOff) << "output " << n;
    EXPECT_EQ(indicatorColour(status->PanelPArmDisarmStatus[0]), kRed);
    for (int p = 2; p <= 4; ++p) {
        EXPECT_EQ(status->PanelPArmDisarmStatus[p - 1]->text(), "НАБЛЮДЕНИЕ") << p;
        EXPECT_EQ(indicatorColour(status->PanelPArmDisarmStatus[p - 1]), ButtonFaceColour()) << p;
    }

    const IdentificationGroup* id = status->GroupBoxIdentification;
    EXPECT_EQ(id->iDeviceNameLabel->text(), "RZN460");
    EXPECT_EQ(id->iModificationLabel->text(), "KL+T407");
    EXPECT_EQ(id->iSoftVerLabel->text(), "01.02");
    EXPECT_EQ(window->statusPanelText(1), sim.path());
    EXPECT_EQ(window->statusPanelText(2), "KL+T407.01.02");
    EXPECT_EQ(window->statusPanelText(3), "Версия устройства считана");

    // Live changes reach the page on the following cycles.
    simCommand("gsm 3 0");
    simCommand("balance invalid");
    ASSERT_TRUE(
        waitFor([&] { return status->LabelGSMState->text() == "SIM карта не установлена"; }));
    ASSERT_TRUE(waitFor([&] { return status->LabelBalans->text().isEmpty(); }));
    EXPECT_EQ(status->ProgressBarSignalQuality->value(), 0);
}

TEST_F(Monitoring, ChangingModeBlinks) {
    start({"--arm-delay-ms", "600000"});
    simCommand("perimeter 2 arm");
    QLabel* panel = status->PanelPArmDisarmStatus[1];
    ASSERT_TRUE(waitFor([&] { return panel->text() == "Смена режима"; }));
    // It changes colour from one cycle to the next.
    bool sawRed = false, sawFace = false;
    ASSERT_TRUE(waitFor([&] {
        sawRed = sawRed || indicatorColour(panel) == kRed;
        sawFace = sawFace || indicatorColour(panel) == ButtonFaceColour();
        return sawRed && sawFace;
    }));
}

TEST_F(Monitoring, PullingTheLinkShowsDashesAndNcThenRecovers) {
    start();
    QSignalSpy identified(window.get(), &TForm1::controllerIdentified);
    status->showAction("Программирование завершено успешно", Qt::blue);
    for (const char* fault : {"silent on", "unplug 3"}) {
        simCommand(fault);
        ASSERT_TRUE(waitFor([&] { return window->statusPanelText(1) == "NC"; })) << fault;
        EXPECT_EQ(status->GroupBoxIdentification->iDeviceNameLabel->text(), "--------") << fault;
        EXPECT_EQ(status->GroupBoxIdentification->iSoftVerLabel->text(), "--.--") << fault;
        EXPECT_EQ(window->statusPanelText(3), "Нет ответа от устройства") << fault;
        EXPECT_EQ(status->ActionName->text(), "") << fault;
        EXPECT_EQ(status->ActionName->palette().color(QPalette::WindowText), QColor(Qt::black));
        ASSERT_FALSE(identified.isEmpty());
        EXPECT_FALSE(identified.last().at(0).toBool());

        if (QString::fromLatin1(fault) == "silent on")
            simCommand("silent off");
        ASSERT_TRUE(waitFor([&] { return window->statusPanelText(1) == sim.path(); })) << fault;
        EXPECT_EQ(status->GroupBoxIdentification->iDeviceNameLabel->text(), "RZN460");
        EXPECT_TRUE(identified.last().at(0).toBool());
    }
}

TEST_F(Monitoring, PagesWithoutLiveFieldsOnlyIdentify) {
    start();
    for (int page : {1, 20, 37, 55}) {
        window->selectPage(page);
        QTest::qWait(400); // the cycle that began on the old page ends
        sim.clearLog();
        ASSERT_TRUE(waitFor([&] { return commands().size() >= 3; })) << page;
        const QList<int> sent = commands();
        EXPECT_EQ(sent, QList<int>(sent.size(), 5)) << "page " << page;
    }
    window->selectPage(0);
    QTest::qWait(400);
    sim.clearLog();
    ASSERT_TRUE(waitFor([&] { return commands().count(12) >= 2; }));
}

TEST_F(Monitoring, UnsupportedVersionIsShownInRedAndNotPolled) {
    start({"--fw", "01.04"});
    ASSERT_TRUE(waitFor(
        [&] { return status->ActionName->text() == "Версия KL+T407.01.04 не поддерживается"; }));
    EXPECT_EQ(status->ActionName->palette().color(QPalette::WindowText), QColor(Qt::red));
    sim.clearLog();
    ASSERT_TRUE(waitFor([&] { return commands().size() >= 3; }));
    EXPECT_EQ(commands().count(12), 0);
}

TEST_F(Monitoring, StoppingAndStartingAgain) {
    start();
    window->stopMonitoring();
    sim.clearLog();
    QTest::qWait(600);
    EXPECT_TRUE(commands().isEmpty()); // stopped means silent
    window->startMonitoring();
    window->startMonitoring(); // at most one thread
    ASSERT_TRUE(waitFor([&] { return commands().size() >= 4; }));
    // One thread: identification and status alternate, never two of a kind in a row.
    const QList<int> sent = commands();
    for (int i = 1; i < sent.size(); ++i)
        EXPECT_NE(sent[i], sent[i - 1]) << "frame " << i;
}
