// The COM port dialog from the main window: a port that cannot be opened, a
// free one, cancel, monitoring stopped while the dialog is open, the port kept
// in the settings file; and a port held by another program on a real
// pseudo-terminal.
#include "app/com_port_dialog.h"
#include "app/main_window.h"
#include "app/settings_file.h"

#include "support/app_fixture.h"
#include "support/modal_driver.h"
#include "support/qt_print.h"
#include "support/sim_link_harness.h"
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

// The window on a simulated controller that answers only on "COM3": every
// other name cannot be opened.
class PortDialog : public ::testing::Test {
protected:
    PortDialog() {
        sim.link.setOnlyPort(QStringLiteral("COM3"));
        SetDefaultSerialChannelFactory(sim.link.factory());
    }
    ~PortDialog() override { ResetDefaultSerialChannelFactory(); }

    // Chooses `name` in the open dialog and presses OK; returns the warning
    // box's text, caption and icon, or an empty text when none appeared.
    struct Box {
        QString text, caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };
    static Box choose(TFormCOMPortConfig* dialog, const QString& name) {
        Box box;
        onNextModal(
            [&box, dialog](QWidget* w) {
                auto* mb = qobject_cast<QMessageBox*>(w);
                if (!mb || w == dialog)
                    return;
                box = {mb->text(), mb->windowTitle(), mb->icon()};
                mb->accept();
            },
            3000);
        dialog->ComComboBox1->setCurrentText(name);
        dialog->Button1->click();
        return box;
    }
    int framesNow() const { return static_cast<int>(sim.device.receivedFrames().size()); }

    TempWorkDir dir;
    SimLinkHarness sim;
};

} // namespace

TEST_F(PortDialog, BusyPortKeepsTheDialogOpenUntilAFreeOneIsChosen) {
    TForm1 w;
    w.setPortName(QStringLiteral("COM3"));
    // Let monitoring start, then open the dialog.
    ASSERT_TRUE(QTest::qWaitFor([&] { return framesNow() > 0; }, 5000));

    bool ran = false;
    onNextModal([&](QWidget* m) {
        auto* dialog = qobject_cast<TFormCOMPortConfig*>(m);
        ASSERT_NE(dialog, nullptr);
        ran = true;
        EXPECT_EQ(dialog->windowTitle(), "Выбор COM порта");
        EXPECT_EQ(dialog->ComComboBox1->currentText(), "COM3");
        // Monitoring is stopped: nothing reaches the controller meanwhile.
        const int frames = framesNow();

        const Box busy = choose(dialog, QStringLiteral("COM7"));
        EXPECT_EQ(busy.text,
                  "Не возможно открыть указанный COM порт, возможно он занят другим приложением.");
        EXPECT_EQ(busy.caption, "Выбор COM порта");
        EXPECT_EQ(busy.icon, QMessageBox::Warning);
        EXPECT_EQ(w.statusPanelText(1), "NC");
        EXPECT_TRUE(dialog->isVisible());

        const Box none = choose(dialog, QStringLiteral("COM3"));
        EXPECT_EQ(none.text, "");
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(framesNow(), frames);
    });
    w.ComPortConfigExecute();
    ASSERT_TRUE(ran);
    EXPECT_EQ(w.portName(), "COM3");
    EXPECT_EQ(w.statusPanelText(1), "COM3");

    // Monitoring runs again.
    sim.device.clearLog();
    ASSERT_TRUE(QTest::qWaitFor([&] { return framesNow() >= 2; }, 5000));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return w.statusPanelText(3) == "Версия устройства считана"; }, 5000));

    // The choice is what the settings file keeps at close.
    ASSERT_TRUE(w.close());
    QString stored;
    EXPECT_EQ(settings_file::read(dir.path(settings_file::fileName()), stored), 0);
    EXPECT_EQ(stored, "COM3");
}

