// The book window's arithmetic: placements at given scales, file names, the activity line,
// the help captions, and the word measuring with a font of known widths.
#include "book/BookLayout.h"

#include <cmath>
#include <gtest/gtest.h>

#include "core/Activity.h"
#include "core/Session.h"

using namespace booklayout;

namespace {

void expectRect(const TwipRect& r, double left, double top, double width, double height) {
    EXPECT_DOUBLE_EQ(r.left, left);
    EXPECT_DOUBLE_EQ(r.top, top);
    EXPECT_DOUBLE_EQ(r.width, width);
    EXPECT_DOUBLE_EQ(r.height, height);
}

// Every character 100 twips wide except the blank (50) and "i" (40); lines 300 high.
TextMeasure knownFont() {
    return TextMeasure{[](const QString& s) {
                           double w = 0;
                           for (QChar c : s)
                               w += c == u' ' ? 50 : c == u'i' ? 40 : 100;
                           return w;
                       },
                       [](const QString&) { return 300.0; }};
}

struct Word {
    QString chunk;
    int left, width, markLeft, markWidth;
};

void expectWords(const FrameWordTable& t, const std::vector<Word>& expected, int top) {
    ASSERT_EQ(t.FrameWordCount(), int(expected.size()));
    for (int i = 0; i < t.FrameWordCount(); ++i) {
        SCOPED_TRACE(expected[size_t(i)].chunk.toStdString());
        EXPECT_EQ(t.FrameWords[i], expected[size_t(i)].chunk);
        EXPECT_EQ(t.FrameWordLeft[i], expected[size_t(i)].left);
        EXPECT_EQ(t.FrameWordWidth[i], expected[size_t(i)].width);
        EXPECT_EQ(t.FrameWordMarkLeft[i], expected[size_t(i)].markLeft);
        EXPECT_EQ(t.FrameWordMarkWidth[i], expected[size_t(i)].markWidth);
        EXPECT_EQ(t.FrameWordTop[i], top);
        EXPECT_EQ(t.FrameWordHeight[i], 300);
    }
}

}  // namespace

TEST(BookLayout, PicturesStretchedAtTheUniformScaleWithTheCoverCentred) {
    const std::array<int, 4> cover{2460, 1320, 5400, 4560};
    const std::array<int, 4> wide{1560, 240, 3000, 3900};
    // Design size: nothing moves.
    expectRect(stretchedPictureRect(cover, 1, 1, 1, true), 2460, 1320, 5400, 4560);
    // The cover at gScaleX 1 and gScale 0.8, 3000 wide, moves right by 300.
    const float s08 = 0.8f;
    const TwipRect c = stretchedPictureRect(wide, 1, double(s08), double(s08), true);
    EXPECT_DOUBLE_EQ(c.left, 1560 + 300);
    EXPECT_NEAR(c.width, 3000 * 0.8, 1e-3);
    EXPECT_NEAR(c.top, 240 * 0.8, 1e-3);
    // The same slot on another page is not centred.
    EXPECT_DOUBLE_EQ(stretchedPictureRect(wide, 1, double(s08), double(s08), false).left, 1560);
    // No shift when the uniform scale is the horizontal one.
    EXPECT_DOUBLE_EQ(stretchedPictureRect(cover, 0.6, 0.9, 0.6, true).left, 2460 * 0.6);
    // Above 1 on a large screen: 5 across, 4.5 down; the cover moves right by 2700 \ 2.
    const TwipRect big = stretchedPictureRect(cover, 5.0, 4.5, 4.5, true);
    expectRect(big, 2460 * 5.0 + 1350, 1320 * 4.5, 5400 * 4.5, 4560 * 4.5);
    EXPECT_GT(big.left + big.width, 32767.0);  // beyond 16 bits, still right
}

