// The default configuration image, byte for byte, against an expectation
// written by hand from the field tables (runs of bytes; every byte not listed is
// zero), and the routines that restore or maintain parts of the image.
#include "config/defaults.h"

#include <QStringEncoder>
#include <array>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Run {
    std::size_t offset;
    Bytes bytes;
};

// A text field as the controller holds it: cp1251 (encoded here by Qt's own
// codec, not by our table), zero bytes to the end of the field.
Bytes Text(const char* utf8, std::size_t fieldSize) {
    QStringEncoder encoder("windows-1251");
    const QByteArray encoded = encoder.encode(QString::fromUtf8(utf8));
    EXPECT_TRUE(encoder.isValid() && !encoder.hasError());
    EXPECT_LT(static_cast<std::size_t>(encoded.size()), fieldSize);
    Bytes field(fieldSize, 0);
    std::copy(encoded.begin(), encoded.end(), field.begin());
    return field;
}

Bytes Words(std::initializer_list<std::uint16_t> words) {
    Bytes out;
    for (std::uint16_t w : words) {
        out.push_back(static_cast<std::uint8_t>(w & 0xFF));
        out.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    return out;
}

std::vector<Run> ExpectedRuns() {
    std::vector<Run> runs = {
        // Tag: 1, "v.01.02", zero.
        {0, {0x01, 'v', '.', '0', '1', '.', '0', '2', 0x00}},
        // 12: pause index 1, ACK, SMS and DTMF only from the list; 13: 30 min,
        // V.110; 14: Modbus address 1.
        {12, {0x39, 0x1F, 0x01}},
        {38, Text("9630", 5)},
        {43, Text("rilo", 9)},
        // Sensor power always on, loop power removal 40 s.
        {356, {0x07}},
        // Time zone +3.
        {2672, {0x03}},
        // Power: 4 s, message on loss, 32 min, message on return.
        {2808, {0xC9}},
        // Battery borders 20 % and 40 %, both with messages.
        {2812, {0x94, 0xA8}},
        // Indication: flashes of past activity.
        {2817, {0x04}},
        // Temperature event, borders -25 and 60, levels -20 and -15, tamper on.
        {2842, {0x01, 0xE7, 0x3C, 0xEC, 0x00, 0xF1, 0x00, 0x01}},
        {2852, Text("internet.mts.ru", 33)},
        {2885, Text("mts", 17)},
        {2902, Text("mts", 17)},
        // Always connected, 3 attempts / ping 3, block 15 min, duration 3.
        {2934, {0xFF, 0x1B, 0x03, 0x03}},
        // Byte 40 of the three servers: GPRS delivery 10 minutes.
        {2980, {0x90}},
        {3024, {0x90}},
        {3068, {0x90}},
        // Reserved.
        {3080, {16, 14, 100, 0, 60}},
        // Mode memory.
        {5292, {0x00, 0x00, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x00}},
    };

    for (int n = 1; n <= 8; ++n) {
        const std::size_t b = 68 + 36 * (n - 1);
        runs.push_back({b + 16, {static_cast<std::uint8_t>(4 * (n - 1)), 0x09}});
        runs.push_back({b + 28, {0x09, 0x05}});
    }

    for (int n = 1; n <= 16; ++n) {
        const std::size_t b = 360 + 92 * (n - 1);
        runs.push_back({b, Text(("ВХОД" + std::to_string(n)).c_str(), 17)});
        runs.push_back({b + 17, Text("АКТИВЕН", 17)});
        runs.push_back({b + 34, Text("НЕАКТИВЕН", 17)});
        runs.push_back({b + 52, {0x22, 0x00, 0x40, 0x02}});
        runs.push_back({b + 58, Words({1365, 2730})});
        runs.push_back({b + 63, {0x02}});
        runs.push_back({b + 68, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x41}});
    }

    const char* outputNames[] = {"РЕЛЕ1",  "РЕЛЕ2",  "ВЫХОД1", "ВЫХОД2",
                                 "ВЫХОД3", "ВЫХОД4", "ВЫХОД5"};
    for (int k = 0; k < 7; ++k) {
        const std::size_t b = 1832 + 52 * k;
        runs.push_back({b, Text(outputNames[k], 17)});
        runs.push_back({b + 17, Text("ВКЛ", 17)});
        runs.push_back({b + 34, Text("ВЫКЛ", 17)});
        runs.push_back({b + 51, {0xA0}});
    }

    const std::vector<Bytes> scenarios = {
        Words({0x0000, 0x8001, 0x0001}),
        Words({0x0000, 0x8002, 0x0002, 0x8002, 0x0002}),
        Words({0x0000, 0x8005, 0x0005, 0x800A, 0x000A}),
        Words({0x0001, 0x8002, 0x0002, 0x8002}),
        Words({0x0001, 0x0001, 0x8001, 0x0002, 0x8000}),
        Words({0x0000, 0x8002, 0x0003}),
        Words({0x0001, 0x8005}),
    };
    for (int j = 1; j <= 14; ++j) {
        const Bytes words = j <= 7 ? scenarios[j - 1] : Words({0x0001, 0x8001, 0x0000, 0x8000});
        runs.push_back({2196 + 34 * std::size_t(j - 1), words});
    }

    for (int p = 1; p <= 4; ++p)
        runs.push_back(
            {3087 + 51 * std::size_t(p - 1), Text(("ПЕРИМЕТР" + std::to_string(p)).c_str(), 17)});

    const std::string profileNames[] = {"КОМФОРТ",  "ЭКОНОМ",   "ПРОФИЛЬ3", "ПРОФИЛЬ4",
                                        "ПРОФИЛЬ5", "ПРОФИЛЬ6", "ПРОФИЛЬ7", "ПРОФИЛЬ8"};
    for (int q = 1; q <= 8; ++q) {
        const std::size_t b = 4316 + 122 * std::size_t(q - 1);
        runs.push_back({b, Text(profileNames[q - 1].c_str(), 17)});
        for (std::size_t i = 0; i < 16; ++i)
            runs.push_back({b + 20 + 6 * i, Words({1365, 2730})});
    }

    // Control-phone records: bytes 24..31 are 0xFF; the check byte stays 0.
    for (std::size_t i = 0; i < 500; ++i)
        runs.push_back({5360 + 36 * i + 24, Bytes(8, 0xFF)});
    return runs;
}

