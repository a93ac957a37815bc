#include "book/WritingRefit.h"

#include <gtest/gtest.h>

namespace {

using writingrefit::BlockSlot;
using writingrefit::Caret;

// Every character 100 twips wide: a line of width 630 takes words while the line with its
// blank stays under 600 twips (five characters).
const booklayout::TextMeasure kMeasure{[](const QString& s) { return 100.0 * double(s.size()); },
                                       [](const QString&) { return 200.0; }};

TEST(RefitBlocks, DealsTheJoinedTextOutLineByLine) {
    const struct {
        const char* name;
        QStringList texts;
        QList<BlockSlot> places;
        double scaleX;
        bool fits;
        QStringList after;
    } cases[] = {
        {"no block present", {"ab ", "cd "}, {{false, 630}, {false, 630}}, 1.0, true, {"ab ", "cd "}},
        {"a full line wraps", {"ab cd ", ""}, {{true, 630}, {true, 630}}, 1.0, true, {"ab ", "cd "}},
        {"widths are scaled, halves to even", {"ab cd ", ""}, {{true, 1261}, {true, 1261}}, 0.5, true, {"ab ", "cd "}},
        {"lines join again", {"ab ", "c ", "d "}, {{true, 630}, {true, 630}, {true, 630}}, 1.0, true, {"ab c ", "d ", ""}},
        {"exactly full", {"abcd ", "efgh "}, {{true, 630}, {true, 630}}, 1.0, true, {"abcd ", "efgh "}},
        {"one word more", {"abcd ", "efgh i "}, {{true, 630}, {true, 630}}, 1.0, false, {"abcd ", "efgh "}},
        {"only blanks left over", {"abcd  ", ""}, {{true, 630}}, 1.0, true, {"abcd ", ""}},
        {"a line too narrow for anything", {"a ", ""}, {{true, 20}, {true, 630}}, 1.0, false, {"a ", ""}},
        {"a leading blank goes back up", {"abcd  ef ", ""}, {{true, 630}, {true, 630}}, 1.0, true, {"abcd  ", "ef "}},
        {"a leading blank that does not fit stays", {"abcd  ef ", ""}, {{true, 620}, {true, 630}}, 1.0, true,
         {"abcd ", " ef "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList texts = c.texts;
        EXPECT_EQ(writingrefit::refitBlocks(texts, c.places, c.scaleX, kMeasure), c.fits);
        EXPECT_EQ(texts, c.after);
    }
}

TEST(CarryCaret, KeepsTheCaretAtTheSameCharacterOfThePage) {
    auto all = [](int) { return true; };
    auto firstTwo = [](int b) { return b <= 2; };
    const struct {
        const char* name;
        QStringList before, after;
        Caret old;
        int offset;
        std::function<bool(int)> visible;
        Caret expected;
    } cases[] = {
        {"end of a line is the start of the next", {"hello ", "world "}, {"hello ", "world "}, {1, 6}, 0, all, {2, 0}},
        {"behind a typed character on its new line", {"ab cd ", ""}, {"ab ", "cde "}, {1, 5}, 1, all, {2, 3}},
        {"same line", {"ab cd ", ""}, {"ab xcd ", ""}, {1, 3}, 1, all, {1, 4}},
        {"past the page: end of the last visible text", {"ab ", "cd ", ""}, {"ab ", "cd ", ""}, {2, 3}, 0, firstTwo,
         {2, 3}},
        {"nothing visible with text keeps the box", {"", ""}, {"", ""}, {2, 0}, 0, [](int) { return false; }, {2, 0}},
        {"no caret block", {"ab "}, {"ab "}, {0, 2}, 1, all, {0, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Caret got = writingrefit::carryCaret(c.before, c.after, c.old, c.offset, c.visible);
        EXPECT_EQ(got.block, c.expected.block);
        EXPECT_EQ(got.pos, c.expected.pos);
    }
}

}  // namespace
