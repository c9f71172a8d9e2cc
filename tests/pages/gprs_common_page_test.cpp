// Page 10, common GPRS parameters, on its real controls.
#include "pages/gprs_common_page.h"
#include "pages/ui_texts.h"
#include "support/connection_pages_support.h"
#include "widgets/mask_edit.h"
#include "widgets/select_list.h"
#include "widgets/tri_state_box.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using pagetest::chooseItem;
using pagetest::defaultImage;

enum { Always = 0, Periodic = 1, OnEvent = 2 };

class GprsCommonPageTest : public ::testing::Test {
protected:
    UiTexts texts = UiTexts::russian();
    GprsCommonPage page{texts};
    ConfigImage image = defaultImage();

    void enter() {
        page.prepare(10);
        page.loadPage(image, 10);
    }
    void store() { page.storePage(image, 10); }
    QString period() const { return page.MaskEditConnectingPeriod_x5m->maskedText().trimmed(); }
};

TEST_F(GprsCommonPageTest, DefaultImageLoads) {
    enter();
    EXPECT_EQ(page.ComboBoxGPRSConnectionStrategy->currentText(),
              QStringLiteral("Всегда подключен к серверу"));
    EXPECT_EQ(page.ComboBoxConnectingTryNum->currentText(), QStringLiteral("3"));
    EXPECT_EQ(page.ComboBoxPingPeriod_min->currentText(), QStringLiteral("3 Мин."));
    EXPECT_EQ(page.MaskEditBlockTimeAtConnFault_min->maskedText(), QStringLiteral("  15 Мин."));
    EXPECT_EQ(page.ComboBoxGPRSTranspWaitTime->currentText(), QStringLiteral("10 Мин."));
    EXPECT_EQ(page.MaskEditDNS1->maskedText(), QStringLiteral("  0.  0.  0.  0"));
    EXPECT_FALSE(page.EditAPN->text().isEmpty());
    // Always connected: period and duration are not used.
    EXPECT_EQ(period(), QStringLiteral("5 Мин."));
    EXPECT_FALSE(page.MaskEditConnectingPeriod_x5m->isEnabled());
    EXPECT_FALSE(page.Label147->isEnabled());
    EXPECT_FALSE(page.ComboBoxOnlineTime_min->isEnabled());
    EXPECT_FALSE(page.Label146->isEnabled());
    EXPECT_EQ(page.ComboBoxOnlineTime_min->currentIndex(), 0);
}

TEST_F(GprsCommonPageTest, EntryRefillsTheTimeListsAndShowsTheSources) {
    ASSERT_EQ(page.ComboBoxGPRSTranspWaitTime->count(), 16);
    EXPECT_EQ(page.ComboBoxGPRSTranspWaitTime->itemText(15), QStringLiteral("16 Мин."));
    EXPECT_TRUE(page.CheckBoxMaskGInput[4]->isHidden());
    EXPECT_TRUE(page.CheckBoxMaskGProfile->isHidden());
    image.setBits(2935, 3, 7, 17);
    image.setU8(2934, 4);
    image.setBits(2937, 0, 4, 12);
    for (int round = 0; round < 2; ++round) {
        enter();
        ASSERT_EQ(page.ComboBoxPingPeriod_min->count(), 30);
        EXPECT_EQ(page.ComboBoxPingPeriod_min->itemText(0), QStringLiteral("1 Мин."));
        EXPECT_EQ(page.ComboBoxPingPeriod_min->itemText(29), QStringLiteral("30 Мин."));
        EXPECT_EQ(page.ComboBoxPingPeriod_min->currentText(), QStringLiteral("17 Мин."));
        ASSERT_EQ(page.ComboBoxOnlineTime_min->count(), 31);
        EXPECT_EQ(page.ComboBoxOnlineTime_min->itemText(0), QStringLiteral("0 Мин."));
        EXPECT_EQ(page.ComboBoxOnlineTime_min->currentText(), QStringLiteral("12 Мин."));
    }
    for (QWidget* w : {static_cast<QWidget*>(page.CheckBoxMaskGInput[4]),
                       static_cast<QWidget*>(page.CheckBoxMaskGInput[15]),
                       static_cast<QWidget*>(page.CheckBoxMaskGArm[1]),
                       static_cast<QWidget*>(page.CheckBoxMaskGDisarm[3]),
                       static_cast<QWidget*>(page.CheckBoxMaskGProfile)})
        EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
}

