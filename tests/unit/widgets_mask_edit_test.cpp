// The masked edit: the mask strings of the pages, the text form the store
// rules read, and typing.
#include "support/connection_pages_support.h"
#include "widgets/mask_edit.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct PlaceCase {
    const char* mask;
    const char* input;
    const char* expected;
};

TEST(MaskEdit, PlacesTextIntoTheMaskAndReportsEveryPosition) {
    const PlaceCase cases[] = {
        // '!' reports each group right-aligned.
        {"!999\\.999\\.999\\.999;1; ", "192.168.1.20", "192.168.  1. 20"},
        {"!999\\.999\\.999\\.999;1; ", "", "   .   .   .   "},
        {"!999\\.999\\.999\\.999;1; ", "0.0.0.0", "  0.  0.  0.  0"},
        {"!999.999.999.999;1; ", "000.000.000.000", "000.000.000.000"},
        {"!9999\\ Мин.;1; ", "15", "  15 Мин."},
        {"!9999\\ Мин.;1; ", "1275", "1275 Мин."},
        {"!9999\\ Мин.;1; ", "  15 Мин.", "  15 Мин."},
        {"!99999;1; ", "502", "  502"},
        {"!99999;1; ", "1234567", "12345"},
        // Without '!' empty positions trail.
        {"aaaaaaaa;1; ", "rilo", "rilo    "},
        {"aaaaaaaa;1; ", "Пароль12", "Пароль12"},
        {"aaaaaaaa;1; ", "ab_c-d", "abcd    "},
        {"99999999;1; ", "12ab34", "1234    "},
        {"9999;1; ", "123456", "1234"},
        {"#99999999999999;1; ", "+7912", "+7912          "},
        {"#99999999999999;1; ", "+7 912 345", "+7 912 345     "},
        // Fixed characters dropped from the report, upper case, blank char.
        {"99\\-99;0;_", "12-34", "1234"},
        {">aaa;1; ", "abc", "ABC"},
        {"999;1;_", "7", "7__"},
    };
    for (const PlaceCase& c : cases) {
        MaskEdit edit(QString::fromUtf8(c.mask));
        edit.setMaskedText(QString::fromUtf8(c.input));
        EXPECT_EQ(edit.maskedText(), QString::fromUtf8(c.expected))
            << "mask " << c.mask << " input " << c.input;
    }
}

TEST(MaskEdit, RightAlignedGroupsAreAlsoShownRightAligned) {
    MaskEdit edit(QStringLiteral("!999\\.999\\.999\\.999;1; "));
    edit.setMaskedText(QStringLiteral("10.0.1.254"));
    EXPECT_EQ(edit.displayText(), QStringLiteral(" 10.  0.  1.254"));
}

TEST(MaskEdit, TypingFillsThePositionsTheMaskAccepts) {
    struct TypeCase {
        const char* mask;
        const char* keys;
        const char* expected;
    } cases[] = {
        {"!999\\.999\\.999\\.999;1; ", "10.0.1.254", " 10.  0.  1.254"},
        {"99999999;1; ", "12ab34", "1234    "},
        {"#99999999999999;1; ", "+79121234567", "+79121234567   "},
        {"#99999999999999;1; ", "7+9", "79             "},
        // A blank empties its position; a character the mask refuses is skipped.
        {"aaaaaaaa;1; ", "ab cd!ef", "ab cdef "},
        {"!9999\\ Мин.;1; ", "17", "  17 Мин."},
    };
    for (const TypeCase& c : cases) {
        MaskEdit edit(QString::fromUtf8(c.mask));
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, QString::fromUtf8(c.keys));
        EXPECT_EQ(edit.maskedText(), QString::fromUtf8(c.expected)) << "mask " << c.mask;
    }
}

