// The cloze rules apart from any window: the choice of the hidden word with scripted random
// numbers, the letter-by-letter answer check, the keys the box drops, the answer's stripping
// and the candidates' capitals, the draw of the candidates and where the Choices window goes.
#include "book/Cloze.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

#include "platform/Lang.h"

using namespace cloze;

namespace {

// Gives the numbers in turn, then 0.
RandomSource scripted(std::vector<float> numbers) {
    auto next = std::make_shared<size_t>(0);
    return [numbers = std::move(numbers), next]() -> float {
        return *next < numbers.size() ? numbers[(*next)++] : 0.0f;
    };
}

// Counts how many numbers were drawn.
RandomSource counted(RandomSource inner, int* calls) {
    return [inner = std::move(inner), calls] {
        ++*calls;
        return inner();
    };
}

RandomSource seeded(uint32_t seed) {
    auto gen = std::make_shared<std::mt19937>(seed);
    return [gen] { return std::uniform_real_distribution<float>(0.0f, 0.99999f)(*gen); };
}

// 100 twips a character.
double byLength(const QString& s) { return 100.0 * double(s.size()); }

const QStringList kPage{QStringLiteral("The "), QStringLiteral("big "), QStringLiteral("\"red\" "),
                        QStringLiteral("dog. "), QStringLiteral("5 ")};

}  // namespace

// ---- the hidden word ----

TEST(ClozeWordChoice, EarlyWordsAreFavouredAndTheWordStartsWithALetter) {
    struct Case {
        const char* what;
        std::vector<float> numbers;
        int index;
        const char* word;
        int draws;
    };
    const Case cases[] = {
        {"a low number is taken at once", {0.1f}, 1, "The", 1},
        {"above 0.6 it is drawn again, and above 0.3 once more", {0.9f, 0.5f, 0.25f}, 2, "big", 3},
        {"above 0.3 (not 0.6) one more draw", {0.45f, 0.7f}, 4, "dog.", 2},
        {"exactly 0.6 and 0.3 are kept", {0.3f}, 2, "big", 1},
        {"a word starting with a quote is drawn again", {0.5f, 0.41f, 0.05f}, 1, "The", 3},
        {"a word starting with a digit is drawn again", {0.85f, 0.95f, 0.99f, 0.2f}, 2, "big", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int calls = 0;
        const WordChoice w = chooseClozeWord(kPage, counted(scripted(c.numbers), &calls));
        EXPECT_EQ(w.index, c.index);
        EXPECT_EQ(w.word, QString::fromLatin1(c.word));
        EXPECT_EQ(calls, c.draws);
    }
}

TEST(ClozeWordChoice, AfterAHundredDrawsTheLastIsTakenOnlyWhenItHoldsALetter) {
    // No word starts with a letter: the 100th draw decides.
    const QStringList quoted{QStringLiteral("\"Oh! "), QStringLiteral("7 ")};
    int calls = 0;
    WordChoice w = chooseClozeWord(quoted, counted([] { return 0.1f; }, &calls));
    EXPECT_EQ(calls, kMaxWordDraws);
    EXPECT_EQ(w.index, 1);
    EXPECT_EQ(w.word, QStringLiteral("\"Oh!"));

    // A 100th word without any letter could never be typed or offered: nothing is asked.
    w = chooseClozeWord(quoted, [] { return 0.99f; });
    EXPECT_EQ(w.index, 0);
    EXPECT_TRUE(w.word.isEmpty());

    // A page without words asks for nothing and draws nothing.
    calls = 0;
    w = chooseClozeWord({}, counted([] { return 0.1f; }, &calls));
    EXPECT_EQ(w.index, 0);
    EXPECT_EQ(calls, 0);
}

TEST(ClozeWordChoice, SeededDrawsStayInsideThePage) {
    const QStringList one{QStringLiteral("Hen ")};
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        const WordChoice a = chooseClozeWord(kPage, seeded(seed));
        ASSERT_GE(a.index, 1);
        ASSERT_LE(a.index, 4);  // "5" never starts with a letter
        EXPECT_TRUE(startsWithLetter(a.word)) << a.word.toStdString();
        EXPECT_EQ(chooseClozeWord(one, seeded(seed)).index, 1);
    }
}

// ---- Cloze (type) ----

