// The device operations as the user runs them from the main window, against
// rzn460-sim on a real pseudo-terminal: the frames the controller received,
// the status line, the busy state with the delayed resume, the hardware check's
// message box, the clipboard, and the factory reset with its countdown dialog
// watching the live monitoring.
#include "app/main_window.h"
#include "config/defaults.h"
#include "config/image_layout.h"
#include "link/transaction_messages.h"
#include "ops/clear_config_dialog.h"
#include "pages/page.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"
#include "support/operations_trace.h"
#include "support/qt_print.h"
#include "support/sim_process.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

namespace T = TransactionText;

QString msg(int index) {
    return DefaultTransactionMessages().at(index);
}

QStringList words(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* w : list)
        out << QString::fromLatin1(w);
    return out;
}

const QStringList kSettingsWrite = BlockWords("write", 1, 5292) + BlockWords("read", 1, 5292);
const QString kPlaceholderVersion = QStringLiteral("--------.--.--");

class OperationsWindow : public ::testing::Test {
protected:
    // Starts the simulator with `options` and a window on its terminal. The
    // window's monitoring is stopped and the log cleared, so the log then
    // holds exactly what the next operation sends.
    void open(const QStringList& options = {}) {
        QString error;
        ASSERT_TRUE(sim.start(QStringList{"--baud", "0"} + options, &error)) << error.toStdString();
        w = std::make_unique<TForm1>(sim.path());
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        quiet();
    }
    void quiet() {
        w->Timer2->stop();
        w->stopMonitoring();
        sim.clearLog();
    }
    QStringList trace() const { return LogTrace(sim.logLines()); }
    // The operation sent exactly `expected`; anything after it is the
    // monitoring that the operation started again at its end.
    void expectTrace(const QStringList& expected) const {
        const QStringList t = trace();
        EXPECT_EQ(t.mid(0, expected.size()), expected);
        for (const QString& word : t.mid(expected.size()))
            EXPECT_TRUE(word == QLatin1String("mode") || word == QLatin1String("id") ||
                        word == QLatin1String("status"))
                << word.toStdString();
    }
    QLabel* actionName() const {
        return w->page(0)->findChild<QLabel*>(QStringLiteral("ActionName"));
    }
    QColor actionColour() const { return actionName()->palette().color(QPalette::WindowText); }
    QCheckBox* clearSaveArea() const {
        return w->page(0)->findChild<QCheckBox*>(QStringLiteral("CheckBoxClearSaveArea"));
    }
    bool waitUntilFree(int ms = 10000) {
        return QTest::qWaitFor([this] { return !w->isBusy(); }, ms);
    }

    TempWorkDir dir;
    SimProcess sim;
    std::unique_ptr<TForm1> w;
};

TEST_F(OperationsWindow, ProgramRestartsAndKeepsTheWindowBusyUntilTheControllerIsBack) {
    open();
    ASSERT_NE(clearSaveArea(), nullptr);
    clearSaveArea()->setChecked(false);
    w->selectPage(3); // a page that is stored when the operation shows the root page
    w->Programm->trigger();

    expectTrace(words({"mode", "id", "mode", "password=", "mode"}) + kSettingsWrite +
                words({"mode", "restart"}));
    EXPECT_EQ(w->pageIndex(), 0);
    EXPECT_EQ(actionName()->text(), msg(T::RestartStarted));
    EXPECT_EQ(actionColour(), QColor(Qt::blue));
    auto* bar = w->page(0)->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value(), 5292);

    // The controller restarts: dashes, every busy action off, no closing.
    EXPECT_EQ(w->statusPanelText(2), kPlaceholderVersion);
    auto* name = w->page(0)->findChild<QLabel*>(QStringLiteral("iDeviceNameLabel"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("--------"));
    EXPECT_TRUE(w->isBusy());
    for (QAction* a : w->busyActions())
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());

    QElapsedTimer elapsed;
    elapsed.start();
    ASSERT_TRUE(waitUntilFree());
    EXPECT_GE(elapsed.elapsed(), 2500); // the resume waits for the restart
    // Monitoring resumes and identifies the restarted controller.
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return w->statusPanelText(2) == QLatin1String("KL+T407.01.02"); }, 10000));
    EXPECT_EQ(name->text(), QStringLiteral("RZN460"));
}

