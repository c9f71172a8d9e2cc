// The field encodings of the configuration image: bit fields, numbers, text,
// cp1251, IPv4 and three-state input masks.
#include "config/config_image.h"
#include "config/cp1251.h"

#include <QStringDecoder>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

std::vector<std::uint8_t> Slice(const ConfigImage& image, std::size_t off, std::size_t len) {
    return {image.data() + off, image.data() + off + len};
}

TEST(ConfigImage, BitFieldsChangeOnlyTheirOwnBits) {
    struct Case {
        std::uint8_t before;
        int lo, hi;
        unsigned value;
        std::uint8_t after;
    };
    const Case cases[] = {
        {0xFF, 2, 5, 0x0, 0xC3},  // clear a middle field, keep the rest
        {0x00, 6, 7, 0x3, 0xC0},  // top two bits
        {0x5A, 0, 7, 0x3C, 0x3C}, // whole byte
        {0x80, 0, 2, 0xF, 0x87},  // a value wider than its field is masked
        {0xC9, 3, 3, 0x0, 0xC1},  // a single bit
        {0x00, 4, 7, 0x9, 0x90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bits " << c.lo << "-" << c.hi);
        ConfigImage image;
        image.setU8(100, c.before);
        image.setBits(100, c.lo, c.hi, c.value);
        EXPECT_EQ(image.u8(100), c.after);
        EXPECT_EQ(image.bits(100, c.lo, c.hi), c.value & ((1u << (c.hi - c.lo + 1)) - 1));
        EXPECT_EQ(image.u8(99), 0);
        EXPECT_EQ(image.u8(101), 0);
    }
    ConfigImage image;
    image.setU8(7, 0xF0);
    image.setBit(7, 0, true);
    image.setBit(7, 7, false);
    EXPECT_EQ(image.u8(7), 0x71);
    EXPECT_TRUE(image.bit(7, 4));
    EXPECT_FALSE(image.bit(7, 3));
}

TEST(ConfigImage, NumbersAreLittleEndianAndTwosComplement) {
    ConfigImage image;
    image.setU16(10, 0x1234);
    image.setU32(20, 0xA1B2C3D4u);
    image.setI16(30, -2);
    image.setI8(40, -25);
    image.setF32(50, 10.0f);
    EXPECT_EQ(Slice(image, 10, 2), (std::vector<std::uint8_t>{0x34, 0x12}));
    EXPECT_EQ(Slice(image, 20, 4), (std::vector<std::uint8_t>{0xD4, 0xC3, 0xB2, 0xA1}));
    EXPECT_EQ(Slice(image, 30, 2), (std::vector<std::uint8_t>{0xFE, 0xFF}));
    EXPECT_EQ(image.u8(40), 0xE7);
    EXPECT_EQ(Slice(image, 50, 4), (std::vector<std::uint8_t>{0x00, 0x00, 0x20, 0x41}));
    EXPECT_EQ(image.u16(10), 0x1234);
    EXPECT_EQ(image.u32(20), 0xA1B2C3D4u);
    EXPECT_EQ(image.i16(30), -2);
    EXPECT_EQ(image.u16(30), 0xFFFE);
    EXPECT_EQ(image.i8(40), -25);
    EXPECT_EQ(image.f32(50), 10.0f);
    image.setF32(60, -0.5f);
    EXPECT_EQ(image.f32(60), -0.5f);
}

TEST(ConfigImage, AccessBeyondTheImageThrowsWithoutWritingAnything) {
    ConfigImage image;
    const ConfigImage before = image;
    EXPECT_THROW(image.u16(23359), std::out_of_range);
    EXPECT_THROW(image.setU16(23359, 0xFFFF), std::out_of_range);
    EXPECT_THROW(image.setU32(23357, 0xFFFFFFFFu), std::out_of_range);
    EXPECT_THROW(image.setTextPadded(23355, 9, QStringLiteral("abc")), std::out_of_range);
    EXPECT_THROW(image.setTextBounded(23355, 9, QStringLiteral("abc")), std::out_of_range);
    EXPECT_EQ(image, before);
}

TEST(ConfigImage, PaddedAndBoundedTextCopies) {
    struct Case {
        const char* name;
        bool padded;
        QString text;
        std::vector<std::uint8_t> field; // the 9 bytes afterwards (field pre-filled 0xEE)
    };
    const std::uint8_t E = 0xEE;
    const Case cases[] = {
        {"padded short", true, "abc", {'a', 'b', 'c', 0, 0, 0, 0, 0, 0}},
        {"bounded short", false, "abc", {'a', 'b', 'c', 0, E, E, E, E, E}},
        {"padded too long", true, "123456789AB", {'1', '2', '3', '4', '5', '6', '7', '8', 0}},
        {"bounded too long", false, "123456789AB", {'1', '2', '3', '4', '5', '6', '7', '8', 0}},
        {"padded empty", true, "", {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"bounded empty", false, "", {0, E, E, E, E, E, E, E, E}},
        {"embedded zero ends the text",
         false,
         QString::fromLatin1("ab\0cd", 5),
         {'a', 'b', 0, E, E, E, E, E, E}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConfigImage image;
        image.fill(0, 40, E);
        if (c.padded)
            image.setTextPadded(10, 9, c.text);
        else
            image.setTextBounded(10, 9, c.text);
        EXPECT_EQ(Slice(image, 10, 9), c.field);
        EXPECT_EQ(image.u8(9), E);
        EXPECT_EQ(image.u8(19), E);
    }
}

TEST(ConfigImage, TextReadsToTheFirstZeroOrTheWholeField) {
    ConfigImage image;
    const char bytes[] = {'P', 'I', 'N', 0, 'x', 'y'};
    std::memcpy(image.data() + 5, bytes, sizeof bytes);
    EXPECT_EQ(image.text(5, 6), QStringLiteral("PIN"));
    image.fill(100, 4, 'z');
    image.setU8(104, 'q');
    EXPECT_EQ(image.text(100, 4), QStringLiteral("zzzz")); // no terminator inside the field
}

TEST(Cp1251, EveryByteDecodesLikeTheSystemCodecAndRoundTrips) {
    QStringDecoder system("windows-1251");
    ASSERT_TRUE(system.isValid());
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const char byte = static_cast<char>(b);
        const QString ours = cp1251::decode(&byte, 1);
        const QString theirs = system.decode(QByteArray(1, byte));
        EXPECT_EQ(ours, theirs);
        EXPECT_EQ(cp1251::encode(ours), QByteArray(1, byte));
    }
}

TEST(Cp1251, CharactersWithoutAFormBecomeOneQuestionMarkEach) {
    struct Case {
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {QString::fromUtf8("Баланс:"), "\xC1\xE0\xEB\xE0\xED\xF1:"},
        {QString::fromUtf8("ЁёІі№€"), "\xA8\xB8\xB2\xB3\xB9\x88"},
        {QString::fromUtf8("aäb"), "a?b"},
        {QString::fromUtf8("x😀y"), "x?y"}, // a surrogate pair is one character
        {QString::fromUtf8("日本"), "??"},
        {QString(QChar(0xDC00)) + QStringLiteral("z"), "?z"}, // lone low surrogate
        {QString(QChar(0xD800)) + QStringLiteral("z"), "?z"}, // lone high surrogate
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(cp1251::encode(c.text), c.bytes);
    }
}

TEST(ConfigImage, TextFieldsCarryCp1251BothWays) {
    ConfigImage image;
    image.fill(0, 40, 0xEE);
    image.setTextPadded(10, 6, QString::fromUtf8("ДОМ日本語"));
    EXPECT_EQ(Slice(image, 10, 6), (std::vector<std::uint8_t>{0xC4, 0xCE, 0xCC, '?', '?', 0}));
    EXPECT_EQ(image.text(10, 6), QString::fromUtf8("ДОМ??"));
    EXPECT_EQ(image.u8(16), 0xEE);
}

TEST(ConfigImage, Ipv4FirstNumberIsTheMostSignificantByte) {
    std::uint32_t v = 0;
    ASSERT_TRUE(ConfigImage::parseIpv4(QStringLiteral("192.168.1.20"), v));
    ConfigImage image;
    image.setIpv4(2920, v);
    EXPECT_EQ(Slice(image, 2920, 4), (std::vector<std::uint8_t>{20, 1, 168, 192}));
    EXPECT_EQ(image.ipv4Text(2920), QStringLiteral("192.168.1.20"));

    struct Case {
        const char* text;
        bool ok;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"0.0.0.0", true, 0},
        {"255.255.255.255", true, 0xFFFFFFFFu},
        {" 10. 0 .0.1 ", true, 0x0A000001u},
        {"256.1.1.1", false, 0},
        {"1.2.3", false, 0},
        {"1.2.3.4.5", false, 0},
        {"1..2.3", false, 0},
        {"a.b.c.d", false, 0},
        {"", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::uint32_t out = 0x12345678u;
        EXPECT_EQ(ConfigImage::parseIpv4(QString::fromLatin1(c.text), out), c.ok);
        EXPECT_EQ(out, c.ok ? c.value : 0x12345678u); // untouched on failure
    }
}

TEST(TriStateInputMask, LoadRuleAndStoreOfEachState) {
    // Input 1 greyed, input 2 full without its selected bit, input 3 checked.
    TriStateInputMask mask{0b0101, 0b0110};
    EXPECT_EQ(mask.state(0), TriState::Greyed);
    EXPECT_EQ(mask.state(1), TriState::Checked);
    EXPECT_EQ(mask.state(2), TriState::Checked);
    EXPECT_EQ(mask.state(3), TriState::Unchecked);
    EXPECT_EQ(mask.state(15), TriState::Unchecked);

    // Storing what was loaded writes both bits for a checked box.
    TriStateInputMask stored;
    for (int input = 0; input < 16; ++input)
        stored.setState(input, mask.state(input));
    EXPECT_EQ(stored.selected, 0b0111);
    EXPECT_EQ(stored.full, 0b0110);

    struct Case {
        TriState state;
        std::uint16_t selected, full;
    };
    const Case cases[] = {
        {TriState::Unchecked, 0x7FFF, 0x7FFF},
        {TriState::Greyed, 0xFFFF, 0x7FFF},
        {TriState::Checked, 0xFFFF, 0xFFFF},
    };
    for (const Case& c : cases) {
        TriStateInputMask m{0x7FFF, 0xFFFF}; // input 16: full bit only
        m.setState(15, c.state);
        EXPECT_EQ(m.selected, c.selected);
        EXPECT_EQ(m.full, c.full);
        EXPECT_EQ(m.state(15), c.state);
    }
}

} // namespace
