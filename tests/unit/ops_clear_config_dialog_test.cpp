// The factory-reset countdown dialog: its texts and frame, the full bar at the
// start, each second's tick, and the three ways it ends (countdown run out,
// controller lost by the monitoring, cancelled).
#include "ops/clear_config_dialog.h"
#include "support/qt_print.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(ClearConfigDialog, StartsFullWithItsTexts) {
    TFormClearConfig d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Сброс конфигурации"));
    EXPECT_FALSE(d.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(d.windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_EQ(d.Label1->text(),
              QStringLiteral("Через указанное время будет произведен сброс параметров конфигурации "
                             "к заводским, пароль защиты конфигурации будет сброшен. Не отключайте "
                             "контроллер от PC, связь не должна прерываться, иначе процедуру "
                             "сброса придется повторить сначала."));
    EXPECT_EQ(d.ProgressBar1->maximum(), 1800);
    EXPECT_EQ(d.ProgressBar1->value(), 1800);
    EXPECT_EQ(d.LabelCountDoenSec->text(), QStringLiteral("1800 Сек."));
    EXPECT_EQ(d.Button1->text(), QStringLiteral("Отмена"));
    EXPECT_EQ(d.Timer1->interval(), 1000);
    EXPECT_TRUE(d.Timer1->isActive());
    EXPECT_FALSE(d.completed());
}

TEST(ClearConfigDialog, CountsDownWhileTheControllerIsIdentifiedAndCompletesAtZero) {
    TFormClearConfig d;
    d.show();
    d.controllerIdentified(true);
    d.Timer1Timer();
    d.Timer1Timer();
    EXPECT_EQ(d.ProgressBar1->value(), 1798);
    EXPECT_EQ(d.LabelCountDoenSec->text(), QStringLiteral("1798 Сек."));
    EXPECT_TRUE(d.isVisible());

    d.ProgressBar1->setValue(1);
    d.Timer1Timer(); // 1 -> 0: not yet done
    EXPECT_EQ(d.LabelCountDoenSec->text(), QStringLiteral("0 Сек."));
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(d.completed());
    d.Timer1Timer(); // at 0: completed
    EXPECT_TRUE(d.completed());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST(ClearConfigDialog, ClosesUncompletedWhenMonitoringLosesOrHasNotYetFoundTheController) {
    {
        TFormClearConfig d; // a new monitoring thread has identified nothing yet
        d.show();
        d.Timer1Timer();
        EXPECT_FALSE(d.isVisible());
        EXPECT_FALSE(d.completed());
        EXPECT_EQ(d.ProgressBar1->value(), 1800);
    }
    {
        TFormClearConfig d;
        d.show();
        d.controllerIdentified(true);
        d.Timer1Timer();
        d.controllerIdentified(false); // the cable is pulled
        d.ProgressBar1->setValue(0);   // even at the very end
        d.Timer1Timer();
        EXPECT_FALSE(d.isVisible());
        EXPECT_FALSE(d.completed());
        EXPECT_EQ(d.result(), QDialog::Rejected);
    }
    {
        TFormClearConfig d; // without a monitoring thread nothing is watched
        d.setMonitoringRunning(false);
        d.show();
        d.Timer1Timer();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.ProgressBar1->value(), 1799);
    }
}

TEST(ClearConfigDialog, CancelEndsUncompleted) {
    TFormClearConfig d;
    d.controllerIdentified(true);
    QTimer::singleShot(0, d.Button1, &QPushButton::click);
    EXPECT_EQ(d.exec(), QDialog::Rejected);
    EXPECT_FALSE(d.completed());
}

TEST(ClearConfigDialog, ItsOwnTimerDrivesTheCountdown) {
    TFormClearConfig d;
    d.controllerIdentified(true);
    d.ProgressBar1->setValue(1);
    // Two ticks of the real timer: 1 -> 0, then completed.
    EXPECT_EQ(d.exec(), QDialog::Accepted);
    EXPECT_TRUE(d.completed());
}

} // namespace
