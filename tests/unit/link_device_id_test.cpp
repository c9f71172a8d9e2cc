// The identification block: parsing, the placeholder, the device and version
// checks, the shared identification prologue and the hardware-fit check.
#include "config/cp1251.h"
#include "config/defaults.h"
#include "link/device_id.h"
#include "link/hardware_fit.h"
#include "link/identification.h"
#include "support/sim_link_harness.h"

#include <gtest/gtest.h>

namespace {

// A block with the given name, modification and versions (minor, major order as on the wire).
DeviceIdBlock makeBlock(const QByteArray& name, const QByteArray& modification,
                        std::uint8_t fwMinor, std::uint8_t fwMajor, std::uint8_t hwMinor = 0x01,
                        std::uint8_t hwMajor = 0x14) {
    DeviceIdBlock b;
    std::copy(name.begin(), name.end(), b.bytes.begin());
    std::copy(modification.begin(), modification.end(), b.bytes.begin() + 9);
    b.bytes[18] = hwMinor;
    b.bytes[19] = hwMajor;
    b.bytes[20] = fwMinor;
    b.bytes[21] = fwMajor;
    return b;
}

void putU32(DeviceIdBlock& b, int offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.bytes[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(DeviceIdParse, EveryFieldFromItsBytes) {
    DeviceIdBlock b = makeBlock("RZN460", "KL+T407D", 0x04, 0x01, 0x02, 0x12);
    b.bytes[22] = 0x0B;
    b.bytes[23] = 0xA0;
    const QByteArray date = "Mar 15 2016xyz"; // 14 characters: only 11 count
    std::copy(date.begin(), date.begin() + 12, b.bytes.begin() + 24);
    std::copy_n("RUS", 3, b.bytes.begin() + 36);
    b.bytes[39] = 'X';                          // no terminator: the limit of 3 ends the text
    const QByteArray imei = "3569380356438091"; // 16 digits: 15 count
    std::copy(imei.begin(), imei.end(), b.bytes.begin() + 56);
    putU32(b, 40, 1);
    putU32(b, 52, 4294967295u);
    putU32(b, 72, 1604);
    putU32(b, 84, 460);

    const DeviceIdentity id = ParseDeviceId(b);
    EXPECT_EQ(id.deviceName, QStringLiteral("RZN460"));
    EXPECT_EQ(id.modification, QStringLiteral("KL+T407D"));
    EXPECT_EQ(id.hardware, QStringLiteral("12.02"));
    EXPECT_EQ(id.firmware, QStringLiteral("01.04"));
    EXPECT_EQ(id.loader, QStringLiteral("A0.0B")); // upper-case hexadecimal
    EXPECT_EQ(id.date, QStringLiteral("Mar 15 2016"));
    EXPECT_EQ(id.countryCode, QStringLiteral("RUS"));
    EXPECT_EQ(id.imei, QStringLiteral("356938035643809"));
    EXPECT_EQ(id.boundId, QStringLiteral("0000000001 0000000000\r\n 0000000000 4294967295"));
    EXPECT_EQ(id.uniqueId, QStringLiteral("0000001604 0000000000\r\n 0000000000 0000000460"));
    EXPECT_EQ(id.versionString(), QStringLiteral("KL+T407D.01.04"));
}

TEST(DeviceIdParse, ZeroFieldsShowTheirDashForms) {
    const DeviceIdentity id = ParseDeviceId(makeBlock("RZN460", "KL+T407", 0, 0, 0, 0));
    EXPECT_EQ(id.hardware, QStringLiteral("--.--"));
    EXPECT_EQ(id.firmware, QStringLiteral("--.--"));
    EXPECT_EQ(id.boundId, QString(48, ' ') + '-');
    EXPECT_EQ(
        id.uniqueId,
        QStringLiteral("- - - - - - - -  - - - - - - - -\r\n  - - - - - - - -  - - - - - - - -"));
    // One non-zero half is a version, not the dash form.
    EXPECT_EQ(FormatIdVersion(0x00, 0x01), QStringLiteral("01.00"));
    EXPECT_EQ(FormatIdVersion(0x02, 0x00), QStringLiteral("00.02"));
}

TEST(DeviceIdParse, NameOfNineCharactersIsCutToEight) {
    const DeviceIdentity id = ParseDeviceId(makeBlock("RZN460ABC", "KL+T407", 0x02, 0x01));
    EXPECT_EQ(id.deviceName, QStringLiteral("RZN460AB"));
    EXPECT_FALSE(IsDeviceSupported(id));
    // Bytes after the terminator do not count.
    EXPECT_TRUE(
        IsDeviceSupported(ParseDeviceId(makeBlock(QByteArray("RZN460\0Z", 8), "KL+T407", 2, 1))));
}

TEST(DeviceIdParse, TextIsCp1251) {
    DeviceIdBlock b = makeBlock(cp1251::encode(QStringLiteral("Прибор")), "", 0, 0);
    EXPECT_EQ(ParseDeviceId(b).deviceName, QStringLiteral("Прибор"));
}

TEST(DeviceIdPlaceholder, BytesAndCaptions) {
    const DeviceIdBlock p = DeviceIdBlock::placeholder();
    std::array<std::uint8_t, 88> expected{};
    const auto dashes = [&expected](int from, int count) {
        std::fill_n(expected.begin() + from, count, '-');
    };
    dashes(0, 8);
    dashes(9, 8);
    dashes(24, 11);
    dashes(36, 3);
    dashes(56, 15);
    EXPECT_EQ(p.bytes, expected);

    const DeviceIdentity id = ParseDeviceId(p);
    EXPECT_EQ(id.deviceName, QStringLiteral("--------"));
    EXPECT_EQ(id.modification, QStringLiteral("--------"));
    EXPECT_EQ(id.date, QStringLiteral("-----------"));
    EXPECT_EQ(id.countryCode, QStringLiteral("---"));
    EXPECT_EQ(id.imei, QStringLiteral("---------------"));
    EXPECT_EQ(id.versionString(), QStringLiteral("--------.--.--"));
    EXPECT_FALSE(IsDeviceSupported(id));
}

TEST(DeviceIdChecks, VersionsAgainstTheSupportedList) {
    struct Case {
        QByteArray modification;
        std::uint8_t minor, major;
        bool supported;
    };
    const Case cases[] = {
        {"KL+T407", 0x02, 0x01, true},  {"KL+T407D", 0x03, 0x01, true},
        {"KL+T407", 0x03, 0x01, true},  {"KL+T407D", 0x04, 0x01, true},
        {"KL+T407", 0x04, 0x01, false}, {"KL+T407D", 0x02, 0x01, false},
        {"kl+t407", 0x02, 0x01, false}, {"KL+T407 ", 0x02, 0x01, false},
        {"KL+T407", 0x12, 0x01, false}, {"KL+T407X", 0x02, 0x01, false},
    };
    for (const Case& c : cases) {
        const DeviceIdentity id =
            ParseDeviceId(makeBlock("RZN460", c.modification, c.minor, c.major));
        EXPECT_EQ(IsVersionSupported(id), c.supported) << id.versionString().toStdString();
    }
    EXPECT_EQ(SupportedVersions(),
              (QStringList{"KL+T407.01.02", "KL+T407D.01.03", "KL+T407.01.03", "KL+T407D.01.04"}));
    EXPECT_EQ(VersionNotSupportedText(QStringLiteral("KL+T407.01.04")),
              QStringLiteral("Версия KL+T407.01.04 не поддерживается"));
    EXPECT_EQ(DeviceNotSupportedText(QStringLiteral("RZN450")),
              QStringLiteral("Устройство RZN450 не поддерживается"));
}

TEST(HardwareFit, OnlyHardware1202And1302RefuseKolvexConnections) {
    struct Case {
        const char* hardware;
        int kolvexConnection; // 0: none
        int otherType;        // the type every other connection has
        bool fits;
    };
    const Case cases[] = {
        {"12.02", 3, 0, false}, {"13.02", 8, 2, false}, {"13.02", 0, 2, true},
        {"13.02", 0, 0, true},  {"14.01", 1, 0, true},  {"--.--", 1, 0, true},
        {"12.02", 0, 3, true},  {"12.03", 2, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.hardware) + " connection " + std::to_string(c.kolvexConnection));
        ConfigImage image = DefaultImage();
        for (int n = 1; n <= 8; ++n) {
            const std::size_t off = 88 + 36 * (n - 1);
            image.setBits(off, 0, 1, n == c.kolvexConnection ? 1u : unsigned(c.otherType));
            image.setBits(off, 2, 7, 0x2A); // bits the check must ignore
        }
        const HardwareFit fit =
            CheckConfigurationFitsHardware(QString::fromLatin1(c.hardware), image);
        EXPECT_EQ(fit.fits, c.fits);
        if (!c.fits) {
            EXPECT_EQ(fit.connection, c.kolvexConnection);
            EXPECT_EQ(fit.pageIndex, c.kolvexConnection + 1);
        }
    }
}

TEST(HardwareFit, MessageNamesHardwareAndConnection) {
    ConfigImage image = DefaultImage();
    for (int n = 1; n <= 8; ++n)
        image.setBits(88 + 36 * (n - 1), 0, 1, 0);
    image.setBits(88 + 36 * 2, 0, 1, 1);
    image.setBits(88 + 36 * 5, 0, 1, 1); // a later one: the first is reported
    const HardwareFit fit = CheckConfigurationFitsHardware(QStringLiteral("12.02"), image);
    EXPECT_EQ(fit.connection, 3);
    EXPECT_EQ(fit.message,
              QStringLiteral("Контроллер аппаратной версии 12.02 не поддерживает функцию передачи "
                             "данных CSD.\nНа вкладке \"Соединение 3\", установите параметр \"Тип "
                             "соединения\" в состояние отличное от \"Kolvex\"."));
    EXPECT_EQ(HardwareFitCaption(), QStringLiteral("Проверка конфигурации"));
}

// ---------------------------------------------------------------------------
// The prologue, against the simulated controller.

struct RecordingSink : IdentificationSink {
    std::vector<std::pair<QString, StatusColour>> statuses;
    std::vector<DeviceIdentity> shown;
    std::vector<IdentifyOutcome> refusals;

    void showStatus(const QString& text, StatusColour colour) override {
        statuses.emplace_back(text, colour);
    }
    void showIdentification(const DeviceIdentity& identity) override { shown.push_back(identity); }
    void showRefusal(IdentifyOutcome why, const QString& text, StatusColour colour) override {
        refusals.push_back(why);
        IdentificationSink::showRefusal(why, text, colour);
    }
};

struct PrologueCase {
    const char* name;
    const char* simCommand; // nullptr: none
    bool refusalInRed;
    IdentifyOutcome outcome;
    QString lastText;
    StatusColour lastColour;
    QString shownDevice;
};

TEST(IdentificationPrologue, OutcomesTextsAndWhatIsShown) {
    const QString read = DefaultTransactionMessages()[TransactionText::VersionRead];
    const PrologueCase cases[] = {
        {"supported", nullptr, false, IdentifyOutcome::Supported, read, StatusColour::Success,
         "RZN460"},
        {"other device", "identity name=RZN450", false, IdentifyOutcome::DeviceNotSupported,
         "Устройство RZN450 не поддерживается", StatusColour::Success, "RZN450"},
        {"other version", "identity fw=01.04", false, IdentifyOutcome::VersionNotSupported,
         "Версия KL+T407.01.04 не поддерживается", StatusColour::Success, "RZN460"},
        {"other version, monitoring", "identity fw=01.04", true,
         IdentifyOutcome::VersionNotSupported, "Версия KL+T407.01.04 не поддерживается",
         StatusColour::Error, "RZN460"},
        {"D edition 01.04", "identity mod=KL+T407D fw=01.04", false, IdentifyOutcome::Supported,
         read, StatusColour::Success, "RZN460"},
        {"no answer", "silent on", false, IdentifyOutcome::NoIdentification,
         DefaultTransactionMessages()[TransactionText::NoReply], StatusColour::Error, "--------"},
    };
    for (const PrologueCase& c : cases) {
        SCOPED_TRACE(c.name);
        SimLinkHarness h;
        if (c.simCommand)
            h.cmd(QString::fromUtf8(c.simCommand));
        RecordingSink sink;
        IdentifyOptions options;
        options.refusalInRed = c.refusalInRed;
        options.channelFactory = h.link.factory();
        const IdentifyResult r = IdentifyAndCheck(QStringLiteral("COM3"), sink, options);
        EXPECT_EQ(r.outcome, c.outcome);
        ASSERT_FALSE(sink.statuses.empty());
        EXPECT_EQ(sink.statuses.front().first,
                  DefaultTransactionMessages()[TransactionText::Identifying]);
        EXPECT_EQ(sink.statuses.back().first, c.lastText);
        EXPECT_EQ(sink.statuses.back().second, c.lastColour);
        ASSERT_EQ(sink.shown.size(), 1u);
        EXPECT_EQ(sink.shown[0].deviceName, c.shownDevice);
        EXPECT_EQ(r.identity, sink.shown[0]);
        EXPECT_EQ(sink.refusals.size(), c.outcome == IdentifyOutcome::DeviceNotSupported ||
                                                c.outcome == IdentifyOutcome::VersionNotSupported
                                            ? 1u
                                            : 0u);
    }
}

TEST(IdentificationPrologue, UsesTheGivenMessageTable) {
    SimLinkHarness h;
    RecordingSink sink;
    IdentifyOptions options;
    options.channelFactory = h.link.factory();
    options.messages = DefaultTransactionMessages();
    options.messages[TransactionText::VersionRead] = QStringLiteral("Device version read");
    EXPECT_TRUE(IdentifyAndCheck(QStringLiteral("COM3"), sink, options).supported());
    EXPECT_EQ(sink.statuses.back().first, QStringLiteral("Device version read"));
}

TEST(IdentificationPrologue, UniqueIdentifierTellsControllersApart) {
    SimLinkHarness a, b;
    b.cmd("identity id=1,2,3,4");
    RecordingSink sa, sb;
    IdentifyOptions oa, ob;
    oa.channelFactory = a.link.factory();
    ob.channelFactory = b.link.factory();
    const IdentifyResult ra = IdentifyAndCheck(QStringLiteral("COM3"), sa, oa);
    const IdentifyResult rb = IdentifyAndCheck(QStringLiteral("COM3"), sb, ob);
    EXPECT_NE(ra.identity.uniqueId, rb.identity.uniqueId);
    EXPECT_EQ(rb.identity.uniqueId,
              QStringLiteral("0000000001 0000000002\r\n 0000000003 0000000004"));
}

} // namespace
