#pragma once
// The main window on rzn460-sim over a real pseudo-terminal, started in an
// empty working directory, for the monitoring and status-command tests.
#include "app/main_window.h"
#include "monitor/main_status_page.h"

#include "support/app_fixture.h"
#include "support/sim_process.h"
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class MonitorSimWindow : public ::testing::Test {
protected:
    void start(const QStringList& simOptions = {}) {
        QString error;
        ASSERT_TRUE(sim.start(simOptions, &error)) << error.toStdString();
        window = std::make_unique<TForm1>(sim.path());
        window->show();
        status = qobject_cast<MainStatusPage*>(window->page(0));
        ASSERT_NE(status, nullptr);
        // The first identification of the monitoring started 500 ms after the
        // window (the port probe at start already shows the port in panel 1).
        ASSERT_TRUE(waitFor([&] {
            return window->statusPanelText(3) == QStringLiteral("Версия устройства считана");
        }));
    }
    void TearDown() override {
        window.reset(); // stops monitoring before the simulator goes
        sim.stop();
    }
    template <typename F> static bool waitFor(F condition, int ms = 10000) {
        return QTest::qWaitFor(condition, ms);
    }
    void simCommand(const QString& line) {
        QString out;
        ASSERT_TRUE(sim.command(line, &out)) << line.toStdString() << ": " << out.toStdString();
    }
    // Command codes of the frames received since the log was last cleared.
    QList<int> commands() const {
        QList<int> out;
        for (const QByteArray& f : sim.receivedFrames())
            out << static_cast<std::uint8_t>(f.at(1));
        return out;
    }

    TempWorkDir dir;
    SimProcess sim;
    std::unique_ptr<TForm1> window;
    MainStatusPage* status = nullptr;
};