// The whole expected image; also checks that no two runs claim the same byte,
// which would hide a mistake in the table itself.
std::array<std::uint8_t, 23360> ExpectedImage() {
    std::array<std::uint8_t, 23360> image{};
    std::array<bool, 23360> claimed{};
    for (const Run& run : ExpectedRuns()) {
        for (std::size_t i = 0; i < run.bytes.size(); ++i) {
            const std::size_t at = run.offset + i;
            EXPECT_FALSE(claimed.at(at)) << "byte " << at << " listed twice";
            claimed[at] = true;
            image[at] = run.bytes[i];
        }
    }
    return image;
}

// Offsets where `actual` differs from `expected` in [begin, end), for messages.
std::string Differences(const ConfigImage& actual, const std::array<std::uint8_t, 23360>& expected,
                        std::size_t begin = 0, std::size_t end = 23360) {
    std::string out;
    int shown = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (actual.u8(i) == expected[i])
            continue;
        if (++shown > 20)
            return out + " ...";
        out += " [" + std::to_string(i) + "] got " + std::to_string(actual.u8(i)) + " want " +
               std::to_string(expected[i]);
    }
    return out;
}

TEST(DefaultImage, EveryByteMatchesTheFieldTables) {
    const auto expected = ExpectedImage();
    EXPECT_EQ(Differences(DefaultImage(), expected), "");
}

TEST(DefaultImage, SetAllDefaultsWritesEveryBlockButLeavesTheGap) {
    const auto expected = ExpectedImage();
    ConfigImage image;
    image.fill(0, image.size(), 0xA5);
    SetAllDefaults(image);
    EXPECT_EQ(Differences(image, expected, 0, 5302), "");
    EXPECT_EQ(Differences(image, expected, 5304, 23360), "");
    // No default routine writes the two gap bytes.
    EXPECT_EQ(image.u8(5302), 0xA5);
    EXPECT_EQ(image.u8(5303), 0xA5);
}

TEST(DefaultImage, EachRoutineWritesOnlyItsOwnBlock) {
    struct Case {
        const char* name;
        std::function<void(ConfigImage&)> routine;
        std::size_t begin, end;
    };
    const Case cases[] = {
        {"settings", SetSettingsDefaults, 0, 5292},
        {"modes memory", SetModesMemoryDefaults, 5292, 5302},
        {"system parameters", SetSystemParametersDefaults, 5304, 5328},
        {"control phones", SetControlPhoneDefaults, 5328, 23360},
    };
    const auto expected = ExpectedImage();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConfigImage image;
        image.fill(0, image.size(), 0xA5);
        c.routine(image);
        EXPECT_EQ(Differences(image, expected, c.begin, c.end), "");
        for (std::size_t i = 0; i < image.size(); ++i) {
            if (i < c.begin || i >= c.end) {
                ASSERT_EQ(image.u8(i), 0xA5) << "byte " << i << " outside the block changed";
            }
        }
    }
}

