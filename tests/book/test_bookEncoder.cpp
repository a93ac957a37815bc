#include "BookEncoder.h"

#include <gtest/gtest.h>
#include <random>

#include "book/BookFile.h"
#include "platform/Ansi.h"
#include "platform/ItemInput.h"
#include "platform/Lang.h"

namespace {

TEST(BookEncoder, EveryStorableCharacterScramblesToASafeByteAndBack) {
    QString all;
    for (int c = 0; c <= 220; ++c)
        all.append(ansi::chr(c));
    for (int32_t start : {1, 2, 3, 4, 1234567, -5, -6, -7, -8, INT32_MAX, INT32_MIN}) {
        int32_t encodeKey = start;
        const QByteArray stored = bookenc::scrambleText(all + all, encodeKey);
        for (char b : stored) {
            const int code = static_cast<unsigned char>(b);
            EXPECT_TRUE(code != 0 && code != 10 && code != 13 && code != 26 && code != 34) << code;
        }
        int32_t decodeKey = start;
        EXPECT_EQ(UnscrambleText(stored, decodeKey), ansi::encode(all + all)) << start;
        EXPECT_EQ(decodeKey, encodeKey) << start;
    }
}

TEST(BookEncoder, RefusesWhatTheFormatCannotHold) {
    int32_t key = 1;
    EXPECT_THROW(bookenc::scrambleText(QStringLiteral("caf\u00e9"), key), bookenc::EncodeError);  // 233
    EXPECT_THROW(bookenc::scrambleText(QStringLiteral("\u4e00"), key), bookenc::EncodeError);
    EXPECT_NO_THROW(bookenc::scrambleText(QStringLiteral("why?"), key));
    EXPECT_THROW(bookenc::encodeRecords(QStringLiteral("M"), {{QStringLiteral("a\nb")}}), bookenc::EncodeError);
    EXPECT_THROW(bookenc::encodeRecords(QStringLiteral("\"M\""), {}), bookenc::EncodeError);
    EXPECT_THROW(bookenc::encodeRecords(QString(), {{QStringLiteral("a")}}), bookenc::EncodeError);
}

TEST(BookEncoder, WritesOneQuotedItemALineAndStoresQuotesAsMarkers) {
    bookenc::Book b;
    b.title = QStringLiteral("Hen");
    bookenc::Frame f;
    f.blocks = {{600, 4800, 8400, 600, 900, QString("\"Hi,\" ") + ansi::chr(147) + "she" + ansi::chr(148)}};
    b.frames = {f};
    const QByteArray bytes = bookenc::encodeBook(b);
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 4);  // magic, header, one frame, and nothing after the last CR LF
    EXPECT_EQ(lines[0], "\"QUORRIN DATA FILE.\"\r");
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(lines[i].startsWith('"') && lines[i].endsWith("\"\r")) << i;
        EXPECT_EQ(lines[i].count('"'), 2) << i;
    }
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_EQ(bookenc::frameFields(b, 1)[7], "@Hi,@ @she@");

    ItemInput in(bytes);
    QByteArray item;
    int items = 0;
    while (in.nextBytes(item))
        ++items;
    EXPECT_EQ(items, 3);
}

// Books of random shape and text read back exactly as they were written.
TEST(BookEncoder, RandomBooksReadBackExactly) {
    std::mt19937 rng(20241210);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto text = [&](int maxLen) {
        QString s;
        const int n = pick(0, maxLen);
        for (int i = 0; i < n; ++i) {
            int c = pick(0, 220);
            // Line breaks would split the field; quotes and the marker come back as curly quotes.
            if (c == 10 || c == 13 || c == 34 || c == 64 || c == 147 || c == 148)
                c = ' ';
            s.append(ansi::chr(c));
        }
        return s;
    };
    for (int round = 0; round < 40; ++round) {
        bookenc::Book b;
        b.title = text(20);
        b.fontSize = pick(1, 72);
        const int frames = pick(1, 12);
        for (int f = 0; f < frames; ++f) {
            bookenc::Frame fr;
            for (int i = pick(f == 0 ? 1 : 0, 5); i > 0; --i)
                fr.blocks.append({pick(-32768, 32767), pick(-32768, 32767), pick(-32768, 32767),
                                  pick(-32768, 32767), pick(-32768, 32767), text(40)});
            if (f == 0)
                fr.blocks[0].height = pick(1, 32767);
            for (int j = pick(0, 3); j > 0; --j)
                fr.pictures.append({pick(-32768, 32767), pick(-32768, 32767), pick(-32768, 32767),
                                    pick(-32768, 32767), text(12)});
            for (int k = pick(0, 20); k > 0; --k)
                fr.marks.append(std::uniform_real_distribution<double>(-1, 60)(rng));
            fr.link = text(10);
            b.frames.append(fr);
        }

        const BookReadResult r = ReadBookBytes(bookenc::encodeBook(b), QStringLiteral("R.DAT"), {});
        ASSERT_TRUE(r.ok) << "round " << round << ": " << r.fatalKind.toStdString();
        const BookData& d = r.book;
        EXPECT_EQ(d.title, lang::Trim(b.title));
        EXPECT_EQ(d.BookFontSize, b.fontSize);
        ASSERT_EQ(d.frameCount, frames);
        EXPECT_EQ(d.MaxBlocks, bookenc::maxBlocks(b));
        EXPECT_EQ(d.MaxPictures, bookenc::maxPictures(b));
        EXPECT_EQ(d.MaxMarks, bookenc::maxMarks(b));
        for (int f = 1; f <= frames; ++f) {
            const bookenc::Frame& src = b.frames[f - 1];
            for (int i = 1; i <= d.MaxBlocks; ++i) {
                const bookenc::Block blank;
                const bookenc::Block& s = i <= src.blocks.size() ? src.blocks[i - 1] : blank;
                const int rect[5] = {s.left, s.top, s.width, s.height, s.labelLeft};
                for (int k = 1; k <= 5; ++k)
                    EXPECT_EQ(d.BlockRect(k, i, f), rect[k - 1]);
                EXPECT_EQ(d.BlockText(i, f), s.text);
            }
            ASSERT_EQ(d.frames[f - 1].pictures.size(), src.pictures.size());
            for (int j = 1; j <= src.pictures.size(); ++j) {
                const bookenc::Picture& p = src.pictures[j - 1];
                const int rect[4] = {p.left, p.top, p.width, p.height};
                for (int k = 1; k <= 4; ++k)
                    EXPECT_EQ(d.PictureRect(k, j, f), rect[k - 1]);
                EXPECT_EQ(d.PictureName(j, f), p.name);
            }
            ASSERT_EQ(d.frames[f - 1].marks.size(), src.marks.size());
            for (int i = 1; i <= src.marks.size(); ++i)
                EXPECT_EQ(d.MarkTime(i, f), src.marks[i - 1]);  // exactly, not nearly
            EXPECT_EQ(d.NextLink(f), lang::Trim(src.link));
        }
    }
}

}  // namespace
