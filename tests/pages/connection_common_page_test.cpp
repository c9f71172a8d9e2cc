// Page 1, common connection parameters, on its real controls.
#include "pages/connection_common_page.h"
#include "pages/ui_texts.h"
#include "support/connection_pages_support.h"
#include "widgets/mask_edit.h"
#include "widgets/select_list.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

using pagetest::defaultImage;

class ConnectionCommonPageTest : public ::testing::Test {
protected:
    UiTexts texts = UiTexts::russian();
    ConnectionCommonPage page{texts};
    ConfigImage image = defaultImage();

    void load() { page.loadPage(image, 1); }
    void store() { page.storePage(image, 1); }
};

TEST_F(ConnectionCommonPageTest, ControlsCarryTheirNames) {
    EXPECT_EQ(page.objectName(), QStringLiteral("Panel1"));
    ASSERT_NE(page.titleLabel(), nullptr);
    EXPECT_EQ(page.titleLabel()->objectName(), QStringLiteral("Label15"));
    for (const FieldSpec& f : ConnectionCommonPage::fieldSpecs())
        EXPECT_NE(page.findChild<QWidget*>(QString::fromLatin1(f.control)), nullptr) << f.control;
    EXPECT_EQ(page.MaskEditSysPassword->editMask(), QStringLiteral("aaaaaaaa;1; "));
    EXPECT_EQ(page.MaskEditPIN->editMask(), QStringLiteral("99999999;1; "));
    EXPECT_EQ(page.MaskEditDTMFPass->editMask(), QStringLiteral("9999;1; "));
    EXPECT_EQ(page.MaskEditSMSCA->editMask(), QStringLiteral("#99999999999999;1; "));
    EXPECT_EQ(page.MaskEditBalansIdWord->maxLength(), 8);
    EXPECT_EQ(page.EditBalansMinVal->maxLength(), 5);
    EXPECT_EQ(page.EditReqPeriodH->maxLength(), 3);
    EXPECT_TRUE(page.EditModBusAddress->isHidden());
    EXPECT_FALSE(page.GroupBoxOutDataParam->isHidden());
}

TEST_F(ConnectionCommonPageTest, DefaultImageLoads) {
    load();
    EXPECT_EQ(page.MaskEditDTMFPass->maskedText().trimmed(), QStringLiteral("9630"));
    EXPECT_EQ(page.MaskEditPassword->maskedText().trimmed(), QStringLiteral("rilo"));
    EXPECT_EQ(page.ComboBoxCall2CallPauseX10S->currentText(), QStringLiteral("10"));
    EXPECT_TRUE(page.CheckBoxACK->isChecked());
    EXPECT_TRUE(page.CheckBoxControlOnlyList->isChecked());
    EXPECT_TRUE(page.CheckBoxDTMFControlOnlyList->isChecked());
    EXPECT_EQ(page.ComboBoxDialPriority->currentIndex(), 0);
    EXPECT_EQ(page.ComboBoxOutdatedMsgTime->currentText(), QStringLiteral("30 Min."));
    EXPECT_EQ(page.ComboBoxDATAProtocol->currentText(), QStringLiteral("V.110 (9600 bps)"));
    EXPECT_EQ(page.EditModBusAddress->text(), QStringLiteral("1"));
    EXPECT_EQ(page.EditBalansMinVal->text(), QStringLiteral("0"));
}

TEST_F(ConnectionCommonPageTest, StoresEveryFlagAndList) {
    load();
    page.CheckBoxACK->setChecked(false);
    page.CheckBoxControlOnlyList->setChecked(true);
    page.CheckBoxDTMFControlOnlyList->setChecked(false);
    page.ComboBoxDialPriority->setCurrentIndex(3);
    page.ComboBoxCall2CallPauseX10S->setCurrentIndex(6);
    page.ComboBoxOutdatedMsgTime->setCurrentIndex(4);
    page.ComboBoxDATAProtocol->setCurrentIndex(0);
    image.setBits(13, 5, 7, 0b101);
    store();
    EXPECT_EQ(image.u8(12), 0b11'0'1'0'110);
    EXPECT_EQ(image.u8(13), 0b101'0'0100) << "bits 5-7 of byte 13 are not the page's";
}

