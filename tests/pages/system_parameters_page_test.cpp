// Page 55, "Системные параметры": its store and load rules, the cover, the
// device actions it turns off, and its two transfers run from the window
// against the in-memory controller.
#include "app/main_window.h"
#include "config/defaults.h"
#include "config/image_layout.h"
#include "link/serial_channel.h"
#include "link/transaction_messages.h"
#include "pages/system_parameters_page.h"
#include "pages/ui_texts.h"
#include "support/app_fixture.h"
#include "support/operations_trace.h"
#include "support/qt_print.h"
#include "support/sim_link_harness.h"
#include "widgets/select_list.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

constexpr std::size_t kBase = layout::kSystemParametersOffset; // 5304

class SystemParametersPageTest : public ::testing::Test {
protected:
    SystemParametersPageTest() : page(texts) { SetAllDefaults(image); }

    UiTexts texts = UiTexts::russian();
    SystemParametersPage page;
    ConfigImage image;
};

struct CalibrationCase {
    const char* text;
    std::uint32_t stored; // bits 0..16
    const char* shown;    // the edit after the store
};

TEST_F(SystemParametersPageTest, CalibrationTextRules) {
    const CalibrationCase cases[] = {
        {"200000", 131071, "200000"},
        {" 86400 ", 86400, "86400"},
        {"abc", 0, "abc"},
        {"131071", 131071, "131071"},
        {"-1", 131071, "-1"},
        {"", 0, ""},
        {"7", 7, "7"},
    };
    for (const CalibrationCase& c : cases) {
        // Bits 17..31 hold something already: the direction bit and bits no control owns.
        image.setU32(kBase, 0xABCE0000u | 0x1234u);
        page.EditCALVAL->setText(QString::fromUtf8(c.text));
        page.ComboBoxCALDIR->selectIndex(1);
        page.storePage(image, 55);
        EXPECT_EQ(image.u32(kBase) & 0x1FFFFu, c.stored) << c.text;
        EXPECT_EQ(image.u32(kBase) & ~0x1FFFFu, 0xABCE0000u) << c.text;
        EXPECT_EQ(page.EditCALVAL->text(), QString::fromUtf8(c.shown)) << c.text;
    }
}

TEST_F(SystemParametersPageTest, EachControlOwnsOnlyItsBit) {
    image.fill(kBase, 24, 0);
    page.loadPage(image, 55);
    page.ComboBoxCALDIR->selectIndex(1);
    page.storePage(image, 55);
    QByteArray expected(24, '\0');
    expected[2] = 0x02; // bit 1 of byte 5306
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(image.data() + kBase), 24), expected);

    // All bits set around the fields: every store keeps those no control owns.
    image.fill(kBase, 24, 0xFF);
    page.loadPage(image, 55);
    EXPECT_EQ(page.EditCALVAL->text(), QStringLiteral("131071"));
    EXPECT_EQ(page.ComboBoxCALDIR->currentIndex(), 1);
    EXPECT_EQ(page.ComboBoxBatteryType->currentIndex(), 1);
    EXPECT_TRUE(page.CheckBoxFWUpdateEnable->isChecked());
    EXPECT_TRUE(page.CheckBoxCRCCheckDisable->isChecked());
    page.EditCALVAL->setText(QStringLiteral("0"));
    page.ComboBoxCALDIR->selectIndex(0);
    page.ComboBoxBatteryType->selectIndex(0);
    page.CheckBoxFWUpdateEnable->setChecked(false);
    page.CheckBoxCRCCheckDisable->setChecked(false);
    page.storePage(image, 55);
    expected = QByteArray(24, '\xFF');
    expected[0] = 0;
    expected[1] = 0;
    expected[2] = static_cast<char>(0xFC); // bits 0 (value bit 16) and 1 (direction) cleared
    expected[4] = static_cast<char>(0xFE);
    expected[5] = static_cast<char>(0xFE);
    expected[6] = static_cast<char>(0xFE);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(image.data() + kBase), 24), expected);
}