TEST_F(GprsCommonPageTest, PeriodicStrategyMinutes) {
    struct Case {
        const char* typed;
        std::uint8_t stored;
        const char* loaded;
    } cases[] = {
        {"17", 3, "15 Мин."},       {"5", 1, "5 Мин."},         {"1260", 252, "1260 Мин."},
        {"1264", 252, "1260 Мин."}, {"1265", 252, "1260 Мин."}, {"4", 1, "5 Мин."},
        {"", 1, "5 Мин."},          {"9999", 252, "1260 Мин."},
    };
    enter();
    chooseItem(page.ComboBoxGPRSConnectionStrategy, Periodic);
    EXPECT_TRUE(page.MaskEditConnectingPeriod_x5m->isEnabled());
    EXPECT_TRUE(page.ComboBoxOnlineTime_min->isEnabled());
    for (const Case& c : cases) {
        page.MaskEditConnectingPeriod_x5m->setMaskedText(QString::fromLatin1(c.typed));
        store();
        EXPECT_EQ(image.u8(2934), c.stored) << c.typed;
        enter();
        EXPECT_EQ(page.ComboBoxGPRSConnectionStrategy->currentIndex(), Periodic);
        EXPECT_EQ(period(), QString::fromUtf8(c.loaded)) << c.typed;
    }
}

TEST_F(GprsCommonPageTest, MinutesEditsAreLimitedWhenLeft) {
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {{"0", "5 Мин."},   {"4", "5 Мин."},       {"9999", "1260 Мин."},
                 {"17", "17 Мин."}, {"1264", "1264 Мин."}, {"1265", "1260 Мин."}};
    enter();
    chooseItem(page.ComboBoxGPRSConnectionStrategy, Periodic);
    for (const Case& c : cases) {
        page.MaskEditConnectingPeriod_x5m->setMaskedText(QString::fromLatin1(c.typed));
        page.MaskEditConnectingPeriod_x5mExit();
        EXPECT_EQ(period(), QString::fromUtf8(c.shown)) << c.typed;
        page.MaskEditBlockTimeAtConnFault_min->setMaskedText(QString::fromLatin1(c.typed));
        page.MaskEditBlockTimeAtConnFault_minExit();
        EXPECT_EQ(page.MaskEditBlockTimeAtConnFault_min->maskedText().trimmed(),
                  QString::fromUtf8(c.shown))
            << c.typed;
    }
    // A period of 0 becomes 5 on leaving and is stored as 1; 17 stays as typed
    // and is stored as 3.
    page.MaskEditBlockTimeAtConnFault_min->setMaskedText(QStringLiteral("17"));
    page.MaskEditConnectingPeriod_x5m->setMaskedText(QStringLiteral("0"));
    page.MaskEditConnectingPeriod_x5mExit();
    store();
    EXPECT_EQ(image.u8(2934), 1);
    EXPECT_EQ(image.u8(2936), 3);
}

TEST_F(GprsCommonPageTest, StrategyChoiceEnablesItsControls) {
    enter();
    page.ComboBoxOnlineTime_min->setCurrentIndex(7);
    chooseItem(page.ComboBoxGPRSConnectionStrategy, OnEvent);
    EXPECT_FALSE(page.MaskEditConnectingPeriod_x5m->isEnabled());
    EXPECT_TRUE(page.ComboBoxOnlineTime_min->isEnabled());
    EXPECT_TRUE(page.Label146->isEnabled());
    EXPECT_EQ(page.ComboBoxOnlineTime_min->currentIndex(), 7);
    EXPECT_EQ(period(), QStringLiteral("5 Мин."));
    chooseItem(page.ComboBoxGPRSConnectionStrategy, Periodic);
    EXPECT_TRUE(page.Label147->isEnabled());
    EXPECT_EQ(period(), QStringLiteral("5 Мин.")) << "an empty or small period becomes 5";
    page.MaskEditConnectingPeriod_x5m->setMaskedText(QStringLiteral("9999"));
    chooseItem(page.ComboBoxGPRSConnectionStrategy, Periodic);
    EXPECT_EQ(period(), QStringLiteral("1260 Мин."));
    chooseItem(page.ComboBoxGPRSConnectionStrategy, Always);
    EXPECT_EQ(page.ComboBoxOnlineTime_min->currentIndex(), 0);
    EXPECT_FALSE(page.ComboBoxOnlineTime_min->isEnabled());
}

