#include "book/BookFile.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

#include "BookEncoder.h"
#include "platform/Ansi.h"
#include "support/TestEnv.h"

namespace {

const QChar kOpen = ansi::chr(147);
const QChar kClose = ansi::chr(148);

// Three pages: a title page, a page with fewer blocks than the maximum and quotes, and a last
// page without a link.
bookenc::Book fixtureBook() {
    bookenc::Book b;
    b.title = QStringLiteral("  The Red Hen  ");
    b.fontSize = 28;
    bookenc::Frame title;
    title.blocks = {{600, 4200, 8400, 600, 900, QStringLiteral("The Red Hen")},
                    {600, 5000, 8400, 500, 900, QStringLiteral("by Ann Fell!")}};
    title.pictures = {{1200, 300, 7200, 3600, QStringLiteral("COLHEN")}};
    title.marks = {0.45, 0.9, 1.375};
    title.link = QStringLiteral("COLYARD");
    bookenc::Frame yard;
    yard.blocks = {{600, 4800, 8400, 600, 900, QStringLiteral("@Who will help me?@ said Hen.")}};
    yard.pictures = {{300, 300, 4000, 3000, QStringLiteral("COLYARD")},
                     {4500, 300, 4000, 3000, QStringLiteral(" Cat ")}};
    yard.marks = {0.3, 0.6, 0.95, 1.2, 1.7, 2.05};
    yard.link = QStringLiteral("COLEND");
    bookenc::Frame end;
    end.blocks = {{600, 4800, 8400, 600, 900, QStringLiteral("The end.")}};
    b.frames = {title, yard, end};
    return b;
}

BookReadResult read(const QByteArray& bytes, const BookReadOptions& options = {}) {
    return ReadBookBytes(bytes, QStringLiteral("/books/DATA/HEN.DAT"), options);
}

QList<QStringList> records(const bookenc::Book& b) {
    QList<QStringList> r{bookenc::headerFields(b)};
    for (int f = 1; f <= b.frames.size(); ++f)
        r.append(bookenc::frameFields(b, f));
    return r;
}

// The fixture with one change made to its records before encoding.
QByteArray changed(const std::function<void(QList<QStringList>&)>& change,
                   const bookenc::Book& b = fixtureBook()) {
    QList<QStringList> r = records(b);
    change(r);
    return bookenc::encodeRecords(b.magic, r);
}

TEST(BookFile, ReadsEveryTableOfTheFixtureFromItsFile) {
    testsupport::TempDir dir;
    dir.write("DATA/HEN.DAT", bookenc::encodeBook(fixtureBook()));
    const QString path = dir.file("DATA/HEN.DAT");
    const BookReadResult r = ReadBookFile(path, {});
    ASSERT_TRUE(r.ok) << r.fatalKind.toStdString();
    const BookData& b = r.book;
    EXPECT_EQ(r.path, path);
    EXPECT_EQ(b.title, "The Red Hen");
    EXPECT_EQ(b.frameCount, 3);
    EXPECT_EQ(b.MaxPictures, 2);
    EXPECT_EQ(b.MaxBlocks, 2);
    EXPECT_EQ(b.MaxMarks, 6);
    EXPECT_EQ(b.BookFontSize, 28);

    EXPECT_EQ(b.BlockText(2, 1), "by Ann Fell!");
    const int rect[5] = {600, 5000, 8400, 500, 900};
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(b.BlockRect(k, 2, 1), rect[k - 1]) << k;
    EXPECT_EQ(b.PictureName(1, 1), "COLHEN");
    EXPECT_EQ(b.PictureRect(3, 1, 1), 7200);
    EXPECT_EQ(b.PictureName(2, 2), " Cat ");  // picture names are kept as stored
    EXPECT_DOUBLE_EQ(b.MarkTime(3, 1), 1.375);
    EXPECT_DOUBLE_EQ(b.MarkTime(6, 2), 2.05);
    EXPECT_EQ(b.NextLink(1), "COLYARD");
    EXPECT_EQ(b.NextLink(3), "");
    EXPECT_EQ(b.BlockText(1, 2), QString(kOpen) + "Who will help me?" + kClose + " said Hen.");

    // Slots past a frame's own counts, and past the tables, read empty.
    EXPECT_EQ(b.BlockText(2, 2), "");
    EXPECT_EQ(b.BlockRect(1, 2, 2), 0);
    EXPECT_EQ(b.PictureName(2, 1), "");
    EXPECT_EQ(b.PictureRect(1, 2, 3), 0);
    EXPECT_EQ(b.MarkTime(4, 1), 0.0);
    EXPECT_EQ(b.BlockText(1, 4), "");
    EXPECT_EQ(b.BlockRect(6, 1, 1), 0);
    EXPECT_EQ(b.NextLink(0), "");
}

TEST(BookFile, MissingShortOrEmptyFilesAreFileFailures) {
    testsupport::TempDir dir;
    const BookReadResult missing = ReadBookFile(dir.file("DATA/NONE.DAT"), {});
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.fatalKind, "file");
    EXPECT_EQ(missing.path, dir.file("DATA/NONE.DAT"));