TEST(ClozeAnswer, KeepsTheRightBeginningInTheWordsCase) {
    struct Case {
        const char* typed;
        const char* word;
        const char* good;
        bool allRight;
    };
    const Case cases[] = {
        {"T", "The", "T", true},
        {"x", "The", "", false},
        {"t", "The", "T", true},          // case does not count; the word's own is shown
        {"tHE", "The", "The", true},
        {"Tx", "The", "T", false},        // stops at the first wrong letter
        {"Thex", "The", "The", false},    // past the end of the word is wrong
        {"i", "I'm", "I'", true},         // the apostrophe is filled in at once
        {"I'm", "I'm", "I'm", true},
        {"dog", "dog.", "dog.", true},    // trailing punctuation after the last letter
        {"", "\"Help!\"", "\"", true},    // an empty box gets the leading quote
        {"\"h", "\"Help!\"", "\"H", true},
        {"\"help", "\"Help!\"", "\"Help!\"", true},
        {" th ", "The", "Th", true},      // blanks around the text do not count
        {"", "The", "", true},
        {"well-", "well-known", "well-", true},
        {"ox", "ox-eye", "ox-", true},
        {"a", "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " / " + c.word);
        const AnswerCheck r = checkAnswer(QString::fromLatin1(c.typed), QString::fromLatin1(c.word));
        EXPECT_EQ(r.good, QString::fromLatin1(c.good));
        EXPECT_EQ(r.allRight, c.allRight);
    }
}

TEST(ClozeAnswer, SolvedOnlyByTheWholeWordInItsCase) {
    EXPECT_TRUE(isSolved(QStringLiteral("dog."), QStringLiteral("dog.")));
    EXPECT_TRUE(isSolved(QStringLiteral(" dog. "), QStringLiteral("dog.")));
    EXPECT_FALSE(isSolved(QStringLiteral("dog"), QStringLiteral("dog.")));
    EXPECT_FALSE(isSolved(QStringLiteral("the"), QStringLiteral("The")));
}

TEST(ClozeAnswer, EnterAndKeysPastTheWordAreDropped) {
    struct Case {
        int key;
        int boxLength;
        int wordLength;
        bool dropped;
    };
    const Case cases[] = {
        {13, 0, 3, true}, {'a', 0, 3, false}, {'a', 2, 3, false}, {'a', 3, 3, true},
        {8, 3, 3, true},  // Backspace too, once the box is full
        {8, 1, 3, false}, {'a', 4, 3, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(swallowsKey(c.key, c.boxLength, c.wordLength), c.dropped)
            << c.key << " with " << c.boxLength << " of " << c.wordLength;
}

// ---- Cloze (click) ----

TEST(ClozeCandidates, TheAnswerIsStrippedToItsLetters) {
    const std::pair<const char*, const char*> cases[] = {
        {"dog.", "dog"},   {"\"Help!\"", "Help"}, {"'Oh,", "Oh"}, {"I'm", "I'm"},
        {"well-known", "well-known"}, {"(12)", ""}, {"Cat", "Cat"},
    };
    for (const auto& [word, bare] : cases)
        EXPECT_EQ(stripToLetters(QString::fromLatin1(word)), QString::fromLatin1(bare)) << word;
}

TEST(ClozeCandidates, CapitalsFollowTheAnswer) {
    struct Case {
        const char* answer;
        const char* candidate;
        const char* shown;
    };
    const Case cases[] = {
        {"The", "big", "Big"},   {"The", "red", "Red"},  {"the", "big", "big"},
        {"I", "i'm", "I'm"},     {"I", "big", "big"},    {"I'm", "red", "red"},
        {"Zoo", "cat", "Cat"},   // a capital Z counts like any other capital
        {"ZZZ", "cat", "Cat"},   {"dog", "i'm", "I'm"},  {"Amy", "i'm", "I'm"},
        {"ant", "i", "I"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.answer) + " / " + c.candidate);
        EXPECT_EQ(shownCandidate(QString::fromLatin1(c.candidate), capitalisesCandidates(QString::fromLatin1(c.answer))),
                  QString::fromLatin1(c.shown));
    }
}

TEST(ClozeCandidates, DrawOffersTheAnswerWithDifferentWordsOfTheList) {
    const QStringList list{QStringLiteral("cat"), QStringLiteral("dog"), QStringLiteral("hen"), QStringLiteral("pig"),
                           QStringLiteral("the"), QStringLiteral("cow"), QStringLiteral("fox")};
    for (int level = 2; level <= 4; ++level) {
        for (uint32_t seed = 1; seed <= 50; ++seed) {
            SCOPED_TRACE("level " + std::to_string(level) + " seed " + std::to_string(seed));
            const QStringList c = drawChoices(QStringLiteral("The"), list, level, byLength, seeded(seed));
            ASSERT_EQ(c.size(), level);
            EXPECT_EQ(c.count(QStringLiteral("The")), 1);
            std::set<QString> seen;
            for (const QString& w : c) {
                EXPECT_TRUE(seen.insert(lang::UCase(w)).second) << "twice: " << w.toStdString();
                EXPECT_TRUE(w.front().isUpper()) << w.toStdString();  // capitals like "The"
            }
        }
    }
}

TEST(ClozeCandidates, TheAnswerCanEndInEveryPlace) {
    const QStringList list{QStringLiteral("cat"), QStringLiteral("dog"), QStringLiteral("hen"), QStringLiteral("pig"),
                           QStringLiteral("cow")};
    for (int level = 2; level <= 4; ++level) {
        std::set<qsizetype> places;
        for (uint32_t seed = 1; seed <= 200; ++seed)
            places.insert(drawChoices(QStringLiteral("fox"), list, level, byLength, seeded(seed)).indexOf("fox"));
        EXPECT_EQ(int(places.size()), level) << "level " << level;
        EXPECT_EQ(*places.begin(), 0);
        EXPECT_EQ(*places.rbegin(), level - 1);
    }
}

TEST(ClozeCandidates, WidthsCloseToTheAnswersArePreferred) {
    // With the width window narrow at first, a three-letter answer takes the three-letter word
    // even though the long ones are drawn first.
    const QStringList list{QStringLiteral("elephant"), QStringLiteral("crocodile"), QStringLiteral("cat")};
    // draws: 0.1 (elephant), 0.4 (crocodile), 0.9 (cat), then the swaps
    const QStringList c =
        drawChoices(QStringLiteral("dog"), list, 2, byLength, scripted({0.1f, 0.4f, 0.9f, 0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(c, (QStringList{QStringLiteral("dog"), QStringLiteral("cat")}));

    // The window widens 2% on each side with every draw, so a wide word is taken in the end.
    const QStringList wide{QStringLiteral("elephant")};
    int calls = 0;
    const QStringList w = drawChoices(QStringLiteral("dog"), wide, 2, byLength, counted([] { return 0.0f; }, &calls));
    EXPECT_TRUE(w.contains(QStringLiteral("elephant")));
    // 800 < 315 x 1.02^n first holds at n = 48; then 4 numbers for the swaps at 0 (2 swaps).
    EXPECT_EQ(calls, 48 + 1 + 4);
}

TEST(ClozeCandidates, AShortListOffersFewerCandidates) {
    struct Case {
        const char* what;
        QStringList list;
        int level;
        int offered;
    };
    const Case cases[] = {
        {"only the answer and one other word", {QStringLiteral("dog"), QStringLiteral("cat")}, 4, 2},
        {"the answer in another case is not offered", {QStringLiteral("DOG"), QStringLiteral("Dog")}, 3, 1},
        {"a word twice in the list is offered once",
         {QStringLiteral("hen"), QStringLiteral("hen"), QStringLiteral("hen")}, 3, 2},
        {"an empty list", {}, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            const QStringList got = drawChoices(QStringLiteral("dog"), c.list, c.level, byLength, seeded(seed));
            EXPECT_EQ(got.size(), c.offered);
            EXPECT_TRUE(got.contains(QStringLiteral("dog")));
        }
    }
}

// ---- the Choices window's place ----

TEST(ClozeChoicesPlace, AboveTheWordClearOfTheTextOrElseBelow) {
    const QRect screen(0, 0, 800, 600);
    const QSize window(100, 80);
    struct Case {
        const char* what;
        QRect word;
        QList<RowExtent> blocks;
        QPoint place;
    };
    const Case cases[] = {
        {"just above the word when nothing is in the way", QRect(300, 400, 50, 20), {}, QPoint(300, 318)},
        {"moved up past the word's own block", QRect(300, 400, 50, 20), {{380, 460}}, QPoint(300, 298)},
        {"past two blocks", QRect(300, 400, 50, 20), {{380, 460}, {280, 350}}, QPoint(300, 198)},
        {"no room above: below the word, past the text", QRect(300, 50, 50, 20), {{40, 100}}, QPoint(300, 102)},
        {"no clear place: above the word all the same", QRect(300, 300, 50, 20), {{0, 600}}, QPoint(300, 218)},
        {"at the top, nothing clear: below the word", QRect(300, 10, 50, 20), {{0, 600}}, QPoint(300, 32)},
        {"kept on the screen on the right", QRect(760, 400, 30, 20), {}, QPoint(700, 318)},
        {"and on the left", QRect(-20, 400, 30, 20), {}, QPoint(0, 318)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QPoint p = choicesWindowPlace(c.word, c.blocks, window, screen, 10);
        EXPECT_EQ(p, c.place);
        const QRect placed(p, window);
        EXPECT_TRUE(screen.contains(placed));
        EXPECT_FALSE(placed.intersects(c.word));
    }
}