TEST_F(ConnectionCommonPageTest, EveryOutdatedTimeValueHasAnItem) {
    ASSERT_EQ(page.ComboBoxOutdatedMsgTime->count(), 16);
    EXPECT_EQ(page.ComboBoxOutdatedMsgTime->itemText(0), QStringLiteral("---"));
    EXPECT_EQ(page.ComboBoxOutdatedMsgTime->itemText(1), QStringLiteral("2 Min."));
    for (unsigned v = 0; v < 16; ++v) {
        image.setBits(13, 0, 3, v);
        load();
        EXPECT_EQ(page.ComboBoxOutdatedMsgTime->currentIndex(), int(v));
        store();
        EXPECT_EQ(image.bits(13, 0, 3), v);
    }
}

TEST_F(ConnectionCommonPageTest, UncheckedAdministrativePasswordIsDiscarded) {
    image.setTextPadded(20, 9, QStringLiteral("secret"));
    load();
    EXPECT_EQ(page.MaskEditSysPassword->maskedText().trimmed(), QStringLiteral("secret"))
        << "the loaded password is shown";
    EXPECT_FALSE(page.MaskEditSysPassword->isEnabled());
    EXPECT_FALSE(page.Label84->isEnabled());
    store();
    for (std::size_t i = 20; i <= 28; ++i)
        EXPECT_EQ(image.u8(i), 0) << i;
    EXPECT_EQ(page.MaskEditSysPassword->maskedText().trimmed(), QString());
}

TEST_F(ConnectionCommonPageTest, CheckedAdministrativePasswordIsStored) {
    load();
    EXPECT_TRUE(page.LabelSharedParWarningMsg->text().isEmpty());
    page.CheckBoxSysPassword->click();
    EXPECT_TRUE(page.MaskEditSysPassword->isEnabled());
    EXPECT_TRUE(page.Label84->isEnabled());
    EXPECT_TRUE(page.LabelSharedParWarningMsg->text().startsWith(
        QStringLiteral("Административный пароль необходим")));
    page.MaskEditSysPassword->setCursorPosition(0);
    pagetest::typeText(page.MaskEditSysPassword, QStringLiteral("Ключ2024x"));
    store();
    EXPECT_EQ(image.text(20, 9), QStringLiteral("Ключ2024"));
    EXPECT_EQ(image.u8(28), 0);
    // Unchecking disables the edit; the warning stays.
    page.CheckBoxSysPassword->click();
    EXPECT_FALSE(page.MaskEditSysPassword->isEnabled());
    EXPECT_FALSE(page.LabelSharedParWarningMsg->text().isEmpty());
}

TEST_F(ConnectionCommonPageTest, TextsAreTrimmedCutAndCleaned) {
    image.fill(67, 1, 0x5A); // last byte of the SMS-centre field
    image.setU8(68, 0x77);   // first byte of connection 1
    load();
    page.MaskEditSMSCA->setMaskedText(QStringLiteral("+7 912 345 67 8"));
    page.MaskEditPIN->setMaskedText(QStringLiteral("1234"));
    page.MaskEditDTMFPass->setMaskedText(QStringLiteral("12"));
    page.MaskEditBalansReqCMD->setMaskedText(QStringLiteral(" *100# "));
    page.MaskEditBalansIdWord->setMaskedText(QStringLiteral(" Баланс "));
    store();
    EXPECT_EQ(image.text(52, 16), QStringLiteral("+7912345678"));
    EXPECT_EQ(image.u8(67), 0);
    EXPECT_EQ(image.u8(68), 0x77) << "the connection record after the field is not touched";
    EXPECT_EQ(image.text(29, 9), QStringLiteral("1234"));
    EXPECT_EQ(image.text(38, 5), QStringLiteral("12"));
    EXPECT_EQ(image.u8(42), 0);
    EXPECT_EQ(image.text(2820, 9), QStringLiteral("*100#"));
    EXPECT_EQ(image.text(2829, 9), QStringLiteral("Баланс ")) << "trailing blank kept";
    EXPECT_EQ(image.u8(2836), 0);
}