TEST_F(GprsCommonPageTest, AlwaysConnectedStoresFullDuration) {
    enter();
    chooseItem(page.ComboBoxGPRSConnectionStrategy, OnEvent);
    page.ComboBoxOnlineTime_min->setCurrentIndex(9);
    page.ComboBoxPingPeriod_min->setCurrentIndex(29);
    page.ComboBoxConnectingTryNum->setCurrentIndex(6);
    image.setBits(2937, 5, 7, 5);
    store();
    EXPECT_EQ(image.u8(2934), 0);
    EXPECT_EQ(image.bits(2937, 0, 4), 9u);
    EXPECT_EQ(image.u8(2935), 30u << 3 | 7u);
    page.ComboBoxGPRSConnectionStrategy->setCurrentIndex(Always);
    page.ComboBoxOnlineTime_min->setCurrentIndex(4); // whatever the list shows
    store();
    EXPECT_EQ(image.u8(2934), 255);
    EXPECT_EQ(image.bits(2937, 0, 4), 30u);
    EXPECT_EQ(image.bits(2937, 5, 7), 5u) << "bits 5-7 are not the page's";
    enter();
    EXPECT_EQ(page.ComboBoxOnlineTime_min->currentIndex(), 0);
    EXPECT_EQ(period(), QStringLiteral("5 Мин."));
}

TEST_F(GprsCommonPageTest, OnEventIgnoresThePeriodEdit) {
    enter();
    page.ComboBoxGPRSConnectionStrategy->setCurrentIndex(OnEvent);
    page.MaskEditConnectingPeriod_x5m->setMaskedText(QStringLiteral("600"));
    store();
    EXPECT_EQ(image.u8(2934), 0);
    enter();
    EXPECT_EQ(page.ComboBoxGPRSConnectionStrategy->currentIndex(), OnEvent);
}

TEST_F(GprsCommonPageTest, AttemptsAndPingConversions) {
    image.setBits(2935, 0, 2, 0);
    image.setBits(2935, 3, 7, 0);
    enter();
    EXPECT_EQ(page.ComboBoxConnectingTryNum->currentIndex(), 0);
    EXPECT_EQ(page.ComboBoxPingPeriod_min->currentIndex(), 0);
    store();
    EXPECT_EQ(image.u8(2935), 1u << 3 | 1u);
    // Values that have no item come back as loaded.
    image.setBits(2935, 3, 7, 31);
    image.setBits(2937, 0, 4, 31);
    image.setU8(2934, 7);
    enter();
    EXPECT_EQ(page.ComboBoxPingPeriod_min->currentIndex(), -1);
    EXPECT_EQ(page.ComboBoxOnlineTime_min->currentIndex(), -1);
    store();
    EXPECT_EQ(image.bits(2935, 3, 7), 31u);
    EXPECT_EQ(image.bits(2937, 0, 4), 31u);
    EXPECT_EQ(image.u8(2934), 7);
}

TEST_F(GprsCommonPageTest, DnsAddresses) {
    image.setIpv4(2920, 0x08080404u);
    image.setU32(2924, 0);
    enter();
    EXPECT_EQ(page.MaskEditDNS1->maskedText(), QStringLiteral("  8.  8.  4.  4"));
    page.MaskEditDNS1->setCursorPosition(0);
    page.MaskEditDNS1->setMaskedText(QStringLiteral("300.1.2.3"));
    page.MaskEditDNS2->setCursorPosition(0);
    QTest::keyClicks(page.MaskEditDNS2, QStringLiteral("192.168.1.20"));
    store();
    EXPECT_EQ(image.u8(2923), 255);
    EXPECT_EQ(image.u8(2922), 1);
    EXPECT_EQ(image.u8(2921), 2);
    EXPECT_EQ(image.u8(2920), 3);
    EXPECT_EQ(image.u8(2924), 20);
    EXPECT_EQ(image.u8(2927), 192);
    page.MaskEditDNS1->setMaskedText(QString());
    store();
    EXPECT_EQ(image.u32(2920), 0u);
}

TEST_F(GprsCommonPageTest, AccessPointTexts) {
    image.fill(2852, 68, 0x41);
    enter();
    const QString apn = QStringLiteral(" internet.operator.example.ru ab");
    ASSERT_EQ(apn.size(), 32);
    page.EditAPN->setText(apn + QStringLiteral("xyz"));
    EXPECT_EQ(page.EditAPN->text(), apn) << "at most 32 characters";
    page.EditGPRSUserName->setText(QStringLiteral(" user "));
    page.EditGPRSPassword->setText(QStringLiteral("пароль"));
    store();
    EXPECT_EQ(image.text(2852, 33), apn) << "blanks are kept";
    EXPECT_EQ(image.u8(2884), 0);
    EXPECT_EQ(image.text(2885, 17), QStringLiteral(" user "));
    EXPECT_EQ(image.u8(2891), 0);
    EXPECT_EQ(image.u8(2892), 0x41) << "bounded copy: the rest of the field keeps its bytes";
    EXPECT_EQ(image.u8(2902), 0xEF) << "cp1251 'п'";
    EXPECT_EQ(image.u8(2919), 0x41) << "the unused byte";
}

