// Pages 2..9, connections 1-8, on their real controls.
#include "pages/connection_page.h"
#include "pages/ui_texts.h"
#include "support/connection_pages_support.h"
#include "widgets/mask_edit.h"
#include "widgets/select_list.h"
#include "widgets/tri_state_box.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using pagetest::chooseItem;
using pagetest::defaultImage;

class ConnectionPageTest : public ::testing::Test {
protected:
    UiTexts texts = UiTexts::russian();
    ConnectionPage page{texts};
    ConfigImage image = defaultImage();

    void enter(int pageIndex) {
        page.prepare(pageIndex);
        page.loadPage(image, pageIndex);
    }
    QCheckBox* box(const char* name) { return pagetest::child<QCheckBox>(&page, name); }
};

TEST_F(ConnectionPageTest, ListsBuiltAtStart) {
    ASSERT_EQ(page.ComboBoxOnLineTime->count(), 62);
    EXPECT_EQ(page.ComboBoxOnLineTime->itemText(0), QStringLiteral("По длине сообщения"));
    EXPECT_EQ(page.ComboBoxOnLineTime->itemText(1), QStringLiteral("Задается DTMF упр."));
    EXPECT_EQ(page.ComboBoxOnLineTime->itemText(2), QStringLiteral("2 Sec."));
    EXPECT_EQ(page.ComboBoxOnLineTime->itemText(61), QStringLiteral("61 Sec."));
    for (SelectList* l : {page.ComboBoxDialTranspWaitTime, page.ComboBoxSMSTranspWaitTime}) {
        ASSERT_EQ(l->count(), 16);
        EXPECT_EQ(l->itemText(0), QStringLiteral("1 Min."));
        EXPECT_EQ(l->itemText(15), QStringLiteral("16 Min."));
    }
    EXPECT_EQ(page.ComboBoxLang->count(), 4);
    EXPECT_EQ(page.ComboBoxLang->itemText(3), QStringLiteral("zWatch"));
    EXPECT_EQ(page.ComboBoxIncomungCallAction->count(), 3);
    EXPECT_EQ(page.ComboBoxICToOUOutN->itemText(6), QStringLiteral("Выход 5"));
    ASSERT_EQ(page.ComboBoxICToOUScnN->count(), 17);
    EXPECT_EQ(page.ComboBoxICToOUScnN->itemText(0), QStringLiteral("нет реакции"));
    EXPECT_EQ(page.ComboBoxICToOUScnN->itemText(16), QStringLiteral("сценарий 14"));
    EXPECT_EQ(page.CheckBoxMaskDArm[0]->text(), QStringLiteral("ОХРАНА 1"));
    EXPECT_EQ(page.CheckBoxMaskSDisarm[0]->text(), QStringLiteral("НАБЛЮДЕНИЕ 1"));
}

TEST_F(ConnectionPageTest, EntryShowsTheControlsOfTheFullController) {
    const char* shown[] = {"Label85",
                           "ComboBoxTransportPriority",
                           "GroupBoxInCallToOutsAction",
                           "CheckBoxMaskDInput5",
                           "CheckBoxMaskDInput16",
                           "CheckBoxMaskSInput5",
                           "CheckBoxMaskSInput16",
                           "LabelConnType",
                           "ComboBoxConnectionType",
                           "CheckBoxJointUse",
                           "CheckBoxMaskSProfile",
                           "CheckBoxMaskDArm2",
                           "CheckBoxMaskDDisarm4",
                           "CheckBoxMaskSArm3",
                           "CheckBoxMaskSDisarm2"};
    for (const char* name : shown)
        EXPECT_TRUE(pagetest::child<QWidget>(&page, name)->isHidden()) << name;
    page.GroupBoxConSharD->setTitle(QStringLiteral("x"));
    page.LabelProtocolAlias->setText(QStringLiteral("y"));
    page.prepare(2);
    for (const char* name : shown)
        EXPECT_FALSE(pagetest::child<QWidget>(&page, name)->isHidden()) << name;
    for (const char* name : {"CheckBoxMaskCRestrictedArm", "CheckBoxMaskDGPS",
                             "CheckBoxMaskSRestrictedArm", "CheckBoxMaskSGPS"})
        EXPECT_TRUE(pagetest::child<QWidget>(&page, name)->isHidden()) << name;
    EXPECT_EQ(page.GroupBoxConSharD->title(),
              QStringLiteral(" Голосовое оповещение или вызов типа DATA "));
    EXPECT_EQ(page.LabelProtocolAlias->text(), QStringLiteral("Протокол обмена"));
}

