// The square builder, the word-list filter and the pupil's solving, without windows.
#include <QStringList>
#include <gtest/gtest.h>
#include <random>

#include "platform/Lang.h"
#include "square/SquareBuilder.h"
#include "square/SquareSettings.h"
#include "square/SquareSolver.h"
#include "square/SquareWordList.h"
#include "support/TestEnv.h"
#include "support/ThirtyWords.h"

namespace {

// A seeded generator in [0, 1), as the program's single-precision one.
std::function<float()> seeded(unsigned seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine] { return std::uniform_real_distribution<float>(0.0f, 1.0f)(*engine); };
}

const QStringList kWords = {
    QStringLiteral("CAT"),   QStringLiteral("DOG"),    QStringLiteral("HEN"),   QStringLiteral("PIG"),
    QStringLiteral("SUN"),   QStringLiteral("RUN"),    QStringLiteral("FISH"),  QStringLiteral("BALL"),
    QStringLiteral("TREE"),  QStringLiteral("HOME"),   QStringLiteral("STARS"), QStringLiteral("HAPPY"),
    QStringLiteral("NIGHT"), QStringLiteral("COMES"),  QStringLiteral("WHAT"),  QStringLiteral("BIRD"),
    QStringLiteral("GOOD"),  QStringLiteral("JUMPS"),  QStringLiteral("SPLASH"), QStringLiteral("LITTLE"),
    QStringLiteral("GARDEN"), QStringLiteral("RABBITS"), QStringLiteral("ELEPHANT"), QStringLiteral("BUTTERFLY"),
    QStringLiteral("SANDCASTLE"), QStringLiteral("ONE"),  QStringLiteral("TWO"),   QStringLiteral("RED"),
};

SquareBuilder builderOf(const QStringList& words, int cols, std::function<float()> rnd) {
    SquareBuilder b(std::move(rnd));
    b.SquareWords = words;
    b.SquareCols = cols;
    b.SquareRows = RowsFor(cols);
    return b;
}

QString readPlacement(const SquareBuilder& b, const Placement& p) {
    QString s;
    for (int t = 0; t < p.word.size(); ++t) {
        const int c = p.direction == 0 ? p.col + t : p.col;
        const int r = p.direction == 0 ? p.row : p.row + t;
        s += QChar(b.GridLetters.at(c, r));
    }
    return s;
}

// What every finished square must hold.
void expectSoundSquare(const SquareBuilder& b) {
    int blanks = 0;
    for (int r = 1; r <= b.SquareRows; ++r)
        for (int c = 1; c <= b.SquareCols; ++c) {
            const int letter = b.GridLetters.at(c, r);
            EXPECT_TRUE(letter >= 'A' && letter <= 'Z') << "cell " << c << "," << r;
            if (b.GridFlags.at(c, r) == 0)
                ++blanks;
        }
    EXPECT_EQ(b.BlankCount, blanks);
    ASSERT_EQ(b.PlacedWords.size(), qsizetype(b.Placements.size()));
    QStringList fromPlacements;
    for (const Placement& p : b.Placements) {
        EXPECT_EQ(readPlacement(b, p), p.word);
        const int lastCol = p.direction == 0 ? p.col + int(p.word.size()) - 1 : p.col;
        const int lastRow = p.direction == 0 ? p.row : p.row + int(p.word.size()) - 1;
        EXPECT_LE(lastCol, b.SquareCols);
        EXPECT_LE(lastRow, b.SquareRows);
        const int start = p.direction == 0 ? gridflag::AcrossStart : gridflag::DownStart;
        const int end = p.direction == 0 ? gridflag::AcrossEnd : gridflag::DownEnd;
        EXPECT_TRUE(b.GridFlags.at(p.col, p.row) & start) << p.word.toStdString();
        EXPECT_TRUE(b.GridFlags.at(lastCol, lastRow) & end) << p.word.toStdString();
        fromPlacements << p.word;
    }
    QStringList sorted = b.PlacedWords;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(b.PlacedWords, sorted);
    std::sort(fromPlacements.begin(), fromPlacements.end());
    EXPECT_EQ(sorted, fromPlacements);
}

}  // namespace

