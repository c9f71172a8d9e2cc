// Pages 11..13, the GPRS servers, on their real controls.
#include "pages/server_page.h"
#include "pages/ui_texts.h"
#include "support/connection_pages_support.h"
#include "widgets/mask_edit.h"
#include "widgets/select_list.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using pagetest::chooseItem;
using pagetest::defaultImage;

class ServerPageTest : public ::testing::Test {
protected:
    UiTexts texts = UiTexts::russian();
    ServerPage page{texts};
    ConfigImage image = defaultImage();

    void enter(int pageIndex) {
        page.prepare(pageIndex);
        page.loadPage(image, pageIndex);
    }
    void store(int pageIndex) { page.storePage(image, pageIndex); }
};

TEST_F(ServerPageTest, EachPageShowsItsServer) {
    EXPECT_EQ(ServerPage::recordOffset(11), 2940u);
    EXPECT_EQ(ServerPage::recordOffset(13), 3028u);
    for (int p = 11; p <= 13; ++p) {
        enter(p);
        EXPECT_EQ(page.Label140->text(), QStringLiteral("Сервер %1").arg(p - 10));
    }
    EXPECT_EQ(page.MaskEditServerIPAddr->maskedText(), QStringLiteral("  0.  0.  0.  0"));
    EXPECT_EQ(page.MaskEditServerPort->maskedText().trimmed(), QStringLiteral("0"));
    EXPECT_FALSE(page.CheckBoxServerEn->isChecked());
}

TEST_F(ServerPageTest, Ipv4AddressAndPort) {
    const std::size_t s = ServerPage::recordOffset(12);
    image.fill(s + 4, 30, 0x61);
    enter(12);
    page.CheckBoxServerEn->setChecked(true);
    page.MaskEditServerIPAddr->setCursorPosition(0);
    QTest::keyClicks(page.MaskEditServerIPAddr, QStringLiteral("192.168.1.20"));
    page.MaskEditServerPort->setMaskedText(QStringLiteral("70000"));
    store(12);
    EXPECT_EQ(image.u8(s + 0), 20);
    EXPECT_EQ(image.u8(s + 1), 1);
    EXPECT_EQ(image.u8(s + 2), 168);
    EXPECT_EQ(image.u8(s + 3), 192);
    EXPECT_EQ(image.u8(s + 4), 0x61) << "bytes after the address keep their contents";
    EXPECT_EQ(image.u16(s + 36), 65535);
    EXPECT_EQ(image.u8(s + 40), 0x91) << "enable bit set, delivery time kept";
    image.setU16(s + 36, 502);
    enter(12);
    EXPECT_EQ(page.MaskEditServerIPAddr->maskedText(), QStringLiteral("192.168.  1. 20"));
    EXPECT_EQ(page.MaskEditServerPort->maskedText(), QStringLiteral("  502"));
    EXPECT_TRUE(page.CheckBoxServerEn->isChecked());
}

TEST_F(ServerPageTest, DomainName) {
    const std::size_t s = ServerPage::recordOffset(11);
    image.setBit(s + 38, 0, true);
    image.setTextBounded(s, 34, QStringLiteral("old.server.example.org"));
    enter(11);
    EXPECT_EQ(page.ComboBoxDestType->currentIndex(), 1);
    EXPECT_EQ(page.MaskEditServerIPAddr->editMask(), QString());
    EXPECT_EQ(page.MaskEditServerIPAddr->maskedText(), QStringLiteral("old.server.example.org"));
    page.MaskEditServerIPAddr->setMaskedText(QStringLiteral(" gprs.example.ru"));
    store(11);
    EXPECT_EQ(image.text(s, 34), QStringLiteral(" gprs.example.ru")) << "stored as typed";
    EXPECT_EQ(image.u8(s + 16), 0);
    EXPECT_EQ(image.text(s + 17, 17), QStringLiteral("e.org")) << "bounded copy";

    // 33 characters at most, with the zero at +33.
    page.MaskEditServerIPAddr->setMaskedText(QString(40, QLatin1Char('d')));
    store(11);
    EXPECT_EQ(image.text(s, 34), QString(33, QLatin1Char('d')));
    EXPECT_EQ(image.u8(s + 33), 0);
}

TEST_F(ServerPageTest, SwitchingToIpv4KeepsTheOldNameBytes) {
    const std::size_t s = ServerPage::recordOffset(13);
    image.setBit(s + 38, 0, true);
    image.setTextBounded(s, 34, QStringLiteral("abcdefgh.example"));
    enter(13);
    chooseItem(page.ComboBoxDestType, 0);
    EXPECT_EQ(page.MaskEditServerIPAddr->editMask(), QStringLiteral("!999.999.999.999;1; "));
    EXPECT_EQ(page.MaskEditServerIPAddr->maskedText(), QStringLiteral("000.000.000.000"));
    page.MaskEditServerIPAddr->setMaskedText(QStringLiteral("10.0.0.1"));
    store(13);
    EXPECT_FALSE(image.bit(s + 38, 0));
    EXPECT_EQ(image.u32(s), 0x0A000001u);
    EXPECT_EQ(image.text(s + 4, 30), QStringLiteral("efgh.example"));
}

TEST_F(ServerPageTest, SwitchingToDomainNameDropsTheTypedAddress) {
    enter(11);
    page.MaskEditServerIPAddr->setMaskedText(QStringLiteral("1.2.3.4"));
    chooseItem(page.ComboBoxDestType, 1);
    EXPECT_EQ(page.MaskEditServerIPAddr->maskedText(), QString());
    EXPECT_EQ(page.MaskEditServerIPAddr->maxLength(), 33);
    pagetest::typeText(page.MaskEditServerIPAddr, QStringLiteral("сервер.рф"));
    store(11);
    EXPECT_EQ(image.text(2940, 34), QStringLiteral("сервер.рф"));
    EXPECT_TRUE(image.bit(2940 + 38, 0));
}

TEST_F(ServerPageTest, BitsNoControlOwnsSurvive) {
    const std::size_t s = ServerPage::recordOffset(12);
    image.setBits(s + 38, 1, 7, 0x55);
    image.setU8(s + 39, 0x12);
    image.setU16(s + 34, 0xBEEF);
    image.setBits(s + 40, 1, 7, 0x6B);
    image.fill(s + 41, 3, 0x33);
    const ConfigImage before = image;
    for (int round = 0; round < 3; ++round) {
        enter(12);
        store(12);
    }
    EXPECT_EQ(pagetest::differences(before, image), "");
}

} // namespace