    EXPECT_EQ(read("").fatalKind, "file");
    EXPECT_EQ(read("\"QUORRIN DATA FILE.\"\r\n").fatalKind, "file");
    // The magic is checked only once the header has been read.
    EXPECT_EQ(read("\"NOT A BOOK\"\r\n").fatalKind, "file");
}

TEST(BookFile, MagicBlanksCountInTheKeyAndCaseDoesNot) {
    bookenc::Book padded = fixtureBook();
    padded.magic = QStringLiteral("   QUORRIN DATA FILE.  ");
    const BookReadResult r = read(bookenc::encodeBook(padded));
    ASSERT_TRUE(r.ok) << r.fatalKind.toStdString();
    EXPECT_EQ(r.book.BlockText(1, 1), "The Red Hen");

    // The same scrambled records behind a magic with two more blanks start from a key 64
    // higher: the first high code of the header ("T", 84) reads 64 lower, and from there the
    // keys agree again.
    QByteArray shifted = bookenc::encodeBook(fixtureBook());
    shifted.replace("\"QUORRIN DATA FILE.\"", "\"  QUORRIN DATA FILE.\"");
    const BookReadResult s = read(shifted);
    ASSERT_TRUE(s.ok) << s.fatalKind.toStdString();
    EXPECT_EQ(s.book.title, QChar(84 - 64) + QStringLiteral("he Red Hen"));

    bookenc::Book lower = fixtureBook();
    lower.magic = QStringLiteral("Quorrin Data File.");
    EXPECT_EQ(read(bookenc::encodeBook(lower)).fatalKind, "badfile");
}

TEST(BookFile, FrameMarkerNeedsItsFirstFifteenCharacters) {
    auto withMarker = [](const QString& marker) {
        return read(changed([&](QList<QStringList>& r) { r[2][0] = marker; }));
    };
    EXPECT_TRUE(withMarker("==========FRAME and anything").ok);
    EXPECT_TRUE(withMarker("==========FRAME").ok);
    EXPECT_EQ(withMarker("=========FRAME 2").fatalKind, "badframe");
    EXPECT_EQ(withMarker("==========frame 2").fatalKind, "badframe");
}

TEST(BookFile, NumbersReadTheirLeadingValueRoundedHalfToEven) {
    const struct {
        const char* field;
        int value;
    } cases[] = {{"2.5", 2}, {"3.5", 4}, {"12ab", 12}, {"", 0}, {"-7.5", -8}, {" 1 2 ", 12}, {"x9", 0}};
    for (const auto& c : cases) {
        const BookReadResult r = read(changed([&](QList<QStringList>& rec) { rec[2][2] = c.field; }));
        ASSERT_TRUE(r.ok) << c.field;
        EXPECT_EQ(r.book.BlockRect(1, 1, 2), c.value) << c.field;
    }
    // Timing marks keep their fraction.
    const BookReadResult r = read(changed([](QList<QStringList>& rec) { rec[1][23] = "1.0625xyz"; }));
    ASSERT_TRUE(r.ok);
    EXPECT_DOUBLE_EQ(r.book.MarkTime(1, 1), 1.0625);
}

TEST(BookFile, LinkNeedsCapitalNextAndLosesItsBlanks) {
    const struct {
        const char* field;
        const char* link;
    } cases[] = {{"NEXT  COLBARN  ", "COLBARN"}, {"next COLBARN", ""}, {"NEXTCOLBARN", "COLBARN"},
                 {"NEX", ""}, {"", ""}, {"NEXT", ""}};
    for (const auto& c : cases) {
        const BookReadResult r =
            read(changed([&](QList<QStringList>& rec) { rec[2].last() = c.field; }));
        ASSERT_TRUE(r.ok) << c.field;
        EXPECT_EQ(r.book.NextLink(2), c.link) << c.field;
    }
}

TEST(BookFile, FieldsPastTheEndOfARecordReadEmpty) {
    // A frame record that stops after its one block: no pictures, marks or link.
    const BookReadResult r = read(changed([](QList<QStringList>& rec) { rec[3] = rec[3].mid(0, 8); }));
    ASSERT_TRUE(r.ok) << r.fatalKind.toStdString();
    EXPECT_EQ(r.book.BlockText(1, 3), "The end.");
    EXPECT_EQ(r.book.frames[2].pictures.size(), 0);
    EXPECT_EQ(r.book.NextLink(3), "");
}