TEST_F(OperationsWindow, ProgramWithTheModeMemoryOptionWritesAreaFourBeforeTheRestart) {
    open();
    ASSERT_NE(clearSaveArea(), nullptr);
    clearSaveArea()->setChecked(true);
    w->configImage().fill(layout::kModesMemoryOffset, layout::kModesMemorySize, 0x33);
    w->Programm->trigger();
    expectTrace(words({"mode", "id", "mode", "password=", "mode"}) + kSettingsWrite +
                words({"mode", "write4@0+10", "read4@0+10", "mode", "restart"}));
    EXPECT_EQ(w->configImage().u8(layout::kModesMemoryOffset + 2), 0x40);
    ASSERT_TRUE(waitUntilFree());
}

TEST_F(OperationsWindow, FailedWriteShowsItsTextAndFreesTheWindowAtOnce) {
    open({"--cmd", "writes ignore"});
    w->configImage().setU8(1000, w->configImage().u8(1000) ^ 0x10);
    w->Programm->trigger();
    EXPECT_EQ(actionName()->text(), msg(T::Mismatch));
    EXPECT_EQ(actionColour(), QColor(Qt::red));
    EXPECT_FALSE(w->isBusy());
    EXPECT_FALSE(trace().contains(QStringLiteral("restart")));
    EXPECT_NE(w->statusPanelText(2), kPlaceholderVersion);
}

TEST_F(OperationsWindow, ReadWithAForeignTagFallsBackToTheDefaultsAndSaysSo) {
    open({"--foreign-tag"});
    w->setStatusPanelText(0, QStringLiteral("other.cnt"));
    w->configImage().setU8(700, 0xA5);
    w->ReadConf->trigger();
    expectTrace(words({"mode", "id", "mode", "password=", "mode"}) + BlockWords("read", 1, 5292));
    EXPECT_EQ(actionName()->text(),
              QStringLiteral("Контроллер не содержит достоверную конфигурацию.\nНастройте "
                             "параметры как необходимо и запрограммируйте конфигурацию."));
    EXPECT_EQ(actionColour(), QColor(Qt::red));
    EXPECT_EQ(w->statusPanelText(0), QStringLiteral("default.cnt"));
    EXPECT_EQ(w->configImage().u8(700), DefaultImage().u8(700));
    EXPECT_FALSE(w->isBusy());
}

TEST_F(OperationsWindow, ReadOfAGoodConfigurationAndCompareWithoutPassword) {
    open({"--password", "4321"});
    w->configImage().setTextPadded(layout::kAdminPasswordOffset, layout::kAdminPasswordSize,
                                   QStringLiteral("4321"));
    w->configImage().setU8(700, 0xA5);
    w->ReadConf->trigger();
    EXPECT_EQ(actionName()->text(), msg(T::DataRead));
    EXPECT_EQ(actionColour(), QColor(Qt::blue));
    EXPECT_NE(w->configImage().u8(700), 0xA5);
    EXPECT_TRUE(trace().contains(QStringLiteral("password=4321")));

    quiet();
    w->CompareConf->trigger();
    expectTrace(words({"mode", "id", "mode"}) + BlockWords("read", 1, 5292));
    EXPECT_EQ(actionName()->text(), msg(T::DataEqual));
    EXPECT_EQ(actionColour(), QColor(Qt::blue));
}

TEST_F(OperationsWindow, ConfigurationTheHardwareCannotRunIsShownAndNothingIsWritten) {
    open({"--hw", "12.02"});
    w->configImage().setBits(layout::kConnectionOffset + 20 + 4 * layout::kConnectionSize, 0, 1,
                             1); // connection 5: "Kolvex"
    QString caption, text;
    int pageWhenShown = -1;
    onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        pageWhenShown = w->pageIndex();
        box->accept();
    });
    w->Programm->trigger();
    EXPECT_EQ(caption, QStringLiteral("Проверка конфигурации"));
    EXPECT_EQ(text, QStringLiteral("Контроллер аппаратной версии 12.02 не поддерживает функцию "
                                   "передачи данных CSD.\nНа вкладке \"Соединение 5\", установите "
                                   "параметр \"Тип соединения\" в состояние отличное от "
                                   "\"Kolvex\"."));
    EXPECT_EQ(pageWhenShown, 6);
    EXPECT_EQ(w->pageIndex(), 6);
    expectTrace(words({"mode", "id"}));
    EXPECT_FALSE(w->isBusy());
}

TEST_F(OperationsWindow, ImeiReachesTheClipboard) {
    open({"--imei", "490154203237518"});
    QGuiApplication::clipboard()->clear();
    w->ReadIMEICode->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("IMEI: 490154203237518"));
    EXPECT_FALSE(w->isBusy());
}