TEST_F(PortDialog, CancelKeepsTheNameOfAFailedChoice) {
    TForm1 w;
    w.setPortName(QStringLiteral("COM3"));
    onNextModal([&](QWidget* m) {
        auto* dialog = qobject_cast<TFormCOMPortConfig*>(m);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(choose(dialog, QStringLiteral("/dev/ttyUSB9")).text.isEmpty());
        dialog->Button2->click();
    });
    w.ComPortConfigExecute();
    EXPECT_EQ(w.portName(), "/dev/ttyUSB9");
    EXPECT_EQ(w.statusPanelText(1), "NC");
}

TEST_F(PortDialog, ClosingWithoutAChoiceReportsTheCurrentPort) {
    TForm1 w;
    w.setPortName(QStringLiteral("COM3"));
    w.setStatusPanelText(1, QStringLiteral("NC"));
    onNextModal([](QWidget* m) { m->close(); });
    w.ComPortConfigExecute();
    EXPECT_EQ(w.portName(), "COM3");
    EXPECT_EQ(w.statusPanelText(1), "COM3"); // it can be opened
}

TEST_F(PortDialog, TextsComeFromTheWindowsTables) {
    TForm1 w;
    auto& texts = const_cast<UiTexts&>(w.texts()); // as a language file replaces them
    texts.ComPortDialogTitle = QStringLiteral("Port selection");
    texts.ComPortOpenErrorText = QStringLiteral("Cannot open the port.");
    w.setPortName(QStringLiteral("COM1"));
    Box box;
    QString title;
    onNextModal([&](QWidget* m) {
        auto* dialog = qobject_cast<TFormCOMPortConfig*>(m);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        box = choose(dialog, QStringLiteral("COM8"));
        dialog->reject();
    });
    w.ComPortConfigExecute();
    EXPECT_EQ(title, "Port selection");
    EXPECT_EQ(box.text, "Cannot open the port.");
    EXPECT_EQ(box.caption, "Port selection");
}

TEST(SettingsAtStart, StoredPortIsUsedAndClosingWritesItBack) {
    TempWorkDir dir;
    {
        TForm1 w; // no settings file: COM1, and the file is written at close
        EXPECT_EQ(w.portName(), "COM1");
        ASSERT_TRUE(w.close());
    }
    QString stored;
    ASSERT_EQ(settings_file::read(dir.path(settings_file::fileName()), stored), 0);
    EXPECT_EQ(stored, "COM1");

    ASSERT_EQ(settings_file::write(dir.path(settings_file::fileName()), "COM12"), 0);
    TForm1 w;
    EXPECT_EQ(w.portName(), "COM12");
}

#ifdef Q_OS_UNIX
namespace {
// A pseudo-terminal nobody answers on: a port that exists.
class FreePty {
public:
    FreePty() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0)
            path_ = QString::fromLocal8Bit(ptsname(master_));
    }
    ~FreePty() {
        if (master_ >= 0)
            ::close(master_);
    }
    QString path() const { return path_; }

private:
    int master_ = -1;
    QString path_;
};
} // namespace

TEST(PortDialogOnPty, APortHeldByAnotherProgramCannotBeChosen) {
    ResetDefaultSerialChannelFactory();
    FreePty pty;
    ASSERT_FALSE(pty.path().isEmpty());
    QSerialPort holder;
    holder.setPortName(pty.path());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));

    TFormCOMPortConfig dialog(QStringLiteral("COM1"));
    QSignalSpy states(&dialog, &TFormCOMPortConfig::portStateChanged);
    QString boxText;
    onNextModal([&](QWidget* m) {
        if (auto* mb = qobject_cast<QMessageBox*>(m)) {
            boxText = mb->text();
            mb->accept();
        }
    });
    dialog.ComComboBox1->setCurrentText(pty.path()); // typed: ptys are not listed
    dialog.Button1->click();
    EXPECT_FALSE(boxText.isEmpty());
    ASSERT_EQ(states.count(), 1);
    EXPECT_EQ(states.takeFirst().at(0).toString(), "NC");

    holder.close();
    dialog.show();
    dialog.Button1->click();
    ASSERT_GE(states.count(), 1);
    EXPECT_EQ(states.last().at(0).toString(), pty.path());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // The dialog leaves the port closed: it can be opened again at once.
    QSerialPort after;
    after.setPortName(pty.path());
    EXPECT_TRUE(after.open(QIODevice::ReadWrite));
}
#endif