TEST(BookFile, QuotesAlternateWithinAFrameAndRestartOnEachFrame) {
    bookenc::Book b = fixtureBook();
    b.frames[0].blocks[0].text = QStringLiteral("@Hen@ and @Cat");
    b.frames[0].blocks[1].text = QStringLiteral("went out.@");
    b.frames[1].blocks[0].text = QStringLiteral("@Yes,@ said Cat.");
    const QByteArray bytes = bookenc::encodeBook(b);

    const BookReadResult curly = read(bytes);
    ASSERT_TRUE(curly.ok);
    EXPECT_EQ(curly.book.BlockText(1, 1), QString(kOpen) + "Hen" + kClose + " and " + kOpen + "Cat");
    EXPECT_EQ(curly.book.BlockText(2, 1), "went out." + QString(kClose));
    EXPECT_EQ(curly.book.BlockText(1, 2), QString(kOpen) + "Yes," + kClose + " said Cat.");

    BookReadOptions plain;
    plain.curlyQuotes = false;
    const BookReadResult straight = read(bytes, plain);
    ASSERT_TRUE(straight.ok);
    EXPECT_EQ(straight.book.BlockText(1, 1), "\"Hen\" and \"Cat");
}

TEST(BookFile, WritingStartsFromTheTextWithSingleBlanksOrFromNothing) {
    bookenc::Book b = fixtureBook();
    b.frames[0].blocks[0].text = QStringLiteral("The  red   hen");
    b.frames[0].blocks[1].text = QStringLiteral("ends with one ");
    const QByteArray bytes = bookenc::encodeBook(b);

    BookReadOptions withText{2, -1, true};
    const BookReadResult on = read(bytes, withText);
    ASSERT_TRUE(on.ok);
    EXPECT_EQ(on.book.BlockText(1, 1), "The red hen ");
    EXPECT_EQ(on.book.BlockText(2, 1), "ends with one ");
    EXPECT_EQ(on.book.BlockText(1, 2), QString(kOpen) + "Who will help me?" + kClose + " said Hen. ");

    const BookReadResult off = read(bytes, BookReadOptions{2, 0, true});
    ASSERT_TRUE(off.ok);
    EXPECT_EQ(off.book.BlockText(1, 1), "");
    EXPECT_EQ(off.book.BlockRect(4, 1, 1), 600);  // the boxes stay where they were

    // Other activities keep the stored text even with the setting on.
    EXPECT_EQ(read(bytes, BookReadOptions{1, -1, true}).book.BlockText(1, 1), "The  red   hen");
}

TEST(BookFile, HeaderThatCannotDescribeABookIsBadfile) {
    const struct {
        int index;
        const char* value;
    } cases[] = {
        {1, "0"},     {1, "-3"},    {1, "40000"},  // frame count
        {2, "30000"}, {2, "-1"},                   // pictures
        {3, "0"},     {3, "500"},                  // blocks
        {4, "-2"},    {4, "32000"},                // marks
        {5, "0"},     {5, "5000"},                 // font size
        {7, "99999"},                              // a reserved number outside 16 bits
    };
    for (const auto& c : cases) {
        const BookReadResult r = read(changed([&](QList<QStringList>& rec) { rec[0][c.index] = c.value; }));
        EXPECT_EQ(r.fatalKind, "badfile") << c.index << " = " << c.value;
    }
}

TEST(BookFile, FrameThatBreaksTheCountsIsBadframe) {
    using Change = std::function<void(QList<QStringList>&)>;
    const struct {
        const char* what;
        Change change;
    } cases[] = {
        {"fewer frame records than the count", [](auto& r) { r[0][1] = "4"; }},
        {"more blocks than the maximum", [](auto& r) { r[0][3] = "1"; }},
        {"more pictures than the maximum", [](auto& r) { r[0][2] = "1"; }},
        {"more marks than the maximum", [](auto& r) { r[0][4] = "5"; }},
        {"negative block count", [](auto& r) { r[2][1] = "-1"; }},
        {"negative picture count", [](auto& r) { r[3][9] = "-4"; }},
        {"zero-height first block", [](auto& r) { r[1][5] = "0"; }},
        {"negative-height first block", [](auto& r) { r[1][5] = "-600"; }},
        {"first frame without blocks", [](auto& r) { r[1] = QStringList{"==========FRAME 1", "0"}; }},
        {"block number outside 16 bits", [](auto& r) { r[2][3] = "32768"; }},
        {"picture number outside 16 bits", [](auto& r) { r[2][10] = "-40000"; }},
        {"mark without a finite value", [](auto& r) { r[1][23] = "1E999"; }},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(changed(c.change)).fatalKind, "badframe") << c.what;
}