TEST(SquareBuilder, BuildsSoundSquaresOfEverySize) {
    for (int cols = 4; cols <= 14; ++cols) {
        for (unsigned seed = 1; seed <= 5; ++seed) {
            SCOPED_TRACE(cols * 100 + int(seed));
            SquareBuilder b = builderOf(kWords, cols, seeded(seed));
            ASSERT_TRUE(b.MakeSquare());
            EXPECT_EQ(b.GridLetters.cols(), cols);
            EXPECT_EQ(b.GridLetters.rows(), std::min(cols, 10));
            EXPECT_GE(b.PlacedWords.size(), 2);
            expectSoundSquare(b);
        }
    }
}

namespace {

// What a pupil and the Blanks menu rely on in a built square, as a text; empty when it holds.
// The blank cells, in reading order, take the A-Z letters of the fill text (upper-cased one
// character at a time) and then the rare letters; every listed word can be found by clicking
// its letters. The search changes the model (a found word cannot be started again).
QString faultOf(SquareBuilder& b) {
    const QString fill = lang::UCase(b.BlankFillText);
    QString fillLetters;
    for (QChar c : fill)
        if (c >= u'A' && c <= u'Z')
            fillLetters += c;
    QString blanks;
    for (int r = 1; r <= b.SquareRows; ++r)
        for (int c = 1; c <= b.SquareCols; ++c) {
            const int letter = b.GridLetters.at(c, r);
            if (letter < 'A' || letter > 'Z')
                return QStringLiteral("cell %1,%2 holds %3").arg(c).arg(r).arg(letter);
            if (b.GridFlags.at(c, r) == 0)
                blanks += QChar(letter);
        }
    if (b.BlankCount != blanks.size())
        return QStringLiteral("BlankCount %1 for %2 blanks").arg(b.BlankCount).arg(blanks.size());
    const qsizetype fromText = std::min(blanks.size(), fillLetters.size());
    if (blanks.left(fromText) != fillLetters.left(fromText))
        return QStringLiteral("blanks %1 for the fill text %2").arg(blanks, b.BlankFillText);
    for (QChar c : blanks.mid(fromText))
        if (!QStringLiteral("HJQVWXYZ").contains(c))
            return QStringLiteral("blank %1 after the fill text %2").arg(c).arg(b.BlankFillText);

    if (b.PlacedWords.size() != qsizetype(b.Placements.size()))
        return QStringLiteral("%1 listed words, %2 placed").arg(b.PlacedWords.size()).arg(b.Placements.size());
    SquareSolver solver(b);
    solver.reset();
    QStringList found;
    for (const Placement& p : b.Placements) {
        for (int t = 0; t < p.word.size(); ++t) {
            const SquareSolver::Result r = solver.click(p.direction == 0 ? p.col + t : p.col,
                                                        p.direction == 0 ? p.row : p.row + t);
            const SquareSolver::Result wanted = t + 1 < p.word.size() ? SquareSolver::Selected : SquareSolver::Found;
            if (r != wanted)
                return QStringLiteral("%1 at %2,%3 %4: click %5 gave %6")
                    .arg(p.word)
                    .arg(p.col)
                    .arg(p.row)
                    .arg(p.direction == 0 ? "across" : "down")
                    .arg(t + 1)
                    .arg(int(r));
        }
        found << solver.foundWord();
        solver.clearSelection();
    }
    std::sort(found.begin(), found.end());
    if (found != b.PlacedWords)
        return QStringLiteral("found %1, listed %2").arg(found.join(u' '), b.PlacedWords.join(u' '));
    return {};
}

}  // namespace

