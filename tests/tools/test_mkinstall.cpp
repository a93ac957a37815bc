// The generator's own logic: how a page is split into words, how the speech engine's word
// events become timing marks, and which book sources it refuses.
#include <gtest/gtest.h>

#include "BookSource.h"
#include "SentenceMarks.h"

using namespace mkinstall;

namespace {

QStringList wordTexts(const PageSpeech& s) {
    QStringList out;
    for (const PageWord& w : s.words)
        out << w.text;
    return out;
}

}  // namespace

TEST(PageSpeech, SplitsBlocksIntoWordsAsTheBookWindowDoes) {
    // Punctuation stays with its word, a chunk of punctuation alone is a word, runs of blanks
    // separate but count nothing.
    const PageSpeech s = pageSpeech({QStringLiteral("@I'm  too hot,@ says"), QStringLiteral("Bear -- fast.")});
    EXPECT_EQ(wordTexts(s), (QStringList{"@I'm", "too", "hot,@", "says", "Bear", "--", "fast."}));
    EXPECT_EQ(s.spoken, QStringLiteral("\"I'm  too hot,\" says Bear -- fast."));
    // Positions point into the spoken text, across the blank that joins the blocks.
    for (const PageWord& w : s.words)
        EXPECT_EQ(s.spoken.mid(w.start, w.end - w.start), QString(w.text).replace(u'@', u'"'));
}

TEST(PageSpeech, SpokenWordDropsOuterPunctuationOnly) {
    EXPECT_EQ(spokenWord(QStringLiteral("@I'm")), QStringLiteral("I'm"));
    EXPECT_EQ(spokenWord(QStringLiteral("hot,@")), QStringLiteral("hot"));
    EXPECT_EQ(spokenWord(QStringLiteral("Bear's")), QStringLiteral("Bear's"));
    EXPECT_EQ(spokenWord(QStringLiteral("--")), QString());
}

TEST(AlignMarks, EachWordEndsWhereTheNextBegins) {
    const PageSpeech s = pageSpeech({QStringLiteral("Frog sits here.")});
    const std::vector<SpeechWordEvent> events = {{0.0, 0, 4}, {0.3, 5, 4}, {0.62, 10, 4}};
    EXPECT_EQ(alignMarks(s.words, events, 1.1), (std::vector<double>{0.3, 0.62, 1.1}));
}

TEST(AlignMarks, AJoinedWordSharesItsNeighboursSpanByLetters) {
    // "on the big": the engine reports "on" and "big" only.
    const PageSpeech s = pageSpeech({QStringLiteral("on the big log")});
    const std::vector<SpeechWordEvent> events = {{1.0, 0, 2}, {1.5, 7, 3}, {1.8, 11, 3}};
    const std::vector<double> marks = alignMarks(s.words, events, 2.2);
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_DOUBLE_EQ(marks[0], 1.2);  // "on" has 2 of the 5 letters of 1.0 .. 1.5
    EXPECT_DOUBLE_EQ(marks[1], 1.5);
    EXPECT_DOUBLE_EQ(marks[2], 1.8);
    EXPECT_DOUBLE_EQ(marks[3], 2.2);
}

TEST(AlignMarks, EventsInsideAWordAndBeforeTheFirstWordAreMatchedByPosition) {
    // The quote opens the first word; the engine's first event points at the letter after it,
    // and a second event inside the same word ("'m") is not a word of its own.
    const PageSpeech s = pageSpeech({QStringLiteral("@I'm too hot,@ says Bear.")});
    const std::vector<SpeechWordEvent> events = {{0.1, 1, 1}, {0.2, 3, 1}, {0.3, 5, 3}, {0.5, 9, 3},
                                                 {1.05, 15, 4}, {1.3, 20, 4}};
    EXPECT_EQ(alignMarks(s.words, events, 1.7), (std::vector<double>{0.3, 0.5, 1.05, 1.3, 1.7}));
}

TEST(AlignMarks, LeadingWordsWithoutAnEventShareTheStartAndMarksAlwaysRise) {
    const PageSpeech s = pageSpeech({QStringLiteral("-- Go go go")});
    // No event for "--"; two events at the same time.
    const std::vector<SpeechWordEvent> events = {{0.4, 3, 2}, {0.4, 6, 2}, {0.9, 9, 2}};
    const std::vector<double> marks = alignMarks(s.words, events, 1.2);
    ASSERT_EQ(marks.size(), 4u);
    for (size_t i = 1; i < marks.size(); ++i)
        EXPECT_GT(marks[i], marks[i - 1]);
    EXPECT_DOUBLE_EQ(marks.back(), 1.2);
    EXPECT_GT(marks[0], 0.0);
}

TEST(AlignMarks, WithoutEventsTheWordsShareTheWholeSound) {
    const PageSpeech s = pageSpeech({QStringLiteral("ab cd")});
    EXPECT_EQ(alignMarks(s.words, {}, 1.0), (std::vector<double>{0.5, 1.0}));
}