TEST_F(GprsCommonPageTest, DeliveryTimeGoesToAllThreeServers) {
    for (std::size_t off : {2980u, 3024u, 3068u})
        image.setU8(off, 0x9F);
    image.setU8(3024, 0x9E);
    enter();
    chooseItem(page.ComboBoxGPRSTranspWaitTime, 2);
    store();
    EXPECT_EQ(image.u8(2980), 0x2F);
    EXPECT_EQ(image.u8(3024), 0x2E) << "the enable bit of server 2 is kept";
    EXPECT_EQ(image.u8(3068), 0x2F);
}

TEST_F(GprsCommonPageTest, SourceBoxes) {
    image.setU16(2928, 0x8003);
    image.setU16(2930, 0x0002);
    image.setU8(2932, 0b0100'0001);
    image.setU8(2933, 0b1110'1010);
    enter();
    EXPECT_EQ(page.CheckBoxMaskGInput[0]->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(page.CheckBoxMaskGInput[1]->checkState(), Qt::Checked);
    EXPECT_EQ(page.CheckBoxMaskGInput[15]->checkState(), Qt::PartiallyChecked);
    EXPECT_TRUE(page.CheckBoxMaskGArm[0]->isChecked());
    EXPECT_TRUE(page.CheckBoxMaskGDisarm[2]->isChecked());
    EXPECT_TRUE(page.CheckBoxMaskGPwrBlcTermo->isChecked());
    EXPECT_FALSE(page.CheckBoxMaskGRestrictedArm->isChecked());
    EXPECT_FALSE(page.CheckBoxMaskGTest->isChecked());
    EXPECT_FALSE(page.CheckBoxMaskGProfile->isChecked());
    page.CheckBoxMaskGInput[15]->click();
    page.CheckBoxMaskGArm[3]->setChecked(true);
    page.CheckBoxMaskGTest->setChecked(true);
    page.CheckBoxMaskGProfile->setChecked(true);
    page.CheckBoxMaskGPwrBlcTermo->setChecked(false);
    store();
    EXPECT_EQ(image.u16(2928), 0x8003);
    EXPECT_EQ(image.u16(2930), 0x8002);
    EXPECT_EQ(image.u8(2932), 0b0100'1001);
    EXPECT_EQ(image.u8(2933), 0b1111'1100) << "bits 3, 5-7 are kept";
}

TEST_F(GprsCommonPageTest, DefaultsButtonRestoresOnlyTheStrategy) {
    enter();
    chooseItem(page.ComboBoxGPRSConnectionStrategy, Periodic);
    page.MaskEditConnectingPeriod_x5m->setMaskedText(QStringLiteral("100"));
    page.ComboBoxConnectingTryNum->setCurrentIndex(5);
    page.ComboBoxPingPeriod_min->setCurrentIndex(20);
    page.MaskEditBlockTimeAtConnFault_min->setMaskedText(QStringLiteral("60"));
    page.ComboBoxOnlineTime_min->setCurrentIndex(9);
    page.EditAPN->setText(QStringLiteral("my.apn"));
    page.CheckBoxMaskGTest->setChecked(true);
    chooseItem(page.ComboBoxGPRSTranspWaitTime, 0);
    page.Button41->click();
    EXPECT_EQ(image.u8(2934), 255);
    EXPECT_EQ(image.u8(2935), 0x1B);
    EXPECT_EQ(image.u8(2936), 3);
    EXPECT_EQ(image.u8(2937), 3);
    EXPECT_EQ(page.ComboBoxGPRSConnectionStrategy->currentIndex(), Always);
    EXPECT_EQ(page.ComboBoxConnectingTryNum->currentText(), QStringLiteral("3"));
    EXPECT_EQ(page.ComboBoxPingPeriod_min->currentText(), QStringLiteral("3 Мин."));
    EXPECT_EQ(page.MaskEditBlockTimeAtConnFault_min->maskedText().trimmed(),
              QStringLiteral("15 Мин."));
    // The rest of the page keeps the edits, which are now in the image too.
    EXPECT_EQ(page.EditAPN->text(), QStringLiteral("my.apn"));
    EXPECT_EQ(image.text(2852, 33), QStringLiteral("my.apn"));
    EXPECT_TRUE(page.CheckBoxMaskGTest->isChecked());
    EXPECT_EQ(page.ComboBoxGPRSTranspWaitTime->currentIndex(), 0);
}

} // namespace
