// The main window's actions, menu, status bar, start-up load, timer and close.
#include "app/about_box.h"
#include "app/application.h"
#include "app/main_window.h"
#include "config/config_file.h"
#include "config/defaults.h"
#include "link/device_id.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"
#include "support/qt_print.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

struct ActionRow {
    const char* name;
    const char* caption;
    const char* hint;
    const char* key;
};

const ActionRow kActionRows[] = {
    {"FileNew1", "", "Установить стандартную конфигурацию", ""},
    {"FileOpen1", "", "Открыть файл конфигурации", ""},
    {"FileSave1", "", "Сохранить текущую конфигурацию в файл", ""},
    {"Programm", "Программировать", "Загрузить конфигурацию в контроллер и перезапустить", "F5"},
    {"ReadConf", "Считать", "Считать конфигурацию контроллера", "F6"},
    {"CompareConf", "Сравнить", "Сравнить текущую конфигурацию с конфигурацией контроллера", "F7"},
    {"Reconfigurate", "Реконфигурировать", "Загрузить конфигурацию в контроллер, без перезапуска",
     "F8"},
    {"Reset", "Перезапустить", "Перезапустить контроллер", "F9"},
    {"ReadIMEICode", "", "", "F10"},
    {"FactoryConfig", "", "", ""},
    {"ComPortConfig", "COM порт...", "Настройка COM порта", ""},
    {"Abaut", "О программе...", "", ""},
};

QStringList menuTexts(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("—") : a->text().section('\t', 0, 0));
    return out;
}

} // namespace

TEST(MainWindow, ActionsCarryCaptionsHintsAndKeys) {
    TempWorkDir dir;
    TForm1 w;
    for (const ActionRow& row : kActionRows) {
        auto* a = w.findChild<QAction*>(row.name);
        ASSERT_NE(a, nullptr) << row.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(row.caption)) << row.name;
        EXPECT_EQ(a->statusTip(), QString::fromUtf8(row.hint)) << row.name;
        if (*row.hint) {
            EXPECT_EQ(a->toolTip(), QString::fromUtf8(row.hint)) << row.name;
        }
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(row.key))) << row.name;
    }
}

TEST(MainWindow, MenuItemsInOrder) {
    TempWorkDir dir;
    TForm1 w;
    const QList<QAction*> tops = w.menuBar()->actions();
    ASSERT_EQ(tops.size(), 4);
    EXPECT_EQ(tops[0]->text(), "Файл");
    EXPECT_EQ(menuTexts(tops[0]->menu()),
              (QStringList{"Установить стандартную конфигурацию", "Открыть файл конфигурации...",
                           "Сохранить текущую конфигурацию в файл...", "—", "Закрыть"}));
    EXPECT_EQ(tops[1]->text(), "Настройка");
    EXPECT_EQ(menuTexts(tops[1]->menu()), QStringList{"COM порт..."});
    EXPECT_EQ(tops[2]->text(), "Контроллер");
    EXPECT_EQ(
        menuTexts(tops[2]->menu()),
        (QStringList{"Программировать", "Считать конфигурацию", "Сравнить конфигурацию", "—",
                     "Считать IMEI контроллера в буфер обмена", "—", "Реконфигурировать",
                     "Перезапустить (Системный сброс)", "Восстановить заводскую конфигурацию"}));
    EXPECT_EQ(tops[3]->text(), "?");
    EXPECT_EQ(menuTexts(tops[3]->menu()), QStringList{"О программе..."});

    // A menu item follows its action's enabled state and runs it.
    QAction* item = tops[0]->menu()->actions().at(0);
    w.FileNew1->setEnabled(false);
    EXPECT_FALSE(item->isEnabled());
    w.FileNew1->setEnabled(true);
    QSignalSpy spy(w.FileNew1, &QAction::triggered);
    item->trigger();
    EXPECT_EQ(spy.count(), 1);
}

