#include "book/Quotes.h"

#include <gtest/gtest.h>

#include "platform/Ansi.h"

namespace {

const QString kOpen(ansi::chr(147));
const QString kClose(ansi::chr(148));

TEST(ConvertQuotes, AllThreeQuotesBecomeMarkersAndComeBackAlternating) {
    int toggle = 0;
    const QString stored = ConvertQuotes("a\"b" + kOpen + "c" + kClose + "d", 0, toggle, true);
    EXPECT_EQ(stored, "a@b@c@d");
    EXPECT_EQ(toggle, 0);
    EXPECT_EQ(ConvertQuotes(stored, 1, toggle, true), "a" + kOpen + "b" + kClose + "c" + kOpen + "d");
    EXPECT_EQ(toggle, 1);  // the last quote opened
}

TEST(ConvertQuotes, AnotherTitleFontGivesStraightQuotes) {
    int toggle = 0;
    EXPECT_EQ(ConvertQuotes("@hi@ @", 1, toggle, false), "\"hi\" \"");
}

TEST(ConvertQuotes, AlternationRunsAcrossBlocksUntilTheCallerResetsIt) {
    int toggle = 0;
    EXPECT_EQ(ConvertQuotes("@Run,", 1, toggle, true), kOpen + "Run,");
    EXPECT_EQ(ConvertQuotes("Hen!@", 1, toggle, true), "Hen!" + kClose);
    EXPECT_EQ(ConvertQuotes("@No", 1, toggle, true), kOpen + "No");
    toggle = 0;  // next frame
    EXPECT_EQ(ConvertQuotes("said @Cat@", 1, toggle, true), "said " + kOpen + "Cat" + kClose);
}

TEST(ConvertQuotes, TypedMarkerComesBackAsAQuoteAndPlainTextPasses) {
    int toggle = 0;
    EXPECT_EQ(ConvertQuotes(ConvertQuotes("me@home", 0, toggle, true), 1, toggle, true),
              "me" + kOpen + "home");
    toggle = 0;
    const QString plain = QStringLiteral("Plain text, it's here.");
    EXPECT_EQ(ConvertQuotes(plain, 0, toggle, true), plain);
    EXPECT_EQ(ConvertQuotes(plain, 1, toggle, true), plain);
    EXPECT_EQ(toggle, 0);
}

}  // namespace