TEST_F(ConnectionPageTest, EachPageEditsItsOwnRecord) {
    EXPECT_EQ(ConnectionPage::recordOffset(2), 68u);
    EXPECT_EQ(ConnectionPage::recordOffset(5), 176u);
    EXPECT_EQ(ConnectionPage::recordOffset(9), 320u);
    enter(5);
    EXPECT_EQ(page.ComboBoxGroupNum->currentText(), QStringLiteral("4"));
    EXPECT_EQ(page.ComboBoxDialTranspWaitTime->currentText(), QStringLiteral("10 Min."));
    EXPECT_EQ(page.ComboBoxLang->currentText(), QStringLiteral("Русский"));
    EXPECT_EQ(page.ComboBoxUserId->currentIndex(), 1);
    page.MaskEditPhone->setMaskedText(QStringLiteral("+79001234567"));
    page.ComboBoxGroupNum->setCurrentIndex(7);
    const ConfigImage before = image;
    page.storePage(image, 5);
    for (std::size_t i = 0; i < ConfigImage::size(); ++i) {
        if (i < 176 || i > 211) {
            ASSERT_EQ(image.u8(i), before.u8(i)) << i;
        }
    }
    EXPECT_EQ(image.text(176, 16), QStringLiteral("+79001234567"));
    EXPECT_EQ(image.u8(176 + 16), 0x1C);
}