TEST_F(OperationsWindow, ResetKeepsTheWindowBusyForTheRestart) {
    open();
    w->Reset->trigger();
    expectTrace(words({"mode", "id", "mode", "password=", "mode", "restart"}));
    EXPECT_TRUE(w->isBusy());
    EXPECT_EQ(w->statusPanelText(2), kPlaceholderVersion);
    ASSERT_TRUE(waitUntilFree());
}

// ---------------------------------------------------------------------------
// Factory configuration

TEST_F(OperationsWindow, FactoryResetWithAnAcceptedEmptyPasswordNeedsNoDialog) {
    open();
    // Watches for any dialog while the operation runs (the watcher ends with the test).
    bool dialogShown = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&dialogShown] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            dialogShown = true;
            modal->close();
        }
    });
    watcher.start(10);
    w->configImage().setU8(900, 0x77);
    w->FactoryConfig->trigger();
    EXPECT_FALSE(dialogShown);
    expectTrace(words({"mode", "id", "mode", "password=", "mode"}) + kSettingsWrite +
                words({"mode", "write4@0+10", "read4@0+10", "mode", "apply"}));
    EXPECT_EQ(w->configImage().u8(900), DefaultImage().u8(900));
    EXPECT_EQ(actionName()->text(), msg(T::ProgrammingDone));
    EXPECT_FALSE(w->isBusy());
}

TEST_F(OperationsWindow, FactoryResetCountdownCanBeCancelled) {
    open({"--password", "1234"});
    w->configImage().setU8(900, 0x77);
    QString caption, seconds;
    bool busyMeanwhile = false;
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TFormClearConfig*>(modal);
        ASSERT_NE(dialog, nullptr);
        caption = dialog->windowTitle();
        seconds = dialog->LabelCountDoenSec->text();
        busyMeanwhile = w->isBusy();
        dialog->Button1->click();
    });
    w->FactoryConfig->trigger();
    EXPECT_EQ(caption, QStringLiteral("Сброс конфигурации"));
    EXPECT_EQ(seconds, QStringLiteral("1800 Сек."));
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_FALSE(w->isBusy());
    EXPECT_EQ(trace().mid(0, 4), words({"mode", "id", "mode", "password="}));
    for (const QString& word : trace())
        EXPECT_FALSE(word.startsWith(QLatin1String("write"))) << word.toStdString();
    EXPECT_EQ(w->configImage().u8(900), 0x77);
}

TEST_F(OperationsWindow, FactoryResetCountdownRunsWhileWatchedAndStopsWhenTheControllerIsLost) {
    open({"--password", "1234"});
    w->configImage().setU8(900, 0x77);
    bool stillOpen = false;
    int shownSeconds = 0;
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TFormClearConfig*>(modal);
        ASSERT_NE(dialog, nullptr);
        // Monitoring identifies the controller: the countdown goes on.
        QTest::qWait(3200);
        stillOpen = dialog->isVisible();
        shownSeconds = dialog->LabelCountDoenSec->text().section(QLatin1Char(' '), 0, 0).toInt();
        // The cable is pulled.
        sim.command(QStringLiteral("silent on"));
    });
    w->FactoryConfig->trigger();
    EXPECT_TRUE(stillOpen);
    EXPECT_GT(shownSeconds, 1790);
    EXPECT_LT(shownSeconds, 1800);
    EXPECT_FALSE(w->isBusy());
    for (const QString& word : trace())
        EXPECT_FALSE(word.startsWith(QLatin1String("write"))) << word.toStdString();
    EXPECT_EQ(w->configImage().u8(900), 0x77);
}

TEST_F(OperationsWindow, FactoryResetAfterTheCountdownWritesTheDefaults) {
    open({"--password", "1234"});
    w->configImage().setU8(900, 0x77);
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TFormClearConfig*>(modal);
        ASSERT_NE(dialog, nullptr);
        // The end of a long countdown, after which the controller drops its password.
        sim.command(QStringLiteral("password -"));
        dialog->ProgressBar1->setValue(1);
    });
    w->FactoryConfig->trigger();
    const QStringList t = trace();
    const qsizetype firstWrite = t.indexOf(QStringLiteral("write1@0+256"));
    ASSERT_GE(firstWrite, 0);
    const QStringList expected =
        kSettingsWrite + words({"mode", "write4@0+10", "read4@0+10", "mode", "apply"});
    EXPECT_EQ(t.mid(firstWrite, expected.size()), expected);
    EXPECT_EQ(w->configImage().u8(900), DefaultImage().u8(900));
    EXPECT_FALSE(w->isBusy());
}

} // namespace