TEST_F(SystemParametersPageTest, StartsCoveredUntilEditingIsAllowed) {
    page.resize(925, 554);
    page.show();
    EXPECT_TRUE(page.Panel13->isVisible());
    EXPECT_FALSE(page.BitBtnProgSysPar->isEnabled());
    EXPECT_TRUE(page.BitBtnReadSysPar->isEnabled());
    EXPECT_EQ(page.Button1->text(), QStringLiteral("Разрешить редактирование"));
    // The cover lies over the controls.
    EXPECT_TRUE(page.Panel13->geometry().intersects(page.EditCALVAL->parentWidget()->geometry()));
    page.Button1->click();
    EXPECT_FALSE(page.Panel13->isVisible());
    EXPECT_FALSE(page.Button1->isEnabled());
    EXPECT_TRUE(page.EditCALVAL->isVisible());
    EXPECT_EQ(page.ProgressBarSysPar->maximum(), 100);
}

// ---------------------------------------------------------------------------
// In the main window, against the in-memory controller.

class SystemParametersInWindow : public ::testing::Test {
protected:
    SystemParametersInWindow() {
        SetDefaultSerialChannelFactory(h.link.factory());
        w = std::make_unique<TForm1>(QString::fromLatin1(SimLinkHarness::kPort));
        w->selectPage(55);
        page = qobject_cast<SystemParametersPage*>(w->page(55));
    }
    ~SystemParametersInWindow() override {
        w.reset();
        ResetDefaultSerialChannelFactory();
    }
    QByteArray imageBlock() const {
        return QByteArray(reinterpret_cast<const char*>(w->configImage().data() + kBase), 24);
    }
    QByteArray deviceBlock() {
        return h.device.with([](DeviceModel& m, FaultSet&) { return m.area(5); });
    }
    void setDeviceBlock(const QByteArray& b) {
        h.device.with([&b](DeviceModel& m, FaultSet&) { m.area(5) = b; });
    }

    TempWorkDir dir;
    SimLinkHarness h;
    std::unique_ptr<TForm1> w;
    SystemParametersPage* page = nullptr;
};

QByteArray sample() {
    QByteArray b(24, '\0');
    for (int i = 0; i < 24; ++i)
        b[i] = static_cast<char>(0x31 + 7 * i);
    return b;
}

TEST_F(SystemParametersInWindow, ThePageTurnsTheDeviceActionsOffWhileShown) {
    ASSERT_NE(page, nullptr);
    for (QAction* a : w->deviceActions())
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_TRUE(w->ReadIMEICode->isEnabled());
    w->selectPage(1);
    for (QAction* a : w->deviceActions())
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
}

