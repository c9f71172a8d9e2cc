// The generic store and load of declared fields, on a small panel that has one
// control of every kind.
#include "pages/field_table.h"
#include "support/connection_pages_support.h"
#include "widgets/mask_edit.h"
#include "widgets/select_list.h"
#include "widgets/tri_state_box.h"

#include <QCheckBox>
#include <gtest/gtest.h>

namespace {

using pagetest::randomImage;

constexpr std::size_t kBase = 100;

struct Panel : QWidget {
    Panel() {
        list = add<SelectList>("List");
        list->setItems({"a", "b", "c"});
        check = add<QCheckBox>("Check");
        for (int n = 1; n <= 16; ++n)
            boxes[n - 1] = add<TriStateBox>(qPrintable(QStringLiteral("Box%1").arg(n)));
        padded = add<MaskEdit>("Padded");
        bounded = add<MaskEdit>("Bounded");
        keyWord = add<MaskEdit>("KeyWord");
        phone = add<MaskEdit>("Phone");
        phone->setEditMask(QStringLiteral("#99999999999999;1; "));
        wrap = add<LineEdit>("Wrap");
        clamp = add<LineEdit>("Clamp");
        port = add<MaskEdit>("Port");
        port->setEditMask(QStringLiteral("!99999;1; "));
        table = std::make_unique<FieldTable>(this, specs);
    }
    template <typename T> T* add(const char* name) {
        auto* w = new T(this);
        w->setObjectName(QString::fromLatin1(name));
        return w;
    }

