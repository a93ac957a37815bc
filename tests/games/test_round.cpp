// The word games' rules without a window: word lists, the draw, guesses, clues and the
// pictures a round's counters give.
#include "games/GameRound.h"

#include <deque>
#include <gtest/gtest.h>

#include "support/TestEnv.h"

using namespace wordgame;

namespace {

// ---- word lists ----

GameWordList parse(const QByteArray& content) { return ParseGameWordList(content, QStringLiteral("X:/L.TXT")); }

TEST(GameWordListTest, FilterKeepsThreeToElevenLettersOnly) {
    const GameWordList r = parse("*WordList*\r\n  hen  \r\nox\r\nabcdefghijkl\r\nabcdefghijk\r\nred-hat\r\n"
                                 "ca7\r\n*note\r\n\"Pig\"\r\ncaf\xe9\r\ndog,cat\r\n*end*\r\nmoose\r\n");
    EXPECT_EQ(r.outcome, GameWordList::Loaded);
    EXPECT_EQ(r.words, (QStringList{"hen", "abcdefghijk", "Pig", "dog", "cat"}));
    EXPECT_EQ(r.maxWordLen, 11);
}

TEST(GameWordListTest, OutcomesAndMessages) {
    const QString crlf = QStringLiteral("\r\n");
    struct Case {
        const char* content;
        GameWordList::Outcome outcome;
        const char* tail;
    } cases[] = {
        {"hen\r\n*WORDLIST*\r\ncat\r\ndog\r\npig\r\nfox\r\n", GameWordList::NotAList, "is not a suitable wordlist file."},
        {"*WORDLIST*\r\ncat\r\ndog\r\nox\r\npig\r\n", GameWordList::TooFewWords, "does not contain enough words."},
        {"", GameWordList::TooFewWords, "does not contain enough words."},
        {"*WORDLIST*\r\ncat\r\ndog\r\npig\r\nfox", GameWordList::Loaded, ""},  // no end item
        {"\xEF\xBB\xBF*WORDLIST*\r\ncat\r\ndog\r\npig\r\nfox\r\n", GameWordList::Loaded, ""},  // saved as UTF-8
    };
    for (const Case& c : cases) {
        const GameWordList r = parse(c.content);
        EXPECT_EQ(r.outcome, c.outcome) << c.content;
        if (c.outcome != GameWordList::Loaded) {
            EXPECT_EQ(r.message, "The file" + crlf + crlf + "X:/L.TXT" + crlf + crlf + c.tail) << c.content;
        }
    }
    // Without an end item the last word is taken once.
    EXPECT_EQ(parse("*WORDLIST*\r\ncat\r\ndog\r\npig\r\nfox").words, (QStringList{"cat", "dog", "pig", "fox"}));
}

TEST(GameWordListTest, MissingFileHasTooFewWords) {
    testsupport::TempDir dir;
    const QString path = dir.file(QStringLiteral("WORDLIST/NONE.TXT"));
    const GameWordList r = ReadGameWordList(path);
    EXPECT_EQ(r.outcome, GameWordList::TooFewWords);
    EXPECT_TRUE(r.message.contains(path));
    dir.write(QStringLiteral("WORDLIST/FOUR.TXT"), "*WORDLIST*\r\nsun\r\nbus\r\nmud\r\ncup\r\n*END*\r\n");
    EXPECT_EQ(ReadGameWordList(dir.file(QStringLiteral("WORDLIST/FOUR.TXT"))).words.size(), 4);
}

TEST(GameWordListTest, StemOfAPath) {
    EXPECT_EQ(WordListStem(QStringLiteral("C:\\KEST\\WORDLIST\\08FROG.TXT")), QStringLiteral("08FROG"));
    EXPECT_EQ(WordListStem(QStringLiteral("/opt/kest/WORDLIST/_001_030.TXT")), QStringLiteral("_001_030"));
    EXPECT_EQ(WordListStem(QStringLiteral("/a.b/WORDLIST/X.Y.TXT")), QStringLiteral("X"));
}

// ---- the draw ----

std::function<float()> sequence(std::deque<float> values) {
    auto q = std::make_shared<std::deque<float>>(std::move(values));
    return [q] {
        const float v = q->empty() ? 0.0f : q->front();
        if (!q->empty())
            q->pop_front();
        return v;
    };
}

TEST(GameDrawTest, RecentPicksAreAvoidedAndShifted) {
    GameRound r;
    int draws = 0;
    // 10 words: 0.05 -> 1, 0.15 -> 2 ...
    EXPECT_EQ(r.drawPick(10, sequence({0.05f}), &draws), 1);
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(r.drawPick(10, sequence({0.05f, 0.05f, 0.35f}), &draws), 4);
    EXPECT_EQ(draws, 3);
    EXPECT_EQ(r.recentPicks(), (std::array<int, 4>{4, 1, 0, 0}));
    r.drawPick(10, sequence({0.95f}));
    r.drawPick(10, sequence({0.55f}));
    r.drawPick(10, sequence({0.65f}));
    EXPECT_EQ(r.recentPicks(), (std::array<int, 4>{7, 6, 10, 4}));  // 1 has left: it may come again
    EXPECT_EQ(r.drawPick(10, sequence({0.05f}), &draws), 1);
    EXPECT_EQ(draws, 1);
}

TEST(GameDrawTest, FourWordsTakeTheHundredAndFirstDraw) {
    GameRound r;
    for (float v : {0.1f, 0.3f, 0.6f, 0.9f})
        r.drawPick(4, sequence({v}));
    int draws = 0;
    const int pick = r.drawPick(4, [] { return 0.3f; }, &draws);
    EXPECT_EQ(draws, 101);
    EXPECT_EQ(pick, 2);
    EXPECT_EQ(r.recentPicks(), (std::array<int, 4>{2, 4, 3, 2}));
}

TEST(GameDrawTest, AValueJustBelowOneStaysInTheList) {
    GameRound r;
    EXPECT_EQ(r.drawPick(7, [] { return 0.99999994f; }), 7);
}

// ---- guesses ----

int idx(char c) { return AlphabetIndex(QChar(c)); }

TEST(GameGuessTest, TreasureRevealsEveryOccurrenceAndCountsEach) {
    GameRound r;
    r.start(Game::Treasure, QStringLiteral("Bella"));
    EXPECT_EQ(r.shown(), QStringLiteral("-----"));
    int steps = 0;
    const auto g = r.guess(idx('l'), [&] { ++steps; });
    EXPECT_EQ(g.kind, GameRound::Guess::Right);
    EXPECT_EQ(g.revealed, (QList<int>{3, 4}));
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(r.rightCount(), 2);
    EXPECT_EQ(r.shown(), QStringLiteral("--ll-"));
    EXPECT_EQ(r.guess(idx('L')).kind, GameRound::Guess::Ignored);  // tried already
    EXPECT_EQ(r.guess(idx('z')).kind, GameRound::Guess::Wrong);
    EXPECT_EQ(r.letterUsed(idx('z')), 2);
    EXPECT_EQ(r.guess(idx('z')).kind, GameRound::Guess::Ignored);
    EXPECT_EQ(r.wrongCount(), 1);
    r.guess(idx('b'));
    r.guess(idx('e'));
    const auto last = r.guess(idx('a'));
    EXPECT_TRUE(last.complete);
    EXPECT_EQ(r.shown(), QStringLiteral("Bella"));  // each letter in its own case
    EXPECT_FALSE(r.active());
    EXPECT_EQ(r.guess(idx('q')).kind, GameRound::Guess::Ignored);  // the round is over
}

TEST(GameGuessTest, SlideTakesOnlyTheNextLetterAndFreesTheAlphabet) {
    GameRound r;
    r.start(Game::Slide, QStringLiteral("Tree"));
    EXPECT_EQ(r.shown(), QStringLiteral("    "));
    EXPECT_EQ(r.guess(idx('r')).kind, GameRound::Guess::Wrong);  // in the word, but not next
    EXPECT_EQ(r.guess(idx('r')).kind, GameRound::Guess::Ignored);
    EXPECT_EQ(r.guess(idx('t')).kind, GameRound::Guess::Right);
    EXPECT_EQ(r.letterUsed(idx('r')), 0);  // free again
    EXPECT_EQ(r.guess(idx('r')).revealed, (QList<int>{2}));
    EXPECT_EQ(r.guess(idx('e')).kind, GameRound::Guess::Right);
    const auto g = r.guess(idx('e'));  // the same letter for the next place
    EXPECT_EQ(g.kind, GameRound::Guess::Right);
    EXPECT_TRUE(g.complete);
    EXPECT_EQ(r.shown(), QStringLiteral("Tree"));
    EXPECT_EQ(r.rightCount(), 4);
    EXPECT_EQ(r.wrongCount(), 1);
    EXPECT_FALSE(r.lostWith(1));  // Slide has no loss
}

TEST(GameGuessTest, OutOfRangeIndexesAreIgnored) {
    GameRound r;
    r.start(Game::Treasure, QStringLiteral("cat"));
    for (int i : {0, -1, 27})
        EXPECT_EQ(r.guess(i).kind, GameRound::Guess::Ignored);
    EXPECT_EQ(r.wrongCount(), 0);
}

TEST(GameGuessTest, TreasureLossAndRevealedLetters) {
    GameRound r;
    r.start(Game::Treasure, QStringLiteral("frog"));
    r.guess(idx('o'));
    r.guess(idx('x'));
    EXPECT_TRUE(r.lostWith(1));
    EXPECT_FALSE(r.lostWith(2));
    EXPECT_EQ(r.revealed(), QStringLiteral("frog"));
    EXPECT_EQ(r.shown(), QStringLiteral("--o-"));
}

TEST(GameClueTest, TreasureLightsTheFirstUntriedLetterAndSlideTheNext) {
    GameRound t;
    t.start(Game::Treasure, QStringLiteral("frog"));
    EXPECT_EQ(t.clueLetter(), idx('f'));
    t.guess(idx('f'));
    t.guess(idx('r'));
    EXPECT_EQ(t.clueLetter(), idx('o'));
    // A letter lit as a clue counts as not tried.
    EXPECT_EQ(t.clueLetter([](int k) { return k == idx('o'); }), idx('o'));
    t.guess(idx('o'));
    t.guess(idx('g'));
    EXPECT_EQ(t.clueLetter(), 0);

    GameRound s;
    s.start(Game::Slide, QStringLiteral("Sun"));
    EXPECT_EQ(s.clueLetter(), idx('s'));
    s.guess(idx('s'));
    EXPECT_EQ(s.clueLetter(), idx('u'));
}

// ---- Treasure pictures ----

Scale unit() { return Scale{}; }

TEST(PirateSceneTest, RightFigureFollowsTheWrongLetters) {
    struct Case {
        int allowed, wrong;
        const char* file;  // nullptr: hidden
        double left;
    } cases[] = {
        {1, 0, "BMPS\\PIRATE8.BMP", 4545}, {2, 0, "BMPS\\PIRATE6.BMP", 6000}, {2, 1, "BMPS\\PIRATE8.BMP", 4545},
        {3, 0, "BMPS\\PIRATE6.BMP", 6510}, {3, 1, "BMPS\\PIRATE7.BMP", 5400}, {3, 2, "BMPS\\PIRATE8.BMP", 4545},
        {10, 0, nullptr, 0},               {10, 1, "BMPS\\PIRATE7.BMP", 6210}, {10, 2, "BMPS\\PIRATE6.BMP", 6186},
        {10, 3, "BMPS\\PIRATE7.BMP", 6210 - 2 * 1665 / 8},  {10, 9, "BMPS\\PIRATE8.BMP", 4545},
        {10, 10, nullptr, 0},              {1, 1, nullptr, 0},
    };
    for (const Case& c : cases) {
        const PirateScene s = pirateScene(5, 1, c.wrong, c.allowed, unit());
        SCOPED_TRACE(testing::Message() << "allowed " << c.allowed << " wrong " << c.wrong);
        EXPECT_EQ(s.right.visible, c.file != nullptr);
        if (c.file) {
            EXPECT_EQ(s.right.file, QString::fromLatin1(c.file));
            EXPECT_DOUBLE_EQ(s.right.box.left, c.left);
        }
        EXPECT_EQ(s.lost, c.wrong >= c.allowed);
        EXPECT_EQ(s.mid.file, c.wrong >= c.allowed ? QStringLiteral("BMPS\\PIRATE3.BMP") : QStringLiteral("BMPS\\PIRATE1.BMP"));
    }
}

TEST(PirateSceneTest, WalkerStepsAndAlternates) {
    const Scale half{0.5f, 0.5f, 0.5f, 15, 15};
    EXPECT_EQ(pirateScene(4, 0, 0, 6, half).left.box, (TwipRect{15, 165, 360, 862.5}));  // one pixel in
    const PirateScene one = pirateScene(4, 1, 0, 6, half);
    EXPECT_EQ(one.left.file, QStringLiteral("BMPS\\PIRATE4.BMP"));
    EXPECT_DOUBLE_EQ(one.left.box.left, (2325.0 / 3 + 15) * 0.5);
    const PirateScene three = pirateScene(4, 3, 0, 6, unit());
    EXPECT_EQ(three.left.file, QStringLiteral("BMPS\\PIRATE4.BMP"));
    EXPECT_DOUBLE_EQ(three.left.box.left, 2340);  // the last letter but one
    EXPECT_EQ(pirateScene(4, 2, 0, 6, unit()).left.file, QStringLiteral("BMPS\\PIRATE5.BMP"));
}

TEST(PirateSceneTest, WonRoundAndTheSceneBeforeAnyWord) {
    const PirateScene won = pirateScene(4, 4, 2, 3, unit());
    EXPECT_FALSE(won.left.visible);
    EXPECT_EQ(won.mid.file, QStringLiteral("BMPS\\PIRATE2.BMP"));
    EXPECT_EQ(won.right.file, QStringLiteral("BMPS\\PIRATE8.BMP"));  // still drawn for its wrong count
    // Lowering the allowance after a win does not turn it into a loss.
    EXPECT_FALSE(pirateScene(4, 4, 2, 1, unit()).lost);
    const PirateScene none = pirateScene(0, 0, 0, 6, unit());
    EXPECT_EQ(none.mid.file, QStringLiteral("BMPS\\PIRATE2.BMP"));
    EXPECT_FALSE(none.lost);
}

TEST(PirateSceneTest, AnEndedRoundIsDrawnFromItsOutcomeWhateverTheAllowance) {
    constexpr double kPanelWidth = 8415;  // Frame4
    for (int allowed = 1; allowed <= 10; ++allowed) {
        for (int wrong = 0; wrong <= 10; ++wrong) {
            SCOPED_TRACE(testing::Message() << "allowed " << allowed << " wrong " << wrong);
            // Won: also while the last letter is drawn, before the round is marked ended.
            for (RoundOutcome o : {RoundOutcome::Won, RoundOutcome::Running}) {
                const PirateScene won = pirateScene(5, 5, wrong, allowed, unit(), o);
                EXPECT_FALSE(won.lost);
                EXPECT_FALSE(won.left.visible);
                EXPECT_EQ(won.mid.file, QStringLiteral("BMPS\\PIRATE2.BMP"));
                if (won.right.visible) {
                    EXPECT_GE(won.right.box.left, 0);
                    EXPECT_LE(won.right.box.left + won.right.box.width, kPanelWidth);
                }
            }
            const PirateScene lost = pirateScene(5, 2, wrong, allowed, unit(), RoundOutcome::Lost);
            EXPECT_TRUE(lost.lost);
            EXPECT_EQ(lost.mid.file, QStringLiteral("BMPS\\PIRATE3.BMP"));
            EXPECT_FALSE(lost.right.visible);
        }
    }
}

TEST(PirateSceneTest, RightFigureNeverHigherThanSevenPixels) {
    const Scale tiny{0.4f, 0.4f, 0.4f, 15, 15};
    EXPECT_DOUBLE_EQ(pirateScene(5, 1, 2, 6, tiny).right.box.top, 105);  // 60 raised to 7 pixels
    EXPECT_DOUBLE_EQ(pirateScene(5, 1, 5, 6, tiny).right.box.top, 105);  // 84 raised
    EXPECT_DOUBLE_EQ(pirateScene(5, 1, 5, 6, unit()).right.box.top, 210);
}

// ---- Slide pictures ----

TEST(SlidePictureTest, PatternsByLength) {
    auto pictures = [](int len) {
        QList<int> out;
        for (int k = 0; k <= len; ++k)
            out << slidePicture(len, k);
        return out;
    };
    EXPECT_EQ(pictures(3), (QList<int>{0, 4, 8, 11}));
    EXPECT_EQ(pictures(6), (QList<int>{0, 1, 3, 5, 7, 10, 11}));
    EXPECT_EQ(pictures(11), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(slidePicture(12, 11), 10);  // past the pattern's end
    EXPECT_EQ(slidePictureFile(0), QStringLiteral("bmps\\sp0.bmp"));
    EXPECT_EQ(slidePictureFile(10), QStringLiteral("bmps\\spa.bmp"));
    EXPECT_EQ(slidePictureFile(11), QStringLiteral("bmps\\spb.bmp"));
}

TEST(SlidePictureTest, PictureTenWidthFollowsTheSmallerScale) {
    const Scale wide{1.0f, 0.5f, 0.5f, 15, 15};
    EXPECT_DOUBLE_EQ(slidePictureBox(9, wide).width, 705);
    EXPECT_DOUBLE_EQ(slidePictureBox(10, wide).width, 345);
    EXPECT_EQ(slidePictureBox(11, wide), (TwipRect{7455, 705, 975, 825}));
    EXPECT_EQ(slideAnimBox(6, wide), (TwipRect{5400, 2572.5, 1155, 300}));
    for (int f = 1; f <= 6; ++f) {  // at design size a frame's rectangle is its bitmap at 15 twips
        EXPECT_DOUBLE_EQ(slideAnimBox(f, unit()).width, slideAnimSize(f).width * 15.0);
        EXPECT_DOUBLE_EQ(slideAnimBox(f, unit()).height, slideAnimSize(f).height * 15.0);
    }
}

// ---- layout ----

TEST(GameLayoutTest, CellsAndAlphabetPlaces) {
    EXPECT_EQ(cellSize(1.0f, 15), 765);
    EXPECT_EQ(cellSize(0.7f, 15), 525);  // 535.5 -> 536 twips, cut to 35 pixels
    EXPECT_EQ(cellSize(1.0f, 12), 756);
    EXPECT_EQ(alphabetPlace(Game::Treasure, 9).column, 8);
    EXPECT_TRUE(alphabetPlace(Game::Treasure, 10).halfRight);
    EXPECT_EQ(alphabetPlace(Game::Treasure, 26).row, 2);
    struct {
        int i, column, row;
    } slide[] = {{1, 0, 0}, {3, 2, 0}, {4, -1, 1}, {8, 3, 1}, {9, -1, 2}, {23, 3, 4}, {24, 0, 5}, {26, 2, 5}};
    for (const auto& c : slide) {
        EXPECT_EQ(alphabetPlace(Game::Slide, c.i).column, c.column) << c.i;
        EXPECT_EQ(alphabetPlace(Game::Slide, c.i).row, c.row) << c.i;
    }
    EXPECT_FALSE(bigButtonFaces(0.74f));
    EXPECT_TRUE(bigButtonFaces(0.7401f));
}

TEST(GameLayoutTest, BandsKeepTheirDepthAndSlidesPicturesStartBelowTheirBand) {
    const Scale s{2.0f, 0.5f, 0.5f, 15, 15};
    EXPECT_EQ(panelBand(design::kTreasureBandWidth, s), (TwipRect{0, 0, 16890, 105}));
    EXPECT_EQ(panelBand(design::kSlideBandWidth, unit()), (TwipRect{0, 0, 4245, 105}));
    // 5385 x 2, 1065 x 0.5 + 105, 3975 x 2, 5415 x 0.5 - 105.
    EXPECT_EQ(slidePicturePanel(s), (TwipRect{10770, 637.5, 7950, 2602.5}));
    EXPECT_EQ(slidePicturePanel(s).top, design::kSlideAlphabet.top * 0.5 + design::kBandDepth);
}

}  // namespace