TEST(DefaultImage, ControlPhoneRecordsAtTheirAbsoluteOffsets) {
    const ConfigImage& image = DefaultImage();
    for (std::size_t i = 5384; i <= 5391; ++i)
        EXPECT_EQ(image.u8(i), 0xFF) << i; // record 0, bytes 24..31
    for (std::size_t i = 23348; i <= 23355; ++i)
        EXPECT_EQ(image.u8(i), 0xFF) << i; // record 499, bytes 24..31
    EXPECT_EQ(image.u8(5383), 0x00);
    EXPECT_EQ(image.u8(23356), 0x00); // check byte of record 499
    EXPECT_EQ(image.u8(23359), 0x00); // last byte of the image
}

TEST(UpdateRecordCheck, ComputesTheRuleOverTheRecordWhateverTheOldCheckByte) {
    struct Case {
        int record;
        std::size_t byte;
        std::uint8_t value;
        std::uint8_t check;
    };
    const Case cases[] = {
        {0, 0, 0x01, 0xFF},    // example of the rule
        {0, 0, 0x12, 0xEE},    // example of the rule
        {7, 33, 0x80, 0x80},   // a byte after the check byte counts too
        {499, 5, 0x03, 0xFD},  // the last record
        {250, 24, 0x00, 0x01}, // one 0xFF byte cleared: the FF run no longer cancels
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record);
        ConfigImage image;
        SetAllDefaults(image);
        const ConfigImage before = image;
        const std::size_t start = 5360 + 36 * std::size_t(c.record);
        image.setU8(start + c.byte, c.value);
        image.setU8(start + 32, 0x5C); // stale check byte: plays no part
        UpdateRecordCheck(image, c.record);
        EXPECT_EQ(image.u8(start + 32), c.check);
        // Nothing but the edited byte and the check byte differs.
        for (std::size_t i = 0; i < image.size(); ++i) {
            if (i != start + c.byte && i != start + 32) {
                ASSERT_EQ(image.u8(i), before.u8(i)) << "byte " << i;
            }
        }
    }
}

TEST(RemoveSpaces, ClosesGapsInsideTheSixteenByteField) {
    struct Case {
        const char* text;
        const char* result;
    };
    const Case cases[] = {
        {"123 456 78 9", "123456789"}, // 12 characters, three blanks
        {"", ""},
        {" 1", "1"},
        {"+7  912   3", "+79123"},
        {"               ", ""}, // fifteen blanks
        {"123456789012345", "123456789012345"},
    };
    constexpr std::size_t kField = 52;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ConfigImage image;
        image.fill(0, 200, 0x20); // blanks on both sides of the field
        image.setTextPadded(kField, 16, QString::fromLatin1(c.text));
        RemoveSpaces(image, kField);
        Bytes want(16, 0);
        std::copy(c.result, c.result + std::strlen(c.result), want.begin());
        EXPECT_EQ(Bytes(image.data() + kField, image.data() + kField + 16), want);
        EXPECT_EQ(image.u8(kField - 1), 0x20);
        EXPECT_EQ(image.u8(kField + 16), 0x20);
    }
}

TEST(RemoveSpaces, BlanksAfterAnUnterminatedTextNeverReachBeyondTheField) {
    // A field from a file may hold no terminator at all.
    ConfigImage image;
    image.fill(0, 100, 'x');
    const char text[] = "1 2 3 4 5 6 7 8 "; // 16 bytes, no zero
    std::memcpy(image.data() + 10, text, 16);
    RemoveSpaces(image, 10);
    const char want[16] = {'1', '2', '3', '4', '5', '6', '7', '8'};
    EXPECT_EQ(std::memcmp(image.data() + 10, want, 16), 0);
    EXPECT_EQ(image.u8(26), 'x');
}

TEST(RestoreGprsConnectionDefaults, ChangesExactlyTheFourStrategyBytes) {
    ConfigImage image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image.setU8(i, static_cast<std::uint8_t>(i * 7 + 1));
    const ConfigImage before = image;
    RestoreGprsConnectionDefaults(image);
    const std::uint8_t want[] = {255, 0x1B, 3, 3};
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (i >= 2934 && i <= 2937) {
            EXPECT_EQ(image.u8(i), want[i - 2934]) << i;
        } else {
            ASSERT_EQ(image.u8(i), before.u8(i)) << "byte " << i;
        }
    }
}

} // namespace