TEST_F(ConnectionPageTest, LoadsAndStoresEveryField) {
    const std::size_t b = ConnectionPage::recordOffset(3);
    const std::uint8_t record[36] = {
        '8',
        '9',
        '1',
        '2',
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0,
        0b00'0110'10, // +16: group 7, transport 2
        0b00'01'0011, // +17: reaction 1, voice wait 4 min
        0b00010'011,  // +18: switch off output 2
        0b000111'1'1, // +19: 9 s, voice on, no-ack
        0b000000'10,  // +20: "Голосовое KX"
        0,
        0x05,
        0x80, // +22: voice selected inputs 1, 3, 16
        0x04,
        0x00,          // +24: voice full input 3
        0b1000'0010,   // +26: ОХРАНА 2, НАБЛЮДЕНИЕ 4
        0b0000'1010,   // +27: system events, GPS
        0b0000'1111,   // +28: SMS wait 16 min
        0b00'111'0'10, // +29: protocol Kolvex, key code, debug, SMS on, slave mode
        0x00,
        0x03, // +30: SMS selected inputs 9, 10
        0x00,
        0x02,        // +32: SMS full input 10
        0b0001'0000, // +34: SMS НАБЛЮДЕНИЕ 1
        0b0001'0101, // +35: profile, test, restricted arm
    };
    for (std::size_t i = 0; i < 36; ++i)
        image.setU8(b + i, record[i]);
    enter(3);
    EXPECT_EQ(page.MaskEditPhone->maskedText().trimmed(), QStringLiteral("8912"));
    EXPECT_EQ(page.ComboBoxTransportPriority->currentIndex(), 2);
    EXPECT_EQ(page.ComboBoxGroupNum->currentText(), QStringLiteral("7"));
    EXPECT_EQ(page.ComboBoxIncomungCallAction->currentIndex(), 1);
    EXPECT_EQ(page.ComboBoxDialTranspWaitTime->currentText(), QStringLiteral("4 Min."));
    EXPECT_EQ(page.ComboBoxICToOUOutN->currentText(), QStringLiteral("Выход 2"));
    EXPECT_EQ(page.ComboBoxICToOUScnN->currentText(), QStringLiteral("выключить"));
    EXPECT_TRUE(page.CheckBoxNotACK->isChecked());
    EXPECT_TRUE(page.CheckBoxCallEn->isChecked());
    EXPECT_EQ(page.ComboBoxOnLineTime->currentText(), QStringLiteral("7 Sec."));
    EXPECT_EQ(page.ComboBoxConnectionType->currentText(), QStringLiteral("Голосовое KX"));
    EXPECT_EQ(page.CheckBoxMaskDInput[0]->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(page.CheckBoxMaskDInput[2]->checkState(), Qt::Checked);
    EXPECT_EQ(page.CheckBoxMaskDInput[15]->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(page.CheckBoxMaskDInput[1]->checkState(), Qt::Unchecked);
    EXPECT_TRUE(page.CheckBoxMaskDArm[1]->isChecked());
    EXPECT_TRUE(page.CheckBoxMaskDDisarm[3]->isChecked());
    EXPECT_FALSE(page.CheckBoxMaskDArm[0]->isChecked());
    EXPECT_TRUE(page.CheckBoxMaskDPower->isChecked());
    EXPECT_TRUE(page.CheckBoxMaskDGPS->isChecked());
    EXPECT_FALSE(page.CheckBoxMaskDTest->isChecked());
    EXPECT_EQ(page.ComboBoxSMSTranspWaitTime->currentText(), QStringLiteral("16 Min."));
    EXPECT_EQ(page.ComboBoxLang->currentText(), QStringLiteral("Kolvex"));
    EXPECT_EQ(page.ComboBoxUserId->currentIndex(), 0);
    EXPECT_TRUE(page.CheckBoxDebugMode->isChecked());
    EXPECT_TRUE(page.CheckBoxSMSEn->isChecked());
    EXPECT_TRUE(page.CheckBoxJointUse->isChecked());
    EXPECT_EQ(page.CheckBoxMaskSInput[8]->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(page.CheckBoxMaskSInput[9]->checkState(), Qt::Checked);
    EXPECT_TRUE(page.CheckBoxMaskSDisarm[0]->isChecked());
    EXPECT_TRUE(page.CheckBoxMaskSProfile->isChecked());
    EXPECT_TRUE(page.CheckBoxMaskSTest->isChecked());
    EXPECT_TRUE(page.CheckBoxMaskSRestrictedArm->isChecked());
    EXPECT_FALSE(page.CheckBoxMaskSPower->isChecked());

    // Loading ran no page rule: the "Голосовое KX" mixture stays as loaded.
    const ConfigImage loaded = image;
    page.storePage(image, 3);
    EXPECT_EQ(pagetest::differences(loaded, image), "");

    // Every control back into its bits.
    page.ComboBoxTransportPriority->setCurrentIndex(0);
    page.ComboBoxGroupNum->setCurrentIndex(0);
    page.CheckBoxCallEn->setChecked(false);
    page.ComboBoxOnLineTime->setCurrentIndex(61);
    page.CheckBoxMaskDInput[1]->setCheckState(Qt::Checked);
    page.CheckBoxMaskDArm[3]->setChecked(true);
    page.CheckBoxMaskSPower->setChecked(true);
    page.ComboBoxLang->setCurrentIndex(3);
    page.CheckBoxMaskSInput[15]->setCheckState(Qt::PartiallyChecked);
    page.storePage(image, 3);
    EXPECT_EQ(image.u8(b + 16), 0);
    EXPECT_EQ(image.u8(b + 19), 61u << 2 | 1u);
    EXPECT_EQ(image.u16(b + 22), 0x8007);
    EXPECT_EQ(image.u16(b + 24), 0x0006);
    EXPECT_EQ(image.u8(b + 26), 0b1000'1010);
    EXPECT_EQ(image.u8(b + 29), 0b00'111'0'11);
    EXPECT_EQ(image.u16(b + 30), 0x8300);
    EXPECT_EQ(image.u8(b + 35), 0b0001'0111);
}

TEST_F(ConnectionPageTest, BlanksInThePhoneNumberAreRemoved) {
    const std::size_t b = ConnectionPage::recordOffset(2);
    enter(2);
    page.MaskEditPhone->setCursorPosition(0);
    QTest::keyClicks(page.MaskEditPhone, QStringLiteral("+7 912 123 45 6"));
    page.storePage(image, 2);
    EXPECT_EQ(image.text(b, 16), QStringLiteral("+7912123456"));
    for (std::size_t i = 11; i < 16; ++i)
        EXPECT_EQ(image.u8(b + i), 0);
    EXPECT_EQ(image.u8(b + 16), 0x00) << "the group of connection 1";
    EXPECT_EQ(image.u8(b + 17), 9);
}

TEST_F(ConnectionPageTest, GreyedAndFullOnlyInputBits) {
    const std::size_t b = ConnectionPage::recordOffset(4);
    image.setU16(b + 22, 0x0000);
    image.setU16(b + 24, 0x0100); // input 9: full bit only
    enter(4);
    EXPECT_EQ(page.CheckBoxMaskDInput[8]->checkState(), Qt::Checked);
    page.CheckBoxMaskDInput[0]->click(); // unchecked -> greyed
    page.storePage(image, 4);
    EXPECT_EQ(image.u16(b + 22), 0x0101);
    EXPECT_EQ(image.u16(b + 24), 0x0100);
}

TEST_F(ConnectionPageTest, ReactionWithoutItemIsStoredBack) {
    const std::size_t b = ConnectionPage::recordOffset(6);
    image.setBits(b + 17, 4, 5, 3);
    enter(6);
    EXPECT_EQ(page.ComboBoxIncomungCallAction->currentIndex(), -1);
    EXPECT_EQ(page.ComboBoxIncomungCallAction->toolTip(), QString());
    page.storePage(image, 6);
    EXPECT_EQ(image.bits(b + 17, 4, 5), 3u);
}

TEST_F(ConnectionPageTest, ReactionHintFollowsTheChoice) {
    enter(2);
    EXPECT_EQ(page.ComboBoxIncomungCallAction->toolTip(),
              QStringLiteral("Принять и перейти в голосовое меню, с паролем (DTMF управление)"));
    chooseItem(page.ComboBoxIncomungCallAction, 2);
    EXPECT_EQ(page.ComboBoxIncomungCallAction->toolTip(),
              QStringLiteral("Отбить (DTMF управление невозможно)"));
    // A transport choice refreshes the same hint.
    page.ComboBoxIncomungCallAction->setCurrentIndex(1);
    chooseItem(page.ComboBoxTransportPriority, 1);
    EXPECT_EQ(page.ComboBoxIncomungCallAction->toolTip(),
              QStringLiteral("Принять и перейти в голосовое меню, без пароля (DTMF управление)"));
    EXPECT_EQ(page.ComboBoxTransportPriority->toolTip(), QString());
}

TEST_F(ConnectionPageTest, VoiceGroupOrderAndTags) {
    const char* order[] = {
        "CheckBoxMaskDInput1",        "CheckBoxMaskDInput2",  "CheckBoxMaskDInput4",
        "CheckBoxMaskDInput3",        "CheckBoxMaskDDisarm",  "CheckBoxMaskDPower",
        "CheckBoxMaskDArm",           "CheckBoxMaskDTest",    "CheckBoxMaskDInput5",
        "CheckBoxMaskDInput6",        "CheckBoxMaskDInput7",  "CheckBoxMaskDInput8",
        "CheckBoxMaskCRestrictedArm", "CheckBoxMaskDArm2",    "CheckBoxMaskDDisarm2",
        "CheckBoxMaskDArm3",          "CheckBoxMaskDDisarm3", "CheckBoxMaskDArm4",
        "CheckBoxMaskDDisarm4",       "CheckBoxMaskDGPS",     "CheckBoxMaskDInput9",
        "CheckBoxMaskDInput10",       "CheckBoxMaskDInput12", "CheckBoxMaskDInput11",
        "CheckBoxMaskDInput13",       "CheckBoxMaskDInput14", "CheckBoxMaskDInput15",
        "CheckBoxMaskDInput16"};
    const auto children =
        page.GroupBoxConDial->findChildren<QCheckBox*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(children.size(), 28);
    ASSERT_EQ(page.voiceGroupOrder().size(), 28u);
    for (int i = 0; i < 28; ++i) {
        EXPECT_EQ(children[i]->objectName(), QString::fromLatin1(order[i])) << i;
        EXPECT_EQ(page.voiceGroupOrder()[i], children[i]) << i;
    }
    const std::pair<const char*, int> tags[] = {
        {"CheckBoxMaskDInput7", 4},  {"CheckBoxMaskDPower", 4},   {"CheckBoxMaskDTest", 4},
        {"CheckBoxMaskDArm", 1},     {"CheckBoxMaskDDisarm", 2},  {"CheckBoxMaskCRestrictedArm", 3},
        {"CheckBoxMaskDArm2", 5},    {"CheckBoxMaskDDisarm2", 6}, {"CheckBoxMaskDArm3", 7},
        {"CheckBoxMaskDDisarm3", 8}, {"CheckBoxMaskDArm4", 9},    {"CheckBoxMaskDDisarm4", 10},
        {"CheckBoxMaskDGPS", 0}};
    for (auto [name, tag] : tags)
        EXPECT_EQ(ConnectionPage::voiceTag(box(name)), tag) << name;
}

TEST_F(ConnectionPageTest, ChoosingVoiceKxKeepsTheFirstBoxInUse) {
    enter(2);
    page.CheckBoxMaskDInput[2]->setCheckState(Qt::Checked); // input 3
    page.CheckBoxMaskDInput[6]->setCheckState(Qt::PartiallyChecked);
    page.CheckBoxMaskDTest->setChecked(true);
    page.CheckBoxMaskDArm[1]->setChecked(true);    // ОХРАНА 2
    page.CheckBoxMaskDDisarm[0]->setChecked(true); // НАБЛЮДЕНИЕ 1
    page.CheckBoxMaskDGPS->setChecked(true);
    page.CheckBoxMaskSArm[1]->setChecked(true); // the SMS group is not touched
    ASSERT_FALSE(page.CheckBoxNotACK->isChecked());
    chooseItem(page.ComboBoxConnectionType, 2);
    EXPECT_EQ(page.CheckBoxMaskDInput[2]->checkState(), Qt::Checked);
    EXPECT_EQ(page.CheckBoxMaskDInput[6]->checkState(), Qt::PartiallyChecked);
    EXPECT_TRUE(page.CheckBoxMaskDTest->isChecked());
    EXPECT_FALSE(page.CheckBoxMaskDArm[1]->isChecked());
    EXPECT_FALSE(page.CheckBoxMaskDDisarm[0]->isChecked());
    EXPECT_FALSE(page.CheckBoxMaskDGPS->isChecked());
    EXPECT_TRUE(page.CheckBoxMaskSArm[1]->isChecked());
    EXPECT_TRUE(page.CheckBoxNotACK->isChecked());
}

TEST_F(ConnectionPageTest, ChoosingVoiceKxWithNothingCheckedOnlyMarksNoAck) {
    enter(2);
    chooseItem(page.ComboBoxConnectionType, 2);
    EXPECT_TRUE(page.CheckBoxNotACK->isChecked());
    for (QCheckBox* b : page.voiceGroupOrder())
        EXPECT_EQ(b->checkState(), Qt::Unchecked);
}

TEST_F(ConnectionPageTest, OtherConnectionTypesChangeNothing) {
    enter(2);
    page.CheckBoxMaskDInput[0]->setCheckState(Qt::Checked);
    page.CheckBoxMaskDArm[0]->setChecked(true);
    chooseItem(page.ComboBoxConnectionType, 1);
    page.CheckBoxMaskDDisarm[2]->click();
    EXPECT_EQ(page.CheckBoxMaskDInput[0]->checkState(), Qt::Checked);
    EXPECT_TRUE(page.CheckBoxMaskDArm[0]->isChecked());
    EXPECT_TRUE(page.CheckBoxMaskDDisarm[2]->isChecked());
    EXPECT_FALSE(page.CheckBoxNotACK->isChecked());
}

TEST_F(ConnectionPageTest, UnderVoiceKxAClickClearsBoxesOfOtherKinds) {
    enter(2);
    chooseItem(page.ComboBoxConnectionType, 2);
    page.CheckBoxMaskDInput[0]->setCheckState(Qt::Checked);
    page.CheckBoxMaskDInput[11]->setCheckState(Qt::PartiallyChecked);
    page.CheckBoxMaskDPower->setChecked(true);
    page.CheckBoxMaskDArm[2]->setChecked(true);
    page.CheckBoxMaskCRestrictedArm->setChecked(true);

    page.CheckBoxMaskDDisarm[0]->click(); // НАБЛЮДЕНИЕ 1 on
    EXPECT_TRUE(page.CheckBoxMaskDDisarm[0]->isChecked());
    for (QCheckBox* b : page.voiceGroupOrder()) {
        if (b != page.CheckBoxMaskDDisarm[0]) {
            EXPECT_EQ(b->checkState(), Qt::Unchecked) << b->objectName().toStdString();
        }
    }

    // Clearing it by a click still clears the others.
    page.CheckBoxMaskDArm[0]->setChecked(true);
    page.CheckBoxMaskDDisarm[0]->click();
    EXPECT_FALSE(page.CheckBoxMaskDDisarm[0]->isChecked());
    EXPECT_FALSE(page.CheckBoxMaskDArm[0]->isChecked());

    // Boxes of the same kind stay together.
    page.CheckBoxMaskDInput[4]->setCheckState(Qt::Checked);
    page.CheckBoxMaskDArm[1]->setChecked(true);
    page.CheckBoxMaskDTest->click();
    EXPECT_TRUE(page.CheckBoxMaskDTest->isChecked());
    EXPECT_EQ(page.CheckBoxMaskDInput[4]->checkState(), Qt::Checked);
    EXPECT_FALSE(page.CheckBoxMaskDArm[1]->isChecked());
}

TEST_F(ConnectionPageTest, BitsNoControlOwnsSurviveRepeatedLoadsAndStores) {
    const std::size_t b = ConnectionPage::recordOffset(7);
    image.setBits(b + 16, 6, 7, 3);
    image.setBits(b + 17, 6, 7, 2);
    image.setBits(b + 20, 2, 7, 0x2D);
    image.setU8(b + 21, 0xA5);
    image.setBits(b + 27, 4, 7, 0xF);
    image.setBits(b + 28, 4, 7, 0x9);
    image.setBits(b + 29, 6, 7, 1);
    image.setBits(b + 35, 5, 7, 6);
    const ConfigImage before = image;
    for (int round = 0; round < 4; ++round) {
        enter(7);
        page.storePage(image, 7);
    }
    EXPECT_EQ(pagetest::differences(before, image), "");
}

} // namespace