TEST(SquareBuilder, TenThousandSquaresHoldTheirBlankLettersAndEveryListedWord) {
    QStringList pool = testsupport::thirtyWords();
    pool << kWords;
    const QStringList fills = {QString(), QStringLiteral("a cat!"), QStringLiteral("\u00DF" "abc"),
                               QStringLiteral("\uFB01\u0131x"), QStringLiteral("The quick brown fox jumps over the lazy dog"),
                               QStringLiteral("\u00E9t\u00E9 12 ?")};
    std::mt19937 pick(2024);
    int built = 0, refused = 0, faults = 0;
    for (unsigned seed = 1; built < 10000 && refused < 10000; ++seed) {
        // A list of 3 to 40 words from the pool, repeats allowed, and a size from 4 to 14.
        QStringList words;
        const int count = 3 + int(pick() % 38);
        for (int i = 0; i < count; ++i)
            words << pool[qsizetype(pick() % unsigned(pool.size()))];
        SquareBuilder b = builderOf(words, 4 + int(pick() % 11), seeded(seed));
        b.BlankFillText = fills[qsizetype(pick() % unsigned(fills.size()))];
        if (!b.MakeSquare()) {
            ++refused;
            continue;
        }
        ++built;
        const QString fault = faultOf(b);
        if (!fault.isEmpty() && ++faults <= 5)
            ADD_FAILURE() << "seed " << seed << ", " << b.SquareCols << " columns: " << fault.toStdString();
    }
    EXPECT_EQ(built, 10000);
    EXPECT_EQ(faults, 0);
}

TEST(SquareBuilder, TheSameSeedGivesTheSameSquare) {
    SquareBuilder a = builderOf(kWords, 8, seeded(42));
    SquareBuilder b = builderOf(kWords, 8, seeded(42));
    SquareBuilder c = builderOf(kWords, 8, seeded(43));
    ASSERT_TRUE(a.MakeSquare());
    ASSERT_TRUE(b.MakeSquare());
    ASSERT_TRUE(c.MakeSquare());
    bool differs = false;
    for (int r = 1; r <= 8; ++r)
        for (int col = 1; col <= 8; ++col) {
            EXPECT_EQ(a.GridLetters.at(col, r), b.GridLetters.at(col, r));
            EXPECT_EQ(a.GridFlags.at(col, r), b.GridFlags.at(col, r));
            differs = differs || a.GridLetters.at(col, r) != c.GridLetters.at(col, r);
        }
    EXPECT_EQ(a.PlacedWords, b.PlacedWords);
    EXPECT_TRUE(differs);
}

TEST(SquareBuilder, ThreeFullHeightWordsStartWithACrossingPair) {
    const QStringList words = {QStringLiteral("CATS"), QStringLiteral("STOP"), QStringLiteral("POTS"),
                               QStringLiteral("DOG"), QStringLiteral("HEN")};
    for (unsigned seed = 1; seed <= 10; ++seed) {
        SquareBuilder b = builderOf(words, 4, seeded(seed));
        ASSERT_TRUE(b.TryBuildSquare());
        ASSERT_GE(b.Placements.size(), 2u);
        const Placement& across = b.Placements[0];
        const Placement& down = b.Placements[1];
        EXPECT_EQ(across.direction, 0);
        EXPECT_EQ(across.col, 1);
        EXPECT_EQ(down.direction, 1);
        EXPECT_EQ(down.row, 1);
        EXPECT_NE(across.word, down.word);
        // They cross at (down's column, across's row) on a shared letter.
        EXPECT_EQ(across.word[down.col - 1], down.word[across.row - 1]);
        expectSoundSquare(b);
    }
}

