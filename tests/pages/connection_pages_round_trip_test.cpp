// Loading a page and storing it again changes no bit the page does not edit,
// for the default image and for images of random bytes, over repeated visits.
#include "pages/connection_common_page.h"
#include "pages/connection_page.h"
#include "pages/gprs_common_page.h"
#include "pages/server_page.h"
#include "pages/ui_texts.h"
#include "support/connection_pages_support.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using pagetest::defaultImage;
using pagetest::randomImage;

// Bits a page may write: image offset -> mask.
using Edited = std::map<std::size_t, std::uint8_t>;

void addRange(Edited& e, std::size_t from, std::size_t to, std::uint8_t mask = 0xFF) {
    for (std::size_t i = from; i <= to; ++i)
        e[i] |= mask;
}

Edited page1Bits() {
    Edited e;
    e[12] = 0xFF;
    e[13] = 0x1F;
    e[14] = 0xFF;
    addRange(e, 20, 67);
    addRange(e, 2820, 2840);
    return e;
}

Edited connectionBits(int pageIndex) {
    const std::size_t b = 68 + 36 * std::size_t(pageIndex - 2);
    Edited e;
    addRange(e, b, b + 15);
    e[b + 16] = 0x3F;
    e[b + 17] = 0x3F;
    e[b + 18] = 0xFF;
    e[b + 19] = 0xFF;
    e[b + 20] = 0x03;
    addRange(e, b + 22, b + 26);
    e[b + 27] = 0x0F;
    e[b + 28] = 0x0F;
    e[b + 29] = 0x3F;
    addRange(e, b + 30, b + 34);
    e[b + 35] = 0x1F;
    return e;
}

Edited gprsBits() {
    Edited e;
    addRange(e, 2852, 2918);
    addRange(e, 2920, 2932);
    e[2933] = 0x17;
    addRange(e, 2934, 2936);
    e[2937] = 0x1F;
    for (std::size_t off : {2980u, 3024u, 3068u})
        e[off] = 0xF0;
    return e;
}

Edited serverBits(int pageIndex) {
    const std::size_t s = 2940 + 44 * std::size_t(pageIndex - 11);
    Edited e;
    addRange(e, s, s + 33);
    addRange(e, s + 36, s + 37);
    e[s + 38] = 0x01;
    e[s + 40] = 0x01;
    return e;
}

struct PageCase {
    Page* page;
    int pageIndex;
    Edited edited;
};

class RoundTrip : public ::testing::Test {
protected:
    UiTexts texts = UiTexts::russian();
    ConnectionCommonPage common{texts};
    ConnectionPage connection{texts};
    GprsCommonPage gprs{texts};
    ServerPage server{texts};

    std::vector<PageCase> cases() {
        std::vector<PageCase> all{{&common, 1, page1Bits()}};
        for (int p = 2; p <= 9; ++p)
            all.push_back({&connection, p, connectionBits(p)});
        all.push_back({&gprs, 10, gprsBits()});
        for (int p = 11; p <= 13; ++p)
            all.push_back({&server, p, serverBits(p)});
        return all;
    }

    static void visit(const PageCase& c, ConfigImage& image) {
        c.page->prepare(c.pageIndex);
        c.page->loadPage(image, c.pageIndex);
        c.page->storePage(image, c.pageIndex);
    }
};

TEST_F(RoundTrip, DefaultImageIsKeptExceptTheFullDurationOfAlwaysConnected) {
    ConfigImage expected = defaultImage();
    // Strategy "always connected" stores 30 minutes as the connection length.
    expected.setBits(2937, 0, 4, 30);
    ConfigImage image = defaultImage();
    for (int round = 0; round < 2; ++round)
        for (const PageCase& c : cases())
            visit(c, image);
    EXPECT_EQ(pagetest::differences(expected, image), "");
}

TEST_F(RoundTrip, EachPageOfTheDefaultImageAlone) {
    for (const PageCase& c : cases()) {
        ConfigImage image = defaultImage();
        visit(c, image);
        const std::string diff = pagetest::differences(defaultImage(), image);
        EXPECT_EQ(diff, c.pageIndex == 10 ? "2937: 3 -> 30\n" : "") << "page " << c.pageIndex;
    }
}

TEST_F(RoundTrip, RandomImagesKeepEveryBitThePagesDoNotEdit) {
    for (unsigned seed : {1u, 7u, 2024u, 99991u}) {
        for (const PageCase& c : cases()) {
            const ConfigImage original = randomImage(seed * 100 + unsigned(c.pageIndex));
            ConfigImage image = original;
            visit(c, image);
            const ConfigImage once = image;
            visit(c, image);
            visit(c, image);
            EXPECT_EQ(pagetest::differences(once, image), "")
                << "page " << c.pageIndex << " seed " << seed << ": a second visit changed bytes";
            for (std::size_t i = 0; i < ConfigImage::size(); ++i) {
                const auto it = c.edited.find(i);
                const std::uint8_t keep = it == c.edited.end() ? 0xFF : std::uint8_t(~it->second);
                ASSERT_EQ(image.u8(i) & keep, original.u8(i) & keep)
                    << "page " << c.pageIndex << " seed " << seed << " offset " << i;
            }
        }
    }
}

} // namespace