    const std::vector<FieldSpec> specs = {
        listField("List", 0, 2, 4),
        checkField("Check", 0, 6),
        triStateField("Box", 1),
        textField("Padded", 5, 6, TextCopy::Padded, Trim::Both),
        textField("Bounded", 11, 6, TextCopy::Bounded, Trim::None),
        textField("KeyWord", 17, 5, TextCopy::Padded, Trim::Leading),
        textField("Phone", 22, 16, TextCopy::Padded, Trim::Both, true),
        intField("Wrap", 38, 2, IntRule::CapHighWrapLow, 0, 65535),
        intField("Clamp", 40, 1, IntRule::Clamp, 1, 247),
        intField("Port", 41, 2, IntRule::LeadingDigits, 0, 65535),
        customField("Nothing", 43, 1),
    };
    SelectList* list;
    QCheckBox* check;
    std::array<TriStateBox*, 16> boxes;
    MaskEdit *padded, *bounded, *keyWord, *phone, *port;
    LineEdit *wrap, *clamp;
    std::unique_ptr<FieldTable> table;
};

TEST(FieldTable, ListAndCheckChangeOnlyTheirBits) {
    Panel p;
    ConfigImage image = randomImage(1);
    image.setU8(kBase, 0b1010'0011);
    p.table->load(image, kBase);
    EXPECT_EQ(p.list->currentIndex(), 0);
    EXPECT_FALSE(p.check->isChecked());
    image.setU8(kBase, 0b1000'1011); // list value 2, check bit 6 clear
    p.table->load(image, kBase);
    EXPECT_EQ(p.list->currentIndex(), 2);
    EXPECT_FALSE(p.check->isChecked());
    p.list->selectIndex(1);
    p.check->setChecked(true);
    p.table->store(image, kBase);
    EXPECT_EQ(image.u8(kBase), 0b1100'0111) << "bits 0, 1, 5, 7 keep their values";
}

TEST(FieldTable, ListWithoutMatchingItemStoresTheValueBack) {
    Panel p;
    for (unsigned v = 3; v <= 7; ++v) {
        ConfigImage image = randomImage(v);
        image.setBits(kBase, 2, 4, v);
        const ConfigImage before = image;
        p.table->load(image, kBase);
        EXPECT_EQ(p.list->currentIndex(), -1);
        p.table->store(image, kBase);
        // -1 masked to three bits is 7: only value 7 survives unchanged.
        EXPECT_EQ(image.bits(kBase, 2, 4), 7u);
        EXPECT_EQ(image.u8(kBase) & 0b1010'0011, before.u8(kBase) & 0b1010'0011);
    }
}

TEST(FieldTable, TriStateMasksStoreAndLoad) {
    Panel p;
    ConfigImage image;
    // Input 1 greyed, input 2 checked, input 16 full bit without selected bit.
    image.setU16(kBase + 1, 0b0000'0000'0000'0011);
    image.setU16(kBase + 3, 0b1000'0000'0000'0010);
    p.table->load(image, kBase);
    EXPECT_EQ(p.boxes[0]->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(p.boxes[1]->checkState(), Qt::Checked);
    EXPECT_EQ(p.boxes[15]->checkState(), Qt::Checked);
    EXPECT_EQ(p.boxes[2]->checkState(), Qt::Unchecked);
    p.boxes[5]->setCheckState(Qt::PartiallyChecked);
    p.table->store(image, kBase);
    EXPECT_EQ(image.u16(kBase + 1), 0b1000'0000'0010'0011);
    EXPECT_EQ(image.u16(kBase + 3), 0b1000'0000'0000'0010);
}

TEST(FieldTable, TextCopyRules) {
    Panel p;
    ConfigImage image;
    image.fill(kBase + 5, 38, 0xAA);
    p.padded->setMaskedText(QStringLiteral("  abcdefgh  "));
    p.bounded->setMaskedText(QStringLiteral(" ab "));
    p.keyWord->setMaskedText(QStringLiteral("  Ба "));
    p.phone->setMaskedText(QStringLiteral("+7 912 34 5"));
    p.table->store(image, kBase);
    // Padded: trimmed, cut to size - 1, zero-filled.
    EXPECT_EQ(image.text(kBase + 5, 6), QStringLiteral("abcde"));
    EXPECT_EQ(image.u8(kBase + 10), 0);
    // Bounded: blanks kept, one zero, then the old bytes.
    EXPECT_EQ(image.text(kBase + 11, 6), QStringLiteral(" ab "));
    EXPECT_EQ(image.u8(kBase + 15), 0);
    EXPECT_EQ(image.u8(kBase + 16), 0xAA);
    // Leading blanks only; the trailing blank belongs to the word; cp1251.
    EXPECT_EQ(image.u8(kBase + 17), 0xC1);
    EXPECT_EQ(image.text(kBase + 17, 5), QStringLiteral("Ба "));
    // Blanks inside removed; the field stays zero-terminated.
    EXPECT_EQ(image.text(kBase + 22, 16), QStringLiteral("+7912345"));
    for (std::size_t i = 8; i < 16; ++i)
        EXPECT_EQ(image.u8(kBase + 22 + i), 0) << i;
}

TEST(FieldTable, UnterminatedTextLoadsWithinItsField) {
    Panel p;
    ConfigImage image;
    image.fill(kBase + 5, 6, 'x'); // no zero inside the field
    image.setU8(kBase + 11, 'y');
    p.table->load(image, kBase);
    EXPECT_EQ(p.padded->maskedText(), QStringLiteral("xxxxxx"));
    p.table->store(image, kBase);
    EXPECT_EQ(image.text(kBase + 5, 6), QStringLiteral("xxxxx"));
    EXPECT_EQ(image.u8(kBase + 10), 0);
}

TEST(FieldTable, IntegerRules) {
    struct Case {
        const char* text;
        unsigned expected;
    };
    const Case wrap[] = {{"70000", 65535}, {"65535", 65535}, {"abc", 0},
                         {"", 0},          {"-1", 65535},    {" 12 ", 12},
                         {"+7", 7},        {"1 2", 0},       {"99999999999", 0}};
    const Case clamp[] = {{"999", 247}, {"247", 247}, {"0", 1}, {"-3", 1}, {"x", 1}, {" 5 ", 5}};
    const Case port[] = {{"70000", 65535}, {"  502", 502}, {"", 0}, {"65535", 65535}};
    Panel p;
    ConfigImage image;
    for (const Case& c : wrap) {
        p.wrap->setText(QString::fromLatin1(c.text));
        p.table->store(image, kBase);
        EXPECT_EQ(image.u16(kBase + 38), c.expected) << c.text;
    }
    EXPECT_EQ(p.wrap->text(), QStringLiteral("99999999999"));
    p.wrap->setText(QStringLiteral("  42 "));
    p.table->store(image, kBase);
    EXPECT_EQ(p.wrap->text(), QStringLiteral("42")) << "the trimmed text goes back into the edit";
    for (const Case& c : clamp) {
        p.clamp->setText(QString::fromLatin1(c.text));
        p.table->store(image, kBase);
        EXPECT_EQ(image.u8(kBase + 40), c.expected) << c.text;
    }
    for (const Case& c : port) {
        p.port->setMaskedText(QString::fromLatin1(c.text));
        p.table->store(image, kBase);
        EXPECT_EQ(image.u16(kBase + 41), c.expected) << c.text;
    }
    image.setU16(kBase + 38, 65535);
    image.setU8(kBase + 40, 0);
    image.setU16(kBase + 41, 8080);
    p.table->load(image, kBase);
    EXPECT_EQ(p.wrap->text(), QStringLiteral("65535"));
    EXPECT_EQ(p.clamp->text(), QStringLiteral("0"));
    EXPECT_EQ(p.port->maskedText(), QStringLiteral(" 8080"));
}

TEST(FieldTable, BytesNoFieldClaimsSurviveRepeatedLoadsAndStores) {
    Panel p;
    ConfigImage image = randomImage(42);
    const ConfigImage before = image;
    for (int round = 0; round < 3; ++round) {
        p.table->load(image, kBase);
        p.table->store(image, kBase);
    }
    for (std::size_t i = 0; i < ConfigImage::size(); ++i) {
        if (i == kBase) {
            EXPECT_EQ(image.u8(i) & 0b1010'0011, before.u8(i) & 0b1010'0011);
            continue;
        }
        if (i > kBase && i < kBase + 43)
            continue; // the declared fields
        ASSERT_EQ(image.u8(i), before.u8(i)) << "offset " << i;
    }
}

TEST(FieldTableText, Ipv4FromMaskedText) {
    struct Case {
        const char* text;
        std::uint32_t expected;
    } cases[] = {
        {"192.168.  1. 20", 0xC0A80114u}, {"300.  1.  2.  3", 0xFF010203u},
        {"   .   .   .   ", 0},           {"", 0},
        {"  1.2  .3  .  4", 0x01020304u}, {"999.999.999.999", 0xFFFFFFFFu},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fieldtext::ipv4FromMaskedText(QString::fromLatin1(c.text)), c.expected) << c.text;
}

} // namespace
