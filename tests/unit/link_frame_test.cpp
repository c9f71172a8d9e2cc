// The wire format: check byte, request frames, frame parsing, and how the
// simulated controller splits a byte stream into mode switches, frames and junk.
#include "link/frame.h"
#include "model/frame_receiver.h"

#include <gtest/gtest.h>

namespace {

// Hexadecimal text to bytes; blanks are skipped.
QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

TEST(FrameChecksum, KnownValues) {
    EXPECT_EQ(FrameChecksum(QByteArray("abc")), 0xA0);
    EXPECT_EQ(FrameChecksum(QByteArray(1, '\0')), 0x00);
    EXPECT_EQ(FrameChecksum(QByteArray()), 0x00);
    // XOR of 05 00 00 is 05; its two's complement is FB.
    EXPECT_EQ(FrameChecksum(hex("050000")), 0xFB);
    EXPECT_EQ(FrameChecksum(hex("FF")), 0x01);
}

TEST(FrameBuild, RequestsAsTheControllerExpectsThem) {
    EXPECT_EQ(frame::build(5, {}), hex("05050000FB"));
    EXPECT_EQ(frame::build(16, QByteArray(1, '\0')), hex("05100100 00EF"));
    EXPECT_EQ(frame::blockReadRequest(7, 0, 256), hex("050708000000000000010000F2"));
    EXPECT_EQ(frame::modeSwitchLine(), QByteArray("BINARY\r"));
}

TEST(FrameBuild, BlockWriteCarriesAddressCountAndData) {
    const QByteArray data = hex("0102030405");
    const QByteArray f = frame::blockWriteRequest(6, 0x01020304, data);
    ASSERT_EQ(f.size(), data.size() + 11);
    EXPECT_EQ(f.left(4), hex("0506 0B00"));  // start, command, length K+6 = 11
    EXPECT_EQ(f.mid(4, 4), hex("04030201")); // address, little-endian
    EXPECT_EQ(f.mid(8, 2), hex("0500"));     // count
    EXPECT_EQ(f.mid(10, 5), data);
    EXPECT_TRUE(frame::checksumMatches(f));
}

TEST(FrameParse, AcceptsOnlyOneWellFormedFrame) {
    const QByteArray good = frame::build(12, hex("AABB"));
    const auto parsed = frame::parse(good);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->command, 12);
    EXPECT_EQ(parsed->payload, hex("AABB"));

    QByteArray badCheck = good;
    badCheck[badCheck.size() - 1] = static_cast<char>(badCheck.back() ^ 1);
    QByteArray badStart = good;
    badStart[0] = 0x06;
    const QByteArray cases[] = {badCheck,   badStart,    good.left(good.size() - 1),
                                good + 'x', hex("0505"), QByteArray()};
    for (const QByteArray& c : cases)
        EXPECT_FALSE(frame::parse(c)) << c.toHex().constData();
}

// Feeds bytes one at a time at the given times; collects what the receiver completed.
std::vector<ReceivedItem> feed(FrameReceiver& r, const QByteArray& bytes, qint64 at = 0) {
    std::vector<ReceivedItem> all;
    for (char c : bytes)
        for (auto& item : r.feed(static_cast<std::uint8_t>(c), at))
            all.push_back(item);
    return all;
}

TEST(FrameReceiver, ModeSwitchFramesAndJunkInOneStream) {
    FrameReceiver r;
    const QByteArray stream = QByteArray("noise\r") + "BINARY\r" + frame::build(5, {}) +
                              QByteArray("xyBINARY\r") + frame::build(17, QByteArray(9, 'p'));
    const auto items = feed(r, stream);
    using T = ReceivedItem::Type;
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].type, T::Junk);
    EXPECT_EQ(items[0].bytes, QByteArray("noise\r"));
    EXPECT_EQ(items[1].type, T::ModeSwitch);
    EXPECT_EQ(items[2].type, T::Frame);
    EXPECT_EQ(items[2].bytes, hex("05050000FB"));
    EXPECT_EQ(items[3].type, T::Junk);
    EXPECT_EQ(items[3].bytes, QByteArray("xy"));
    EXPECT_EQ(items[4].type, T::ModeSwitch);
    EXPECT_EQ(items[5].type, T::Frame);
    EXPECT_EQ(items[5].bytes.size(), 14);
}

TEST(FrameReceiver, BadFramesAreReportedAndTheStreamRecovers) {
    using T = ReceivedItem::Type;
    {
        FrameReceiver r;
        QByteArray f = frame::build(12, {});
        f[f.size() - 1] = 0;
        const auto items = feed(r, f + frame::build(5, {}));
        ASSERT_EQ(items.size(), 2u);
        EXPECT_EQ(items[0].type, T::BadFrame);
        EXPECT_EQ(items[0].note, QStringLiteral("wrong check byte"));
        EXPECT_EQ(items[1].type, T::Frame);
    }
    {
        // A length no controller accepts: dropped at once, not waited for.
        FrameReceiver r;
        const auto items = feed(r, hex("0505FFFF") + frame::build(5, {}));
        ASSERT_EQ(items.size(), 2u);
        EXPECT_EQ(items[0].type, T::BadFrame);
        EXPECT_EQ(items[1].type, T::Frame);
    }
    {
        // A frame whose bytes stop is dropped when the next byte comes too late.
        FrameReceiver r;
        EXPECT_TRUE(feed(r, hex("05050000"), 0).empty());
        const auto items = feed(r, frame::build(5, {}), FrameReceiver::kFrameGapMs + 1);
        ASSERT_EQ(items.size(), 2u);
        EXPECT_EQ(items[0].type, T::BadFrame);
        EXPECT_EQ(items[0].note, QStringLiteral("cut off"));
        EXPECT_EQ(items[1].type, T::Frame);
    }
    {
        // A long line of junk still lets a mode switch through at its end.
        FrameReceiver r;
        const auto items = feed(r, QByteArray(200, 'z') + "BINARY\r");
        ASSERT_FALSE(items.empty());
        EXPECT_EQ(items.back().type, T::ModeSwitch);
        for (std::size_t i = 0; i + 1 < items.size(); ++i)
            EXPECT_EQ(items[i].type, T::Junk);
    }
}

} // namespace
