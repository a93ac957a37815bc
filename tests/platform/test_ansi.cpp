#include <gtest/gtest.h>

#include "platform/Ansi.h"

namespace {

TEST(Ansi, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = ansi::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ansi::encode(text), all);
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(ansi::code(ansi::chr(b)), b) << b;
        EXPECT_EQ(ansi::chr(b), text[b]) << b;
    }
}

TEST(Ansi, HighBytesAreTheCodePageCharacters) {
    struct Case {
        int byte;
        char16_t unicode;
    };
    const Case cases[] = {
        {0x80, 0x20AC},  // euro sign
        {0x81, 0x0081},  // undefined: kept as the control character
        {0x85, 0x2026},  // ellipsis
        {0x8A, 0x0160},  // S caron
        {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090},
        {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D},
        {0x96, 0x2013}, {0x97, 0x2014},
        {0x99, 0x2122},  // trade mark
        {0x9C, 0x0153},  // oe
        {0x9D, 0x009D},
        {0x9F, 0x0178},  // Y diaeresis
        {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ansi::chr(c.byte).unicode(), c.unicode) << c.byte;
        EXPECT_EQ(ansi::code(QChar(c.unicode)), c.byte) << c.byte;
    }
}

TEST(Ansi, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    // U+0080 and U+0098 are C1 controls that the code page does not hold (their bytes
    // carry the euro sign and the small tilde).
    for (char16_t u : {char16_t(0x0080), char16_t(0x0098), char16_t(0x0100), char16_t(0x03B1),
                       char16_t(0x4E2D), char16_t(0xFFFD)})
        EXPECT_EQ(ansi::code(QChar(u)), '?') << int(u);
    EXPECT_EQ(ansi::encode(QString::fromUtf8("a\u03B1\u20ACb")), QByteArray("a?\x80" "b"));
    // One byte per UTF-16 unit, so a character beyond the basic plane gives two.
    EXPECT_EQ(ansi::encode(QString::fromUtf8("x\U0001F600y")), QByteArray("x??y"));
}

TEST(Ansi, DecodeKeepsNulAndCtrlZ) {
    const QByteArray bytes("a\0b\x1a", 4);
    const QString text = ansi::decode(bytes);
    ASSERT_EQ(text.size(), 4);
    EXPECT_EQ(text[1].unicode(), 0);
    EXPECT_EQ(text[3].unicode(), 26);
}

}  // namespace