TEST(MaskEdit, TypingOverAnOldAddressLeavesNoDigitsBehind) {
    MaskEdit edit(QStringLiteral("!999\\.999\\.999\\.999;1; "));
    for (const char* old : {"0.0.0.0", "255.255.255.255", "1.22.133.4"}) {
        edit.setMaskedText(QString::fromLatin1(old));
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, QStringLiteral("192.168.1.20"));
        EXPECT_EQ(edit.maskedText(), QStringLiteral("192.168.  1. 20")) << old;
    }
    // A separator typed right after a full group only moves on.
    edit.setMaskedText(QString());
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, QStringLiteral("123.4"));
    EXPECT_EQ(edit.maskedText(), QStringLiteral("123.  4.   .   "));

    // Right-aligned minutes: typing from the left replaces the old number; a
    // refused character keeps it.
    MaskEdit minutes(QStringLiteral("!9999\\ Мин.;1; "));
    minutes.setMaskedText(QStringLiteral("15"));
    minutes.setCursorPosition(0);
    QTest::keyClicks(&minutes, QStringLiteral("x"));
    EXPECT_EQ(minutes.maskedText(), QStringLiteral("  15 Мин."));
    QTest::keyClicks(&minutes, QStringLiteral("30"));
    EXPECT_EQ(minutes.maskedText(), QStringLiteral("  30 Мин."));

    // Without '!' typing overwrites one position at a time.
    MaskEdit pin(QStringLiteral("99999999;1; "));
    pin.setMaskedText(QStringLiteral("1234"));
    pin.setCursorPosition(0);
    QTest::keyClicks(&pin, QStringLiteral("9"));
    EXPECT_EQ(pin.maskedText(), QStringLiteral("9234    "));
}

TEST(MaskEdit, TypingCyrillicLettersIntoALetterMask) {
    MaskEdit edit(QStringLiteral("aaaaaaaa;1; "));
    edit.setCursorPosition(0);
    pagetest::typeText(&edit, QStringLiteral("Дом7ё"));
    EXPECT_EQ(edit.maskedText(), QStringLiteral("Дом7ё   "));
}

TEST(MaskEdit, EmptyMaskIsAPlainEdit) {
    MaskEdit edit;
    edit.setMaskedText(QStringLiteral("  host.example.org "));
    EXPECT_EQ(edit.maskedText(), QStringLiteral("  host.example.org "));
    edit.setEditMask(QStringLiteral("!999.999.999.999;1; "));
    EXPECT_EQ(edit.maskedText(), QStringLiteral("   .   .   .   "))
        << "a new mask empties the edit";
    edit.setEditMask(QString());
    EXPECT_EQ(edit.inputMask(), QString());
    edit.setMaxLength(33);
    edit.setMaskedText(QString(40, QLatin1Char('x')));
    EXPECT_EQ(edit.maskedText().size(), 33);
}

TEST(MaskEdit, TranslatesMaskCharacters) {
    const MaskEdit::ParsedMask p = MaskEdit::parse(QStringLiteral("!0L<>lAaCc#9:/_x;0;*"));
    EXPECT_TRUE(p.rightAlign);
    EXPECT_FALSE(p.saveLiterals);
    EXPECT_EQ(p.blank, QLatin1Char('*'));
    // Required digit, letter; case off; optional letter, required and optional
    // letter-or-digit, any character, digit-or-sign, optional digit; fixed ':',
    // the date separator '.', a fixed blank and a fixed 'x'.
    EXPECT_EQ(p.qtMask, QStringLiteral("9A!aNnXx#0\\:\\.\\ \\x;*"));
    EXPECT_EQ(p.fixed, (std::vector<bool>{false, false, false, false, false, false, false, false,
                                          false, true, true, true, true}));
    EXPECT_EQ(MaskEdit::parse(QString()).qtMask, QString());
}

TEST(MaskEdit, ReportsLeavingForAnotherControlOnly) {
    QWidget window;
    auto* a = new MaskEdit(QStringLiteral("9999;1; "), &window);
    auto* b = new LineEdit(&window);
    b->move(0, 40);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy left(a, &LineEdit::exited);
    a->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
    b->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(left.count(), 1);

    // The window losing the focus is not leaving the edit.
    QSignalSpy leftB(b, &LineEdit::exited);
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(b, &out);
    EXPECT_EQ(leftB.count(), 0);
}

} // namespace