TEST_F(ConnectionCommonPageTest, UnterminatedPasswordFieldIsCutToEightCharacters) {
    for (std::size_t i = 43; i <= 51; ++i)
        image.setU8(i, std::uint8_t('A' + (i - 43)));
    load();
    EXPECT_EQ(page.MaskEditPassword->maskedText(), QStringLiteral("ABCDEFGH"));
    store();
    EXPECT_EQ(image.text(43, 9), QStringLiteral("ABCDEFGH"));
    EXPECT_EQ(image.u8(51), 0);
}

TEST_F(ConnectionCommonPageTest, BalanceNumbers) {
    struct Case {
        const char* minValue;
        unsigned stored16;
        const char* period;
        unsigned stored8;
    } cases[] = {
        {"70000", 65535, "300", 255}, {"abc", 0, "x", 0},  {"-1", 65535, "-5", 251},
        {" 500 ", 500, " 24", 24},    {"", 0, "255", 255},
    };
    load();
    for (const Case& c : cases) {
        page.EditBalansMinVal->setText(QString::fromUtf8(c.minValue));
        page.EditReqPeriodH->setText(QString::fromUtf8(c.period));
        store();
        EXPECT_EQ(image.u16(2838), c.stored16) << c.minValue;
        EXPECT_EQ(image.u8(2840), c.stored8) << c.period;
    }
    page.EditBalansMinVal->setText(QStringLiteral("-1"));
    store();
    load();
    EXPECT_EQ(page.EditBalansMinVal->text(), QStringLiteral("65535"));
}

TEST_F(ConnectionCommonPageTest, HiddenModbusAddress) {
    image.setU8(14, 0);
    load();
    EXPECT_EQ(page.EditModBusAddress->text(), QStringLiteral("0"));
    store();
    EXPECT_EQ(image.u8(14), 1);
    for (auto [text, stored] : {std::pair{"999", 247}, {"247", 247}, {"abc", 1}, {" 17 ", 17}}) {
        page.EditModBusAddress->setText(QString::fromLatin1(text));
        store();
        EXPECT_EQ(image.u8(14), stored) << text;
    }
}

TEST_F(ConnectionCommonPageTest, ModbusAddressIsLimitedWhenTheEditIsLeft) {
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {{"999", "247"}, {"0", "1"}, {"abc", "1"}, {" 12 ", "12"}, {"-4", "1"}};
    for (const Case& c : cases) {
        page.EditModBusAddress->setText(QString::fromLatin1(c.typed));
        page.EditModBusAddressExit();
        EXPECT_EQ(page.EditModBusAddress->text(), QString::fromLatin1(c.shown)) << c.typed;
    }
}

TEST_F(ConnectionCommonPageTest, BalanceTemplates) {
    struct Case {
        QRadioButton* button;
        const char* command;
        const char* keyWord;
    } cases[] = {{page.RadioButton1, "*100#", "Баланс:"},
                 {page.RadioButton2, "*102#", "Баланс "},
                 {page.RadioButton3, "*100#", ""},
                 {page.RadioButton4, "*105#", "OCTATOK "}};
    for (const Case& c : cases) {
        page.EditBalansMinVal->setText(QStringLiteral("77"));
        c.button->click();
        EXPECT_EQ(page.MaskEditBalansReqCMD->maskedText(), QString::fromUtf8(c.command));
        EXPECT_EQ(page.MaskEditBalansIdWord->maskedText(), QString::fromUtf8(c.keyWord));
        EXPECT_EQ(page.EditBalansMinVal->text(), QStringLiteral("77")) << "nothing else changes";
    }
    EXPECT_EQ(page.RadioButton4->text(), QStringLiteral("Теле 2"));
}

} // namespace