TEST(SquareBuilder, WithoutAPairTheFirstWordGoesAcrossAwayFromTheEdgeRows) {
    // One word as long as the square is high: no pair; the long-word search places one across.
    const QStringList words = {QStringLiteral("HOUSES"), QStringLiteral("CAT"), QStringLiteral("DOG"),
                               QStringLiteral("HEN"), QStringLiteral("TOP")};
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SquareBuilder b = builderOf(words, 6, seeded(seed));
        ASSERT_TRUE(b.TryBuildSquare());
        const Placement& first = b.Placements.front();
        EXPECT_EQ(first.direction, 0);
        EXPECT_GE(first.row, 2);
        EXPECT_LE(first.row, 5);
        expectSoundSquare(b);
    }
}

TEST(SquareBuilder, RefusesWhenNothingCanStartTheSquare) {
    struct Case {
        const char* what;
        QStringList words;
        int cols;
    };
    const Case cases[] = {
        {"two words", {QStringLiteral("CAT"), QStringLiteral("DOG")}, 5},
        {"no word fits across", {QStringLiteral("ELEPHANT"), QStringLiteral("GIRAFFES"), QStringLiteral("KANGAROO")}, 6},
        {"no words", {}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SquareBuilder b = builderOf(c.words, c.cols, seeded(7));
        EXPECT_FALSE(b.MakeSquare());
        EXPECT_TRUE(b.PlacedWords.isEmpty());
        EXPECT_EQ(b.GridLetters.at(1, 1), 0);
    }
    EXPECT_TRUE(CannotBuildMessage().startsWith(
        QStringLiteral("It is not possible to design a tavlorin of the required size from the current wordlist.\r\n\r\n")));
}

TEST(SquareBuilder, WordsTooLongForTheHeightArePlacedOnlyAcrossFirst) {
    // 12 columns, 10 rows: an 11-letter word never goes in the passes, only as the first word.
    QStringList words = {QStringLiteral("CATERPILLAR"), QStringLiteral("CAT"), QStringLiteral("DOG"),
                         QStringLiteral("HEN"), QStringLiteral("PIG")};
    for (unsigned seed = 1; seed <= 10; ++seed) {
        SquareBuilder b = builderOf(words, 12, seeded(seed));
        ASSERT_TRUE(b.MakeSquare());
        for (size_t i = 1; i < b.Placements.size(); ++i)
            EXPECT_NE(b.Placements[i].word, QStringLiteral("CATERPILLAR"));
        expectSoundSquare(b);
    }
}

TEST(SquareBuilder, AlwaysEndsWhateverTheGenerator) {
    // A generator stuck on one value must not keep the builder drawing for ever.
    for (float value : {0.0f, 0.5f, 0.99999994f}) {
        SCOPED_TRACE(value);
        SquareBuilder b = builderOf(kWords, 5, [value] { return value; });
        b.MakeSquare();
        SquareBuilder pair = builderOf({QStringLiteral("CATS"), QStringLiteral("STOP"), QStringLiteral("POTS")}, 4,
                                       [value] { return value; });
        pair.MakeSquare();
        for (int r = 1; r <= pair.SquareRows; ++r)
            for (int c = 1; c <= pair.SquareCols; ++c)
                EXPECT_NE(pair.GridLetters.at(c, r), 0);
    }
}

TEST(SquareBuilder, CanPlaceWordCases) {
    SquareBuilder b = builderOf({}, 5, seeded(1));
    b.GridLetters.resize(5, 5);
    b.GridFlags.resize(5, 5);
    b.PlaceWord(QStringLiteral("CAT"), 1, 2, 0);  // C A T across row 2, columns 1-3
    struct Case {
        const char* what;
        const char* word;
        int col, row, direction, allowFree, expected;
    };
    const Case cases[] = {
        {"runs off the right edge", "HOUSE", 2, 4, 0, -1, 0},
        {"runs off the bottom", "HOUSE", 5, 2, 1, -1, 0},
        {"crosses on A", "BAG", 2, 1, 1, 0, -1},
        {"conflicts with C", "DOG", 1, 1, 1, -1, 0},
        {"lies wholly on letters", "AT", 2, 2, 0, -1, 0},
        {"free in pass 1", "DOG", 1, 4, 0, 0, 0},
        {"free in pass 2", "DOG", 1, 4, 0, -1, -1},
        {"lengthens CAT from its last letter", "TEN", 3, 2, 0, 0, 0},
        {"lengthens CAT around it", "SCAT", 0, 2, 0, 0, 0},
        {"wraps the column", "BAG", 7, 1, 1, 0, -1},
        {"down through T", "TOP", 3, 2, 1, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(b.CanPlaceWord(QString::fromLatin1(c.word), c.col, c.row, c.direction, c.allowFree), c.expected);
    }
}

TEST(SquareBuilder, PlaceWordKeepsThePlacedWordsInOrderAndSetsTheFlags) {
    SquareBuilder b = builderOf({}, 6, seeded(1));
    b.GridLetters.resize(6, 6);
    b.GridFlags.resize(6, 6);
    b.PlaceWord(QStringLiteral("HEN"), 1, 1, 0);
    b.PlaceWord(QStringLiteral("HAT"), 1, 1, 1);
    b.PlaceWord(QStringLiteral("DOG"), 4, 3, 0);
    b.PlaceWord(QStringLiteral("ZOO"), 6, 4, 1);
    EXPECT_EQ(b.PlacedWords, (QStringList{QStringLiteral("DOG"), QStringLiteral("HAT"), QStringLiteral("HEN"),
                                          QStringLiteral("ZOO")}));
    using namespace gridflag;
    EXPECT_EQ(b.GridFlags.at(1, 1), Across | AcrossStart | Down | DownStart);
    EXPECT_EQ(b.GridFlags.at(3, 1), Across | AcrossEnd);
    EXPECT_EQ(b.GridFlags.at(1, 3), Down | DownEnd);
    EXPECT_EQ(b.GridFlags.at(5, 3), Across);
    EXPECT_EQ(b.GridFlags.at(6, 4), Down | DownStart);
    // Reading outside the table gives 0, writing there changes nothing.
    EXPECT_EQ(b.GridLetters.at(7, 1), 0);
    EXPECT_EQ(b.GridLetters.at(-1, 1), 0);
}

TEST(SquareBuilder, FillBlanksTakesTheTextsLettersThenRareOnes) {
    struct Case {
        QString text;
        QString expectedStart;
    };
    const Case cases[] = {
        {QStringLiteral("a cat!"), QStringLiteral("ACAT")},
        {QString(), QString()},
        {QStringLiteral("12 ?"), QString()},
        // Upper-cased letter by letter: no letter turns into two, none into A-Z.
        {QStringLiteral("\u00DF" "abc"), QStringLiteral("ABC")},
        {QStringLiteral("\uFB01\u0131x"), QStringLiteral("X")},
        {QStringLiteral("\u00E9t\u00E9!"), QStringLiteral("T")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        SquareBuilder b = builderOf({}, 4, seeded(3));
        b.GridLetters.resize(4, 4);
        b.GridFlags.resize(4, 4);
        b.PlaceWord(QStringLiteral("DOGS"), 1, 2, 0);
        b.BlankFillText = c.text;
        b.FillBlanks();
        EXPECT_EQ(b.BlankCount, 12);
        QString blanks;
        for (int r = 1; r <= 4; ++r)
            for (int col = 1; col <= 4; ++col)
                if (b.GridFlags.at(col, r) == 0)
                    blanks += QChar(b.GridLetters.at(col, r));
        EXPECT_TRUE(blanks.startsWith(c.expectedStart));
        for (QChar ch : blanks.mid(c.expectedStart.size()))
            EXPECT_TRUE(QStringLiteral("HJQVWXYZ").contains(ch)) << ch.toLatin1();
        EXPECT_EQ(QChar(b.GridLetters.at(1, 2)), u'D');
    }
}

TEST(SquareWordList, FiltersAndDecides) {
    struct Case {
        const char* what;
        QByteArray content;
        SquareWordListRead::Outcome outcome;
        QStringList words;
    };
    const QStringList four = {QStringLiteral("CAT"), QStringLiteral("DOG"), QStringLiteral("HEN"),
                              QStringLiteral("PIG")};
    const Case cases[] = {
        {"short and odd words left out", "*WORDLIST*\r\ncat\r\ndog\r\nox\r\nhen\r\na-b\r\nPig\r\n*END*\r\n",
         SquareWordListRead::Loaded, four},
        {"header and end in any case, blanks around", "  *wordList* , cat,dog\nhen\npig\n  *End*  \nzebra\n",
         SquareWordListRead::Loaded, four},
        {"no end item", "*WORDLIST*\ncat\ndog\nhen\npig", SquareWordListRead::Loaded, four},
        {"saved as UTF-8 with a byte-order mark", "\xEF\xBB\xBF*WORDLIST*\r\ncat\r\ndog\r\nhen\r\npig\r\n",
         SquareWordListRead::Loaded, four},
        {"quoted items", "\"*WORDLIST*\",\"cat\",\"dog\",\"hen\",\"pig\"\n", SquareWordListRead::Loaded, four},
        {"a word before the header", "cat\n*WORDLIST*\ndog\nhen\npig\nsun\n", SquareWordListRead::NotSuitable, {}},
        {"empty file", "", SquareWordListRead::NotSuitable, {}},
        {"three words", "*WORDLIST*\ncat\ndog\nhen\nox\n*END*\n", SquareWordListRead::TooFewWords,
         {QStringLiteral("CAT"), QStringLiteral("DOG"), QStringLiteral("HEN")}},
        {"duplicates kept", "*WORDLIST*\ncat\ncat\ncat\ncat\n", SquareWordListRead::Loaded,
         {QStringLiteral("CAT"), QStringLiteral("CAT"), QStringLiteral("CAT"), QStringLiteral("CAT")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SquareWordListRead r = SquareWordListFrom(c.content, QStringLiteral("/lists/x.y/MINE.TXT"));
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.words, c.words);
        EXPECT_EQ(r.stem, QStringLiteral("MINE"));
    }
}

TEST(SquareWordList, FilesAndMessages) {
    testsupport::TempDir dir;
    dir.write(QStringLiteral("WORDLIST/_001_030.TXT"), "*WORDLIST*\ncat\ndog\nhen\npig\n");
    const SquareWordListRead ok = ReadSquareWordList(dir.file(QStringLiteral("WORDLIST/_001_030.TXT")));
    EXPECT_EQ(ok.outcome, SquareWordListRead::Loaded);
    EXPECT_EQ(ok.stem, QStringLiteral("_001_030"));
    EXPECT_EQ(ReadSquareWordList(dir.path() + QStringLiteral("/WORDLIST/NONE.TXT")).outcome,
              SquareWordListRead::Unreadable);

    const QString path = QStringLiteral("/x/A.TXT");
    EXPECT_EQ(SquareWordListMessage(SquareWordListRead::NotSuitable, path),
              QStringLiteral("The file\r\n\r\n/x/A.TXT\r\n\r\nis not a suitable wordlist file.\r\n\r\n"
                             "Use the 'File ... Open' menu to open another wordlist before continuing.\r\n\r\n"
                             "For information about creating suitable wordlist files, see 'Creating Wordlists' "
                             "under the 'Help' menu."));
    EXPECT_EQ(SquareWordListMessage(SquareWordListRead::TooFewWords, path),
              QStringLiteral("The file\r\n\r\n/x/A.TXT\r\n\r\ndoes not contain enough words.\r\n\r\n"
                             "Use the 'File ... Open' menu to open another wordlist before continuing."));
    EXPECT_EQ(SquareWordListMessage(SquareWordListRead::Unreadable, path),
              QStringLiteral("Fatal error.\r\n\r\nThe file\r\n/x/A.TXT\r\ndoes not exist or is not available.\r\n\r\n"
                             "If necessary, you should reinstall the software."));
}

namespace {

// A 6 x 6 model with words placed by hand.
struct SolverModel {
    SquareBuilder b{seeded(1)};
    SquareSolver s{b};
    SolverModel() {
        b.SquareCols = b.SquareRows = 6;
        b.GridLetters.resize(6, 6);
        b.GridFlags.resize(6, 6);
        b.PlaceWord(QStringLiteral("CAT"), 1, 1, 0);    // across from (1,1)
        b.PlaceWord(QStringLiteral("COW"), 1, 1, 1);    // down from (1,1)
        b.PlaceWord(QStringLiteral("CAT"), 2, 5, 0);    // a second CAT inside SCATS
        b.PlaceWord(QStringLiteral("SCATS"), 1, 5, 0);
        b.FillBlanks();
        s.reset();
    }
    SquareSolver::Result clicks(std::initializer_list<std::pair<int, int>> cells) {
        SquareSolver::Result r = SquareSolver::Ignored;
        for (auto [c, row] : cells)
            r = s.click(c, row);
        return r;
    }
};

}  // namespace

TEST(SquareSolver, FindsAWordLetterByLetter) {
    SolverModel m;
    EXPECT_EQ(m.clicks({{1, 1}, {2, 1}}), SquareSolver::Selected);
    EXPECT_EQ(m.s.mark(1, 1), cellmark::Selected);
    EXPECT_EQ(m.s.SelDown, 0);  // the second letter fixed the direction
    EXPECT_EQ(m.s.click(3, 1), SquareSolver::Found);
    EXPECT_EQ(m.s.foundWord(), QStringLiteral("CAT"));
    m.s.clearSelection();
    EXPECT_EQ(m.s.mark(1, 1), 5);
    EXPECT_EQ(m.s.mark(2, 1), 5);
    EXPECT_EQ(m.s.mark(3, 1), 4);
    // The start cell now starts only COW.
    EXPECT_EQ(m.clicks({{1, 1}, {2, 1}}), SquareSolver::Refused);
    EXPECT_EQ(m.clicks({{1, 1}, {1, 2}, {1, 3}}), SquareSolver::Found);
    EXPECT_EQ(m.s.foundWord(), QStringLiteral("COW"));
    m.s.clearSelection();
    EXPECT_EQ(m.s.mark(1, 1), 7);
    EXPECT_EQ(m.s.mark(1, 2), 6);
    // Found both ways: nothing starts here any more.
    EXPECT_EQ(m.s.click(1, 1), SquareSolver::Refused);
}

TEST(SquareSolver, WrongClicksDropTheSelection) {
    struct Case {
        const char* what;
        std::initializer_list<std::pair<int, int>> cells;
    };
    const Case cases[] = {
        {"a letter in the middle of a word", {{2, 1}}},
        {"a blank cell", {{6, 3}}},
        {"the same cell twice", {{1, 1}, {1, 1}}},
        {"a step backwards", {{1, 1}, {2, 1}, {1, 1}}},
        {"a diagonal step", {{1, 1}, {2, 2}}},
        {"across after going down", {{1, 1}, {1, 2}, {2, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SolverModel m;
        EXPECT_EQ(m.clicks(c.cells), SquareSolver::Refused);
        EXPECT_EQ(m.s.Selecting, 0);
        EXPECT_TRUE(m.s.SelText.isEmpty());
        for (int r = 1; r <= 6; ++r)
            for (int col = 1; col <= 6; ++col)
                EXPECT_EQ(m.s.mark(col, r), 0);
    }
}

TEST(SquareSolver, AWordInsideALongerOneDoesNotCutItShort) {
    SolverModel m;
    // S C A T: CAT ends at (4,5), but SCAT is no word: the selection goes on to SCATS.
    EXPECT_EQ(m.clicks({{1, 5}, {2, 5}, {3, 5}, {4, 5}}), SquareSolver::Selected);
    EXPECT_EQ(m.s.click(5, 5), SquareSolver::Found);
    EXPECT_EQ(m.s.foundWord(), QStringLiteral("SCATS"));
    m.s.clearSelection();
    EXPECT_EQ(m.clicks({{2, 5}, {3, 5}, {4, 5}}), SquareSolver::Found);
    EXPECT_EQ(m.s.foundWord(), QStringLiteral("CAT"));
}

TEST(SquareSolver, NoSquareNoSelection) {
    SquareBuilder b(seeded(1));
    b.SquareCols = b.SquareRows = 5;
    b.GridLetters.resize(5, 5);
    b.GridFlags.resize(5, 5);
    SquareSolver s(b);
    s.reset();
    EXPECT_EQ(s.click(1, 1), SquareSolver::Ignored);
    EXPECT_EQ(s.click(9, 9), SquareSolver::Ignored);
}

TEST(SquareSolver, WordSoundNames) {
    struct Case {
        const char* word;
        int aasAy;
        const char* name;
    };
    const Case cases[] = {
        {"cat", 0, "CAT"},         {"don't", 0, "DONT"}, {"elephants", 0, "ELEPHA76"},
        {"a", -1, "AY"},           {"A", 0, "UH"},       {"", 0, ""},
        {"12", 0, "12"},           {"BUTTERFLY", 0, "BUTTER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        QString expected = QString::fromLatin1(c.name);
        if (expected == u"BUTTER") {
            int sum = 0;
            for (char ch : std::string("BUTTERFLY"))
                sum += ch;
            expected += QStringLiteral("%1").arg(sum % 100, 2, 10, QChar(u'0'));
        }
        EXPECT_EQ(WordSoundName(QString::fromLatin1(c.word), c.aasAy), expected);
    }
}

TEST(SquareSettings, PupilOptionsEncoding) {
    EXPECT_EQ(EncodeSquareFlags(0, true, true, true, true), 4);
    EXPECT_EQ(EncodeSquareFlags(6, false, false, false, false), 250);
    EXPECT_EQ(EncodeSquareFlags(3, false, true, false, true), 7 + 16 + 64);
    struct Case {
        int flags, columns;
    };
    for (Case c : {Case{0, 4}, Case{16 + 32 + 7, 7}, Case{10, 10}, Case{15, 10}, Case{2, 4}, Case{128 + 5, 5}})
        EXPECT_EQ(StartColumns(c.flags), c.columns) << c.flags;
    EXPECT_EQ(RowsFor(14), 10);
    EXPECT_EQ(RowsFor(6), 6);
    EXPECT_TRUE(IsTeacherEdition(QStringLiteral("teacher")));
    EXPECT_TRUE(IsTeacherEdition(QStringLiteral("MyTeacherX")));
    EXPECT_FALSE(IsTeacherEdition(QStringLiteral("PUPIL")));
    EXPECT_FALSE(IsTeacherEdition(QString()));
}

TEST(SquareSettings, StartListNamesTheRecordCanHold) {
    struct Case {
        QString stem;
        bool fits;
    } cases[] = {
        {QStringLiteral("_001_030"), true},     {QStringLiteral("01PIP"), true},
        {QStringLiteral("caf\u00E9"), true},     {QStringLiteral("_001_030BIG"), false},
        {QStringLiteral("123456789"), false},   {QString(), false},
        {QStringLiteral(" pip"), false},        {QStringLiteral("pip "), false},
        {QStringLiteral("\u010Daj"), false},     {QStringLiteral("*DUMMY*"), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitsStartList(c.stem), c.fits) << c.stem.toStdString();
}
