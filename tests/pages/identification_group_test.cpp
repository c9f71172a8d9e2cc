// The identification group of the root page: its captions, and the labels it
// fills from a block and from the placeholder.
#include "link/device_id.h"
#include "pages/identification_group.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

TEST(IdentificationGroup, CaptionsAndLabelNames) {
    IdentificationGroup g;
    EXPECT_EQ(g.title(), QStringLiteral(" Идентификатор устройства "));
    const std::pair<QString, QLabel*> rows[] = {
        {"Устройство:", g.iDeviceNameLabel},
        {"Модификация:", g.iModificationLabel},
        {"Аппаратная вер.:", g.iHardVerLabel},
        {"Микропрограмма:", g.iSoftVerLabel},
        {"Версия загрузчика:", g.iBLLabel},
        {"Дата:", g.iDateLabel},
        {"Код страны:", g.iLabelCountryCode},
        {"GSM IMEI:", g.iGSMIMEILabel},
        {"Уникальный идентификатор:", g.iLabelDevSN},
        {"Привязка к идентификатору:", g.iLabelDevSNLocked},
    };
    for (const auto& [caption, label] : rows) {
        QLabel* found = nullptr;
        for (QLabel* l : g.findChildren<QLabel*>())
            if (l->text() == caption)
                found = l;
        ASSERT_NE(found, nullptr) << caption.toStdString();
        EXPECT_EQ(found->buddy(), label) << caption.toStdString();
        EXPECT_EQ(g.findChild<QLabel*>(label->objectName()), label);
    }
    EXPECT_EQ(g.iDeviceNameLabel->objectName(), QStringLiteral("iDeviceNameLabel"));
    EXPECT_EQ(g.iLabelDevSNLocked->objectName(), QStringLiteral("iLabelDevSNLocked"));
}

TEST(IdentificationGroup, ShowsABlockThenThePlaceholder) {
    IdentificationGroup g;
    DeviceIdBlock b;
    const QByteArray name = "RZN460", mod = "KL+T407", imei = "356938035643809";
    std::copy(name.begin(), name.end(), b.bytes.begin());
    std::copy(mod.begin(), mod.end(), b.bytes.begin() + 9);
    b.bytes[18] = 0x02;
    b.bytes[19] = 0x12;
    b.bytes[20] = 0x02;
    b.bytes[21] = 0x01;
    std::copy(imei.begin(), imei.end(), b.bytes.begin() + 56);
    b.bytes[72] = 7;
    g.showBlock(b);
    EXPECT_EQ(g.iDeviceNameLabel->text(), QStringLiteral("RZN460"));
    EXPECT_EQ(g.iHardVerLabel->text(), QStringLiteral("12.02"));
    EXPECT_EQ(g.iSoftVerLabel->text(), QStringLiteral("01.02"));
    EXPECT_EQ(g.iBLLabel->text(), QStringLiteral("--.--"));
    EXPECT_EQ(g.iGSMIMEILabel->text(), QStringLiteral("356938035643809"));
    EXPECT_EQ(g.iLabelDevSN->text(),
              QStringLiteral("0000000007 0000000000\n 0000000000 0000000000"));
    EXPECT_EQ(g.identity().versionString(), QStringLiteral("KL+T407.01.02"));
    EXPECT_EQ(g.identity().uniqueId,
              QStringLiteral("0000000007 0000000000\r\n 0000000000 0000000000"));

    g.showPlaceholder();
    EXPECT_EQ(g.iDeviceNameLabel->text(), QStringLiteral("--------"));
    EXPECT_EQ(g.iModificationLabel->text(), QStringLiteral("--------"));
    EXPECT_EQ(g.iHardVerLabel->text(), QStringLiteral("--.--"));
    EXPECT_EQ(g.iDateLabel->text(), QStringLiteral("-----------"));
    EXPECT_EQ(g.iLabelCountryCode->text(), QStringLiteral("---"));
    EXPECT_EQ(g.iGSMIMEILabel->text(), QStringLiteral("---------------"));
    EXPECT_EQ(g.iLabelDevSNLocked->text(), QString(48, ' ') + '-');
    EXPECT_EQ(
        g.iLabelDevSN->text(),
        QStringLiteral("- - - - - - - -  - - - - - - - -\n  - - - - - - - -  - - - - - - - -"));
}

} // namespace
