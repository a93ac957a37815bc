// Password scrambling: the fixed key, exact round trips, and what counts as no password.
#include <gtest/gtest.h>
#include <random>

#include "core/Globals.h"
#include "core/Password.h"
#include "platform/Ansi.h"
#include "platform/Lang.h"

namespace {

TEST(Password, TheEmptyPasswordScramblesToItsKnownBytes) {
    const QString s = ScramblePassword("", 8);
    EXPECT_EQ(ansi::encode(s), QByteArray::fromHex("71307546 4F68415A"));
    EXPECT_EQ(DescramblePassword(s, 8), "");
    EXPECT_EQ(ScramblePassword("        ", 8), s);
}

TEST(Password, EveryTextOfCodes32To127ComesBack) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> code(32, 127);
    std::uniform_int_distribution<int> length(0, 10);
    auto check = [](const QString& text) {
        const QString s = ScramblePassword(text, 8);
        ASSERT_EQ(s.size(), 8);
        for (QChar c : s) {
            EXPECT_GE(ansi::code(c), 32);
            EXPECT_LE(ansi::code(c), 127);
        }
        // Beyond the width the text is cut; blank padding is trimmed.
        EXPECT_EQ(DescramblePassword(s, 8), lang::Trim(text.left(8))) << text.toStdString();
    };
    // Every code at every position, then random texts.
    for (int c = 32; c <= 127; ++c)
        for (int pos = 0; pos < 8; ++pos) {
            QString t = "ABCDEFGH";
            t[pos] = ansi::chr(c);
            check(t);
        }
    for (int round = 0; round < 2000; ++round) {
        QString t;
        for (int i = length(rng); i > 0; --i)
            t += ansi::chr(code(rng));
        check(t);
    }
    check("AB");
}

TEST(Password, OtherWidthsAndControlCodes) {
    const QString s = ScramblePassword("KESTROW1", 3);
    EXPECT_EQ(s.size(), 3);
    EXPECT_EQ(DescramblePassword(s, 3), "KES");
    // Codes below 32 are kept as they are, and the key runs on past them.
    const QString withTab = ScramblePassword(QString("A\tB"), 8);
    EXPECT_EQ(withTab[1], u'\t');
    EXPECT_EQ(DescramblePassword(withTab, 8), "A\tB");
    // A long width must not overflow the running key.
    const QString longText = QString(300, u'Q');
    EXPECT_EQ(DescramblePassword(ScramblePassword(longText, 300), 300), longText);
}

TEST(Password, BlankOrZeroFieldsHoldNoPassword) {
    resetGlobals();
    FixedText<8> field;
    EXPECT_FALSE(PasswordIsSet(field));  // zero bytes
    EXPECT_EQ(ClearPassword(field), "");
    field.setBytes(QByteArray(8, ' '));
    EXPECT_FALSE(PasswordIsSet(field));
    field.setText(ScramblePassword("", 8));
    EXPECT_FALSE(PasswordIsSet(field));
    field.setText(ScramblePassword("CAT9", 8));
    EXPECT_TRUE(PasswordIsSet(field));
    EXPECT_EQ(ClearPassword(field), "CAT9");

    GlobalSettings.Password = field;
    EXPECT_TRUE(PasswordIsSet());
    EXPECT_EQ(CurrentPassword(), "CAT9");
    resetGlobals();
}

// A GLOBSET.DAT that ends inside the password field is read with zero bytes after its end: what
// is there decides, the zeros are padding.
TEST(Password, AFieldCutShortByTheFileKeepsWhatIsThere) {
    const QByteArray flags(6, '\x01');
    for (const char* clear : {"", "CAT", "AB12CD34"}) {
        const QByteArray scrambled = ansi::encode(ScramblePassword(clear, 8));
        for (int kept = 0; kept <= 8; ++kept) {
            const GlobalSettingsRecord g = GlobalSettingsRecord::decode(flags + scrambled.left(kept));
            const QString expected = lang::Trim(QString::fromLatin1(clear).left(kept));
            EXPECT_EQ(ClearPassword(g.Password), expected) << clear << " kept " << kept;
            EXPECT_EQ(PasswordIsSet(g.Password), !expected.isEmpty()) << clear << " kept " << kept;
        }
    }
}

TEST(Password, NoTypeablePasswordScramblesToBlanksOrZeros) {
    // The first character decides: none of A-Z, 0-9 or blank scrambles to a blank or a zero byte.
    const QString typeable = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";
    for (QChar c : typeable) {
        const QString s = ScramblePassword(QString(c), 8);
        EXPECT_NE(s[0], u' ') << c.toLatin1();
        EXPECT_NE(s[0], QChar(0)) << c.toLatin1();
    }
}

}  // namespace
