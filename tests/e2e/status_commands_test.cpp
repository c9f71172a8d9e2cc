// The direct commands of the root page against the simulated controller over
// a pseudo-terminal: each button's exact frame, the sequence around it, the
// effect on the controller, and a refused password that sends nothing.
#include "link/frame.h"
#include "monitor/indicator.h"
#include "pages/identification_group.h"

#include "support/monitor_sim_window.h"
#include "support/qt_print.h"
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

class StatusCommands : public MonitorSimWindow {
protected:
    // Presses `button` and returns the frames the controller received for it:
    // from the identification that opens the sequence to the command.
    QList<QByteArray> press(const char* button) {
        auto* b = status->findChild<QPushButton*>(button);
        EXPECT_NE(b, nullptr) << button;
        if (!b)
            return {};
        sim.clearLog();
        b->click(); // runs the whole sequence
        QList<QByteArray> frames;
        for (const QByteArray& f : sim.receivedFrames())
            frames << f;
        // Frames of a monitoring cycle that was still running may come first.
        const auto isCommandSequence = [&](int i) {
            return i + 2 < frames.size() && static_cast<std::uint8_t>(frames[i][1]) == 5 &&
                   static_cast<std::uint8_t>(frames[i + 1][1]) == 17;
        };
        for (int i = 0; i < frames.size(); ++i)
            if (isCommandSequence(i))
                return frames.mid(i, 3);
        return frames;
    }
};

} // namespace

TEST_F(StatusCommands, EveryButtonSendsItsPayloadAfterIdentificationAndLogIn) {
    start({"--baud", "0"});
    struct Case {
        const char* button;
        int out, scen, perim;
        const char* payload;
    };
    std::vector<Case> cases = {
        {"Button20", 1, 13, 0, "020110"},
        {"Button23", 0, 0, 2, "000200"},
        {"Button24", 0, 0, 2, "010200"},
        {"Button33", 0, 0, 0, "040800"},
    };
    const char* on[7] = {"Button4",  "Button6",  "Button8", "Button10",
                         "Button12", "Button14", "Button16"};
    const char* off[7] = {"Button5",  "Button7",  "Button9", "Button11",
                          "Button13", "Button15", "Button17"};
    for (int row = 0; row < 7; ++row) {
        cases.push_back({on[row], 0, 0, 0, nullptr});
        cases.push_back({off[row], 0, 0, 0, nullptr});
    }
    for (const Case& c : cases) {
        status->ComboBoxTestOut->setCurrentIndex(c.out);
        status->ComboBoxTestScen->setCurrentIndex(c.scen);
        status->ComboBoxSelectedPerim->setCurrentIndex(c.perim);
        QByteArray payload;
        if (c.payload) {
            payload = QByteArray::fromHex(c.payload);
        } else {
            const QString name = QString::fromLatin1(c.button);
            const int number = name.mid(6).toInt(); // ButtonN
            payload = QByteArray::fromHex(QStringLiteral("02%1%2")
                                              .arg((number - 4) / 2, 2, 10, QLatin1Char('0'))
                                              .arg(number % 2 == 0 ? 1 : 2, 2, 10, QLatin1Char('0'))
                                              .toLatin1());
        }
        const QList<QByteArray> frames = press(c.button);
        ASSERT_EQ(frames.size(), 3) << c.button;
        EXPECT_EQ(frames[0], frame::build(5, {})) << c.button;
        EXPECT_EQ(frames[1], frame::build(17, QByteArray(9, '\0'))) << c.button; // no password set
        EXPECT_EQ(frames[2], frame::build(20, payload)) << c.button;
        EXPECT_EQ(window->statusPanelText(3), "Данные переданы") << c.button;
        EXPECT_FALSE(window->isBusy()) << c.button;
    }
    // "Вкл." of the third row, byte for byte with its check byte.
    EXPECT_EQ(press("Button8").value(2), QByteArray::fromHex("05140300020201EA"));
    EXPECT_EQ(press("Button9").value(2).mid(4, 3), QByteArray::fromHex("020202"));
}

TEST_F(StatusCommands, InputSimulationButtonsAndTheControllersAnswer) {
    start({"--baud", "0"});
    for (int n = 1; n <= 16; ++n) {
        const QByteArray name = "Button" + QByteArray::number(24 + n);
        const QList<QByteArray> frames = press(name.constData());
        ASSERT_EQ(frames.size(), 3) << n;
        EXPECT_EQ(frames[2], frame::build(20, QByteArray::fromHex("04") + char(n - 1) + '\0')) << n;
    }
    // A command acts on the controller, and monitoring, restarted, shows it.
    press("Button4"); // relay 1 on
    ASSERT_TRUE(waitFor([&] { return indicatorColour(status->PanelOut[0]) == QColor(0, 255, 0); }));
    press("Button5");
    ASSERT_TRUE(waitFor([&] { return indicatorColour(status->PanelOut[0]) == QColor(0, 128, 0); }));
}

TEST_F(StatusCommands, PasswordOfTheImageIsSent) {
    start({"--baud", "0", "--password", "4321"});
    window->configImage().setTextPadded(20, 9, QStringLiteral("4321"));
    const QList<QByteArray> frames = press("Button23");
    ASSERT_EQ(frames.size(), 3);
    EXPECT_EQ(frames[1], frame::build(17, QByteArray("4321\0\0\0\0\0", 9)));
    EXPECT_EQ(window->statusPanelText(3), "Данные переданы");
}

TEST_F(StatusCommands, RefusedPasswordSendsNoCommand) {
    start({"--baud", "0", "--password", "4321"}); // the image has no password
    sim.clearLog();
    status->findChild<QPushButton*>("Button23")->click();
    EXPECT_EQ(status->ActionName->text(),
              "Взаимодействие запрещено без указания пароля, команды чтения/записи и ряд "
              "управляющих команд не могут быть выполнены");
    EXPECT_EQ(status->ActionName->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(window->isBusy());
    EXPECT_EQ(commands().count(20), 0);
    EXPECT_GE(commands().count(17), 1);
    // Monitoring goes on.
    sim.clearLog();
    ASSERT_TRUE(waitFor([&] { return commands().count(5) >= 2; }));
}

TEST_F(StatusCommands, NoControllerNoCommand) {
    start({"--baud", "0"});
    simCommand("silent on");
    sim.clearLog();
    status->findChild<QPushButton*>("Button4")->click();
    EXPECT_EQ(status->ActionName->text(), "Нет ответа от устройства");
    EXPECT_EQ(status->GroupBoxIdentification->iDeviceNameLabel->text(), "--------");
    EXPECT_EQ(commands().count(17), 0);
    EXPECT_EQ(commands().count(20), 0);
    EXPECT_FALSE(window->isBusy());
}

TEST_F(StatusCommands, CommandRefusedByTheControllerShowsItsText) {
    start({"--baud", "0"});
    simCommand("ackstatus control status=3");
    status->findChild<QPushButton*>("Button4")->click();
    EXPECT_EQ(window->statusPanelText(3), "Ошибка передачи данных, код 3");
}