TEST(BookFile, NoPicturesAndNoMarksIsAValidBook) {
    bookenc::Book b = fixtureBook();
    for (bookenc::Frame& f : b.frames) {
        f.pictures.clear();
        f.marks.clear();
    }
    const BookReadResult r = read(bookenc::encodeBook(b));
    ASSERT_TRUE(r.ok) << r.fatalKind.toStdString();
    EXPECT_EQ(r.book.MaxPictures, 0);
    EXPECT_EQ(r.book.MaxMarks, 0);
    EXPECT_EQ(r.book.NextLink(1), "COLYARD");
}

TEST(BookFile, ExtraRecordsAfterTheLastFrameAreNotRead) {
    const BookReadResult r = read(changed([](auto& r) { r.append(QStringList{"garbage"}); }));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.book.frames.size(), 3);
}

TEST(BookFile, SetBlockTextFillsSlotsUpToTheMaximumOnly) {
    BookReadResult r = read(bookenc::encodeBook(fixtureBook()));
    ASSERT_TRUE(r.ok);
    r.book.setBlockText(2, 3, QStringLiteral("new"));
    EXPECT_EQ(r.book.BlockText(2, 3), "new");
    EXPECT_EQ(r.book.BlockRect(1, 2, 3), 0);
    r.book.setBlockText(3, 3, QStringLiteral("beyond"));
    r.book.setBlockText(1, 4, QStringLiteral("beyond"));
    EXPECT_EQ(r.book.frames[2].blocks.size(), 2);
    EXPECT_EQ(r.book.frames.size(), 3);
}

TEST(UnscrambleText, SettingModeSumsTheCodesAndKeepsTheText) {
    int32_t key = 0;
    EXPECT_EQ(UnscrambleText(QByteArray(" AB "), key), " AB ");
    EXPECT_EQ(key, 32 + 65 + 66 + 32);
    key = 0;
    EXPECT_EQ(UnscrambleText(QByteArray(), key), "");
    EXPECT_EQ(key, 0);
}

TEST(UnscrambleText, HighCodesShiftByTheKeyAndLowCodesFollowItsRemainder) {
    // Worked by hand from key 1000: 'H' (72) is stored as 35 + 1072 Mod 221 = 223, the key
    // becomes 1072; 'i' (105) as 35 + 1177 Mod 221 = 107; then at key 1177 (remainder 1) the
    // low codes 4, 5, 6, 7, 0 read blank, "!", LF, CR, blank, and the stored quote reads as a
    // quote; none of them moves the key.
    int32_t key = 1000;
    const QByteArray stored("\xDF\x6B\x04\x05\x06\x07\x22\x00", 8);
    EXPECT_EQ(UnscrambleText(stored, key), QByteArray("Hi !\n\r\" "));
    EXPECT_EQ(key, 1177);

    // Every code from 35 up advances the key by the code it produces; 35 with key 0 Mod 221
    // gives code 0.
    key = 221;
    EXPECT_EQ(UnscrambleText(QByteArray("#"), key), QByteArray("\0", 1));
    EXPECT_EQ(key, 221);
}

TEST(UnscrambleText, NegativeAndWrappingKeysStayDefined) {
    int32_t key = INT32_MIN;
    const QByteArray out = UnscrambleText(QByteArray("\xFF\xFF\x01", 3), key);
    ASSERT_EQ(out.size(), 3);
    // (255 - 35 - key) Mod 221 with the key at -2^31: 220 + 2^31 = 2147483868, Mod 221 = 127.
    EXPECT_EQ(static_cast<unsigned char>(out[0]), 127);
    key = INT32_MAX;
    UnscrambleText(QByteArray("\xFF", 1), key);
    EXPECT_LT(key, 0);  // wrapped, not undefined
}

TEST(FitBookFontSize, LowersOnePointAtATimeUntilTyFits) {
    std::vector<int> tried;
    auto height = [&](int size) {
        tried.push_back(size);
        return size * 20.0;  // twips per point
    };
    EXPECT_EQ(FitBookFontSize(24, 400, height), 20);
    EXPECT_EQ(tried, (std::vector<int>{24, 23, 22, 21, 20}));
    EXPECT_EQ(FitBookFontSize(18, 400, height), 18);
    // A block no text fits stops at one point.
    EXPECT_EQ(FitBookFontSize(30, 0, height), 1);
    EXPECT_EQ(FitBookFontSize(30, -5, [](int) { return 1.0; }), 1);
}

}  // namespace