TEST(BookLayout, StretchAndButtonStripRules) {
    EXPECT_FALSE(picturesStretch(1.0f, 15));
    EXPECT_TRUE(picturesStretch(1.0f, 12));
    EXPECT_TRUE(picturesStretch(0.8f, 15));
    EXPECT_TRUE(picturesStretch(1.25f, 15));
    EXPECT_FALSE(useBigButtonPictures(0.74f));
    EXPECT_TRUE(useBigButtonPictures(std::nextafter(0.74f, 1.0f)));
    EXPECT_FALSE(useBigButtonPictures(0.6f));
    EXPECT_TRUE(useBigButtonPictures(2.0f));
}

TEST(BookLayout, BlockLabelsTitleCreditsAndColumn) {
    const std::array<int, 5> block{1080, 4500, 8160, 690, 1500};
    // The label runs from its own left to the block's right edge.
    expectRect(blockLabelRect(block, 1, 1), 1500, 4500, 1080 + 8160 - 1500, 690);
    expectRect(blockLabelRect(block, 0.5, 2), 750, 9000, (1080 + 8160 - 1500) * 0.5, 1380);
    expectRect(blockBoxRect(block, 0.5, 2), 540, 9000, 4080, 1380);

    // Centred on 5160 x sx; w \ 2 truncates, the result rounds half to even.
    EXPECT_DOUBLE_EQ(centredTitleLeft(3001, 1), 5160 - 1500);
    EXPECT_DOUBLE_EQ(centredTitleLeft(0, 0.8125), 4192);  // 4192.5
    EXPECT_DOUBLE_EQ(centredTitleLeft(2, 0.8125), 4192);  // 4191.5
    EXPECT_DOUBLE_EQ(centredTitleLeft(4, 0.8125), 4190);  // 4190.5

    expectRect(scaledTwips(kCredits, 0.5, 0.5), 1050, 3060, 3075, 150);
    expectRect(scaledTwips(kMenuPlace, 0.5, 2), 0, 9960, 352.5, 3300);
    expectRect(scaledTwips(kEarPlace, 1, 1), 0, 3330, 705, 1650);
}

TEST(BookLayout, FileNamesOfABook) {
    EXPECT_EQ(sentenceSoundFileName(QStringLiteral("01PIP"), 7), QStringLiteral("WAVS\\01PIP\\SNT07.WAV"));
    EXPECT_EQ(sentenceSoundFileName(QStringLiteral("01PIP"), 12), QStringLiteral("WAVS\\01PIP\\SNT12.WAV"));
    EXPECT_EQ(sentenceSoundFileName(QStringLiteral("01PIP"), 100), QStringLiteral("WAVS\\01PIP\\SNT00.WAV"));
    EXPECT_EQ(pictureFileName(QStringLiteral("08FROG"), QStringLiteral("SUN03")), QStringLiteral("BMPS\\08FROG\\SUN03.BMP"));
    EXPECT_EQ(coverPictureFileName(QStringLiteral("08FROG")), QStringLiteral("BMPS\\08FROG\\08FROG.DIB"));
}