TEST(VoicedEnd, EndsShortlyAfterTheLastLoudSample) {
    std::vector<int16_t> samples(22050, 0);
    for (int i = 0; i < 11025; ++i)
        samples[size_t(i)] = int16_t(i % 2 ? 8000 : -8000);
    EXPECT_NEAR(voicedEnd(samples, 22050), 0.55, 0.001);
    EXPECT_DOUBLE_EQ(voicedEnd(std::vector<int16_t>(100, 0), 100), 1.0);
}

namespace {

// A valid six-page book; each case below breaks one thing.
QByteArray goodBook() {
    QByteArray b = "title Test Book\nfont 24\n";
    for (int p = 1; p <= 6; ++p) {
        b += "page\ntext 1080 4500 8160 630 1080 This is page " + QByteArray::number(p) + ".\n";
        b += "picture 1560 240 7200 3900 COLT" + QByteArray::number(p) + " 8\n    sky day\n";
        b += "next COLT" + QByteArray::number(p % 6 + 1) + "\n";
    }
    return b;
}

}  // namespace

TEST(CheckBook, AcceptsAGoodBook) {
    const SourceBook book = parseBookSource(QStringLiteral("t.book"), goodBook());
    EXPECT_EQ(book.pages.size(), 6u);
    EXPECT_EQ(book.pages[0].pictures[0].scene.size(), 1u);
    EXPECT_NO_THROW(checkBook(book));
}

TEST(CheckBook, RefusesWhatTheBookWindowCannotShow) {
    struct Case {
        const char* what;
        QByteArray from;
        QByteArray to;
    };
    const Case cases[] = {
        {"text over the button column", "text 1080 4500 8160 630 1080 This is page 2.", "text 600 4500 8160 630 600 This is page 2."},
        {"text wider than its label", "8160 630 1080 This is page 3.", "2000 630 1080 This is page 3."},
        {"block lower than the font", "text 1080 4500 8160 630 1080 This is page 1.", "text 1080 4500 8160 300 1080 This is page 1."},
        {"text over a picture", "text 1080 4500 8160 630 1080 This is page 4.", "text 1080 3000 8160 630 1080 This is page 4."},
        {"link to a picture not on the next page", "next COLT3", "next COLT4"},
        {"picture not a multiple of 15 twips", "picture 1560 240 7200 3900 COLT5", "picture 1560 240 7201 3900 COLT5"},
        {"unpaired quotation mark", "This is page 6.", "This is @page 6."},
        {"unknown drawing", "    sky day\nnext COLT2", "    sky day\n    dragon 0.5 0.5 0.2\nnext COLT2"},
    };
    for (const Case& c : cases) {
        QByteArray source = goodBook();
        ASSERT_TRUE(source.contains(c.from)) << c.what;
        source.replace(c.from, c.to);
        EXPECT_THROW(checkBook(parseBookSource(QStringLiteral("t.book"), source)), SourceError) << c.what;
    }
}

TEST(CheckBook, RefusesABookThatFailsAsAWhole) {
    // Each of these is refused before any page is looked at; the message says which.
    struct Case {
        const char* what;
        QByteArray from;
        QByteArray to;
        const char* message;
    };
    const Case cases[] = {
        {"no title", "title Test Book", "title", "has no title"},
        {"font too small", "font 24", "font 7", "font size must lie between"},
        {"font too large", "font 24", "font 73", "font size must lie between"},
        {"five pages", "page\ntext 1080 4500 8160 630 1080 This is page 6.", "text 1080 5200 8160 630 1080 This is page 6.",
         "6 to 12 pages"},
        {"a picture name twice", "COLT5", "COLT4", "COLT4 is used twice"},
    };
    for (const Case& c : cases) {
        QByteArray source = goodBook();
        ASSERT_TRUE(source.contains(c.from)) << c.what;
        source.replace(c.from, c.to);
        try {
            checkBook(parseBookSource(QStringLiteral("t.book"), source));
            ADD_FAILURE() << c.what << " was accepted";
        } catch (const SourceError& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QLatin1String(c.message))) << c.what << ": " << e.what();
        }
    }
}

TEST(WordLists, IncludesAreResolvedSortedAndOnce) {
    QByteArray many;
    for (char c = 'a'; c <= 'u'; ++c)
        many += QByteArray("wor") + c + ' ';
    const std::vector<SourceWordList> lists = {
        parseWordListSource(QStringLiteral("a.words"), many + "frog"),
        parseWordListSource(QStringLiteral("_001_030.words"), "+a\nbear frog"),
    };
    const std::vector<SourceWordList> resolved = resolveWordLists(lists);
    ASSERT_EQ(resolved.size(), 2u);
    EXPECT_EQ(resolved[0].stem, QStringLiteral("_001_030"));
    EXPECT_EQ(resolved[0].words.size(), 23);
    EXPECT_EQ(resolved[0].words.front(), QStringLiteral("bear"));
    EXPECT_EQ(resolved[0].words.count(QStringLiteral("frog")), 1);
    EXPECT_THROW(parseWordListSource(QStringLiteral("b.words"), "ox can't"), SourceError);
    EXPECT_THROW(resolveWordLists({parseWordListSource(QStringLiteral("c.words"), "one two")}), SourceError);
}