TEST(MainWindow, ToolBarButtonsInOrder) {
    TempWorkDir dir;
    TForm1 w;
    auto* bar = w.findChild<QToolBar*>("ToolBar1");
    ASSERT_NE(bar, nullptr);
    QStringList names;
    for (QAction* a : bar->actions())
        names << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
    EXPECT_EQ(names, (QStringList{"FileNew1", "FileOpen1", "FileSave1", "|", "Programm", "ReadConf",
                                  "CompareConf", "|", "Reconfigurate", "Reset"}));
    auto* open = qobject_cast<QToolButton*>(bar->widgetForAction(w.FileOpen1));
    auto* programm = qobject_cast<QToolButton*>(bar->widgetForAction(w.Programm));
    EXPECT_EQ(open->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_EQ(programm->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
}

TEST(MainWindow, StartsOnDefaultsWithoutFiles) {
    TempWorkDir dir;
    TForm1 w;
    EXPECT_EQ(w.windowTitle(), "Конфигуратор GSM контроллера RZN460");
    EXPECT_EQ(w.statusPanelText(0), "default.cnt");
    EXPECT_EQ(w.statusPanelText(1), "NC");
    EXPECT_EQ(w.portName(), "COM1");
    EXPECT_EQ(w.pageIndex(), 0);
    EXPECT_EQ(w.shownPage(), 0);
    EXPECT_EQ(w.startDirectory(), dir.path() + "/");
    ConfigImage expected;
    SetAllDefaults(expected);
    EXPECT_TRUE(w.configImage() == expected);
}

TEST(MainWindow, StartLoadsWorkingFileAndFallsBackSilently) {
    TempWorkDir dir;
    ConfigImage saved;
    SetAllDefaults(saved);
    saved.setU8(100, 0x5A);
    saved.setU8(5291, 0xA5);
    ASSERT_EQ(WriteConfigFile(saved, dir.path("default.cnt")), FileOk);
    {
        TForm1 w;
        EXPECT_EQ(w.configImage().u8(100), 0x5A);
        EXPECT_EQ(w.configImage().u8(5291), 0xA5);
    }
    // A damaged working file: the standard configuration, no message.
    QFile f(dir.path("default.cnt"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(200);
    f.write("\x77", 1);
    f.close();
    TForm1 w;
    ConfigImage expected;
    SetAllDefaults(expected);
    EXPECT_TRUE(w.configImage() == expected);
}

TEST(MainWindow, TimerTickEnablesTheTenActionsOnce) {
    TempWorkDir dir;
    TForm1 w;
    EXPECT_TRUE(w.Timer2->isActive());
    EXPECT_EQ(w.Timer2->interval(), 500);
    for (QAction* a : w.busyActions())
        a->setEnabled(false);
    QTest::qWait(700);
    EXPECT_FALSE(w.Timer2->isActive());
    for (QAction* a : w.busyActions())
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_EQ(w.busyActions().size(), 10);
}

TEST(MainWindow, CloseIsRefusedWhileAnOperationRuns) {
    TempWorkDir dir;
    TForm1 w;
    w.show();
    w.ComPortConfig->setEnabled(false);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(QFile::exists(dir.path("default.cnt")));
    w.ComPortConfig->setEnabled(true);
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(QFile::exists(dir.path("default.cnt")));
}

TEST(MainWindow, CloseWritesWorkingFileWithoutPassword) {
    TempWorkDir dir;
    ConfigImage written;
    {
        TForm1 w;
        w.show();
        w.configImage().setU8(3000, 0x42);
        w.configImage().setTextPadded(20, 9, QStringLiteral("12345678"));
        ASSERT_TRUE(w.close());
        written = w.configImage();
    }
    ConfigImage read;
    ASSERT_EQ(ReadConfigFile(read, dir.path("default.cnt")), FileOk);
    EXPECT_EQ(read.u8(3000), 0x42);
    for (int i = 20; i <= 28; ++i)
        EXPECT_EQ(read.u8(i), 0) << i;
    // Every other settings byte reaches the file as it is.
    for (int i = 0; i < 5292; ++i) {
        if (i < 20 || i > 28) {
            ASSERT_EQ(read.u8(i), written.u8(i)) << i;
        }
    }
}

TEST(MainWindow, StandardDialogsSpeakRussian) {
    ASSERT_TRUE(installRussianTranslation());
    QMessageBox box(QMessageBox::Warning, "x", "y", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), "Да");
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), "Нет");
}

TEST(MainWindow, LongStatusTextsShowTheirEnd) {
    TempWorkDir dir;
    TForm1 w;
    const QString port = "/tmp/some/long/folder/rzn460-sim-0";
    w.setStatusPanelText(1, port);
    EXPECT_EQ(w.statusPanelText(1), port);
    auto* label = w.findChild<QLabel*>("StatusPanel1");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->text().startsWith(QChar(0x2026))) << label->text();
    EXPECT_TRUE(port.endsWith(label->text().mid(1))) << label->text();
    EXPECT_EQ(label->toolTip(), port);
    w.setStatusPanelText(1, "NC");
    EXPECT_EQ(label->text(), "NC");
    EXPECT_TRUE(label->toolTip().isEmpty());
}

TEST(MainWindow, AboutBoxListsTheSupportedVersionsEachTime) {
    TempWorkDir dir;
    TForm1 w;
    for (int round = 0; round < 2; ++round) {
        QString title, name, caption, memo;
        onNextModal([&](QWidget* box) {
            auto* about = qobject_cast<TAboutBox*>(box);
            ASSERT_NE(about, nullptr);
            title = about->windowTitle();
            name = about->Label1->text();
            caption = about->Label2->text();
            memo = about->MemoVersionList->toPlainText();
            about->OKButton->click();
        });
        w.Abaut->trigger();
        EXPECT_EQ(title, "О программе");
        EXPECT_EQ(name, "Конфигуратор GSM контроллера RZN460");
        EXPECT_EQ(caption, "для версий устройства");
        EXPECT_EQ(memo.split('\n'), SupportedVersions());
    }
    EXPECT_EQ(TAboutBox::mailUrl().toString(), "mailto:support@rzn460.example?subject=RZN460");
}