TEST(BookLayout, ActivityLineEndsTheMinutesInOneColumn) {
    const QString title = QStringLiteral("Pip the Pup");
    const QString padded = title + QString(30 - title.size(), u' ');
    struct Case {
        int activity;
        float seconds;
        QString line;
    } cases[] = {
        {activity::Reading, 9, QStringLiteral("   Reading     ") + padded + QStringLiteral("   0 mins\r\n")},
        {activity::Reading, 70, QStringLiteral("   Reading     ") + padded + QStringLiteral("   2 mins\r\n")},
        {activity::Reading, 60, QStringLiteral("   Reading     ") + padded + QStringLiteral("   1 min\r\n")},
        {activity::ClozeType, 5 * 60, QStringLiteral("   Cloze-type  ") + padded + QStringLiteral("   5 mins\r\n")},
        {activity::ClozeClick, 45 * 60, QStringLiteral("   Cloze-click ") + padded + QStringLiteral("  45 mins\r\n")},
        {activity::Reading, 120 * 60, QStringLiteral("   Reading     ") + padded + QStringLiteral(" 120 mins\r\n")},
        {activity::Writing, 70,
         QStringLiteral("   Writing     ") + QString(30, u' ') + QStringLiteral("   2 mins\r\n")},
    };
    const float start = 9 * 3600.0f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        EXPECT_EQ(activityLine(c.activity, title, FormatMinutes(start, start + c.seconds, 0)), c.line);
    }
    const QString longTitle = QStringLiteral("A Title Far Longer Than Thirty Characters");
    EXPECT_EQ(activityLine(activity::Reading, longTitle, QStringLiteral("3 mins")).mid(15, 30), longTitle.left(30));
    EXPECT_EQ(activityLine(activity::TeacherOptions, title, QStringLiteral("3 mins")), QString());
    EXPECT_EQ(activityLine(activity::Slide, title, QStringLiteral("3 mins")), QString());
}

TEST(BookLayout, HelpCaptionsAndTopics) {
    EXPECT_EQ(helpLocalCaption(1), QStringLiteral("&Help on Reading             F1"));
    EXPECT_EQ(helpLocalCaption(2), QStringLiteral("&Help on Writing             F1"));
    EXPECT_EQ(helpLocalCaption(4), QStringLiteral("&Help on Cloze (type)        F1"));
    EXPECT_EQ(helpLocalCaption(5), QStringLiteral("&Help on Cloze (click)       F1"));
    EXPECT_EQ(helpLocalCaption(3), QString());
    for (int a : {1, 2, 4, 5})
        EXPECT_EQ(helpLocalCaption(a).size(), 31);
    EXPECT_EQ(helpContext(1), 90);
    EXPECT_EQ(helpContext(2), 100);
    EXPECT_EQ(helpContext(4), 160);
    EXPECT_EQ(helpContext(5), 150);
    EXPECT_EQ(helpContext(0), 10);
}

TEST(BookLayout, WordsOfALineWithTheirMarks) {
    FrameWordTable t;
    const MeasureOutcome out = measureBlockWords(QStringLiteral("Pip is a pup."), 1000, 2000, 8000, 0, knownFont(), t);
    EXPECT_TRUE(out.fits);
    expectWords(t,
                {{QStringLiteral("Pip "), 1000, 290, 1000, 240},
                 {QStringLiteral("is "), 1290, 190, 1290, 140},
                 {QStringLiteral("a "), 1480, 150, 1480, 100},
                 {QStringLiteral("pup."), 1630, 400, 1630, 300}},
                2000);
}