TEST_F(SystemParametersInWindow, ReadShowsTheControllersValuesAndEnablesProgramming) {
    const QByteArray values = sample();
    setDeviceBlock(values);
    page->BitBtnReadSysPar->click();
    EXPECT_EQ(DeviceTrace(h.device),
              QStringList({"mode", "id", "mode", "password=", "mode", "read5@0+24"}));
    EXPECT_EQ(imageBlock(), values);
    EXPECT_TRUE(page->BitBtnProgSysPar->isEnabled());
    EXPECT_EQ(page->LabelSysParMsg->text(), QStringLiteral("Данные считаны"));
    EXPECT_EQ(page->LabelSysParMsg->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(page->ProgressBarSysPar->value(), 24);
    EXPECT_EQ(page->EditCALVAL->text(), QString::number(w->configImage().u32(kBase) & 0x1FFFF));
    // The page stays on screen, its actions stay off, the window is free again.
    EXPECT_EQ(w->shownPage(), 55);
    EXPECT_FALSE(w->isBusy());
    EXPECT_FALSE(w->Programm->isEnabled());
}

TEST_F(SystemParametersInWindow, FailedReadKeepsTheBytesAndProgrammingOff) {
    w->configImage().fill(kBase, 24, 0x5A);
    w->LoadPage(55); // the page shows what the image holds
    const QByteArray before = imageBlock();
    setDeviceBlock(sample());
    h.cmd(QStringLiteral("badcheck read"));
    page->BitBtnReadSysPar->click();
    EXPECT_EQ(page->LabelSysParMsg->text(), QStringLiteral("Ошибка передачи данных, код 2"));
    EXPECT_EQ(page->LabelSysParMsg->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(page->BitBtnProgSysPar->isEnabled());
    EXPECT_EQ(imageBlock(), before);
}

TEST_F(SystemParametersInWindow, RefusedPasswordReadsNothing) {
    w->configImage().fill(kBase, 24, 0x5A);
    w->LoadPage(55); // the page shows what the image holds
    const QByteArray before = imageBlock();
    h.cmd(QStringLiteral("password refuse"));
    page->BitBtnReadSysPar->click();
    EXPECT_EQ(DeviceTrace(h.device), QStringList({"mode", "id", "mode", "password="}));
    EXPECT_EQ(page->LabelSysParMsg->text(), DefaultTransactionMessages().at(19));
    EXPECT_EQ(imageBlock(), before);
    EXPECT_FALSE(page->BitBtnProgSysPar->isEnabled());
}

TEST_F(SystemParametersInWindow, ProgrammingSendsBackWhatWasReadChangedOnlyInThePagesFields) {
    QByteArray values = sample();
    values[2] = static_cast<char>(0xF8); // bits 18..23 set, direction and value bit 16 clear
    setDeviceBlock(values);
    page->BitBtnReadSysPar->click();
    ASSERT_TRUE(page->BitBtnProgSysPar->isEnabled());

    page->Button1->click();
    page->EditCALVAL->setText(QStringLiteral(" 86400 "));
    page->ComboBoxCALDIR->selectIndex(1);
    page->CheckBoxCRCCheckDisable->setChecked(!page->CheckBoxCRCCheckDisable->isChecked());
    h.device.clearLog();
    page->BitBtnProgSysPar->click();

    EXPECT_EQ(DeviceTrace(h.device), QStringList({"mode", "id", "mode", "password=", "mode",
                                                  "write5@0+24", "read5@0+24"}));
    QByteArray expected = values;
    const std::uint32_t word =
        (static_cast<std::uint32_t>(static_cast<std::uint8_t>(values[3])) << 24) | (0xF8u << 16);
    const std::uint32_t stored = (word & ~0x3FFFFu) | (1u << 17) | 86400u;
    for (int i = 0; i < 4; ++i)
        expected[i] = static_cast<char>((stored >> (8 * i)) & 0xFF);
    expected[6] = static_cast<char>(values[6] ^ 0x01);
    EXPECT_EQ(deviceBlock(), expected);
    EXPECT_EQ(imageBlock(), expected);
    EXPECT_EQ(page->EditCALVAL->text(), QStringLiteral("86400"));
    EXPECT_EQ(page->LabelSysParMsg->text(), QStringLiteral("Программирование завершено успешно"));
}

TEST_F(SystemParametersInWindow, UnknownVersionIsReportedOnThePageAndUnknownDeviceOnTheRootPage) {
    h.cmd(QStringLiteral("identity fw=01.04"));
    page->BitBtnReadSysPar->click();
    EXPECT_EQ(page->LabelSysParMsg->text(),
              QStringLiteral("Версия KL+T407.01.04 не поддерживается"));
    EXPECT_EQ(DeviceTrace(h.device), QStringList({"mode", "id"}));

    h.cmd(QStringLiteral("identity fw=01.02 name=RZN999"));
    page->BitBtnReadSysPar->click();
    auto* actionName = w->page(0)->findChild<QLabel*>(QStringLiteral("ActionName"));
    ASSERT_NE(actionName, nullptr);
    EXPECT_EQ(actionName->text(), QStringLiteral("Устройство RZN999 не поддерживается"));
    EXPECT_EQ(w->statusPanelText(2), QStringLiteral("KL+T407.01.02"));
}

} // namespace