TEST(BookLayout, MarksSkipPunctuationAndExtraBlanksMoveTheNextWord) {
    struct Case {
        const char* what;
        QString caption;
        int gap;
        std::vector<Word> words;
    } cases[] = {
        {"brackets and an exclamation mark", QStringLiteral("(Hello!) you"), 0,
         {{QStringLiteral("(Hello!) "), 0, 850, 100, 500}, {QStringLiteral("you"), 850, 300, 850, 300}}},
        {"punctuation only is marked over its trimmed width", QStringLiteral("-- x"), 0,
         {{QStringLiteral("-- "), 0, 250, 0, 200}, {QStringLiteral("x"), 250, 100, 250, 100}}},
        {"an accented last letter is left out of the mark", QStringLiteral("caf\u00e9"), 0,
         {{QStringLiteral("caf\u00e9"), 0, 400, 0, 300}}},
        {"extra blanks move the next word and record nothing", QStringLiteral("a   b"), 0,
         {{QStringLiteral("a "), 0, 150, 0, 100}, {QStringLiteral("b"), 250, 100, 250, 100}}},
        {"a font whose name begins with MS starts each word 30 further left", QStringLiteral("ab cd ef"), 30,
         {{QStringLiteral("ab "), 0, 250, 0, 200},
          {QStringLiteral("cd "), 220, 250, 220, 200},
          {QStringLiteral("ef"), 440, 200, 440, 200}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FrameWordTable t;
        EXPECT_TRUE(measureBlockWords(c.caption, 0, 0, 9000, c.gap, knownFont(), t).fits);
        expectWords(t, c.words, 0);
    }
}

TEST(BookLayout, LinesStackAndAnOverflowingLineStopsTheMeasuring) {
    FrameWordTable t;
    // "short" is exactly as wide as the label: it fits. The next line does not.
    MeasureOutcome out = measureBlockWords(QStringLiteral("short\r\nmuch longer"), 100, 50, 500, 0, knownFont(), t);
    EXPECT_FALSE(out.fits);
    EXPECT_EQ(out.overflowLine, QStringLiteral("much longer"));
    ASSERT_EQ(t.FrameWordCount(), 1);  // the words before the overflowing line stay
    EXPECT_EQ(t.FrameWords[0], QStringLiteral("short"));

    t.clear();
    out = measureBlockWords(QStringLiteral("short\r\nmuch longer"), 100, 50, 500, 0, knownFont(), t, true);
    EXPECT_TRUE(out.fits);
    ASSERT_EQ(t.FrameWordCount(), 3);
    EXPECT_EQ(t.FrameWordTop[1], 350);  // the second line is one line height down
    EXPECT_EQ(t.FrameWordLeft[1], 100);

    t.truncate(1);
    EXPECT_EQ(t.FrameWordCount(), 1);
    EXPECT_EQ(t.FrameWordMarkWidth.size(), 1);
}

TEST(BookLayout, FontStepDownStopsAtOnePoint) {
    EXPECT_DOUBLE_EQ(steppedDownFontSize(28), 26);
    EXPECT_DOUBLE_EQ(steppedDownFontSize(2.5), 1);
    EXPECT_DOUBLE_EQ(steppedDownFontSize(1), 1);
}

TEST(BookLayout, TrimBlockWordCutsWholeWords) {
    // Every character 100 wide here, blanks included.
    const TextMeasure m{[](const QString& s) { return 100.0 * s.size(); }, [](const QString&) { return 300.0; }};
    QString text = QStringLiteral("aa bb cc");
    EXPECT_EQ(TrimBlockWord(text, 730, m), QStringLiteral("aa bb "));  // room for two words
    EXPECT_EQ(text, QStringLiteral("cc"));
    EXPECT_EQ(TrimBlockWord(text, 730, m), QStringLiteral("cc"));
    EXPECT_EQ(text, QString());

    text = QStringLiteral("abcdefgh ij");  // the first word alone is too wide
    EXPECT_EQ(TrimBlockWord(text, 300, m), QString());
    EXPECT_EQ(text, QStringLiteral("abcdefgh ij"));
    EXPECT_EQ(TrimBlockWord(text, 30, m), QStringLiteral("*BAD*"));  // no room at all
    EXPECT_EQ(text, QStringLiteral("abcdefgh ij"));

    text = QStringLiteral("   ");
    EXPECT_EQ(TrimBlockWord(text, 730, m), QString());
    EXPECT_EQ(text, QStringLiteral("   "));
}

TEST(BookLayout, BlockTextLinePicksOneLine) {
    const QString text = QStringLiteral("one\r\ntwo\r\nthree");
    EXPECT_EQ(BlockTextLine(text, 1), QStringLiteral("one"));
    EXPECT_EQ(BlockTextLine(text, 2), QStringLiteral("two"));
    EXPECT_EQ(BlockTextLine(text, 3), QStringLiteral("three"));
    EXPECT_EQ(BlockTextLine(text, 4), QString());
    EXPECT_EQ(BlockTextLine(QStringLiteral("alone"), 1), QStringLiteral("alone"));
}
