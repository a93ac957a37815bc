#include "book/StoryFile.h"

#include <gtest/gtest.h>

#include "book/BookFile.h"
#include "core/Globals.h"
#include "platform/Ansi.h"
#include "platform/WholeFile.h"
#include "support/TestEnv.h"

namespace {

const QString kOpen(ansi::chr(147));
const QString kClose(ansi::chr(148));
const QString kTitle = QStringLiteral("1. Pip the Pup");

// A book of `frames` frames with two block slots each, texts "f<f>b<b> ".
BookData twoBlockBook(int frames) {
    BookData book;
    book.title = kTitle;
    book.frameCount = frames;
    book.MaxBlocks = 2;
    book.frames.resize(frames);
    for (int f = 1; f <= frames; ++f)
        for (int b = 1; b <= 2; ++b)
            book.setBlockText(b, f, QStringLiteral("f%1b%2 ").arg(f).arg(b));
    return book;
}

class StoryFileTest : public ::testing::Test {
protected:
    void SetUp() override { gCrLf = QStringLiteral("\r\n"); }
    QString path(const QString& name = QStringLiteral("TEXT/STORY.TXT")) const { return dir.file(name); }
    testsupport::TempDir dir;
};

TEST_F(StoryFileTest, TheFileIsOneQuotedItemOfTitleAndBlockLinesInWindows1252) {
    BookData book = twoBlockBook(2);
    book.setBlockText(1, 2, "Caf" + QString(ansi::chr(233)) + " \"hi\" " + kOpen + "yo" + kClose + " ");
    const QByteArray bytes = storyfile::encode(kTitle, book, 2);
    EXPECT_EQ(bytes, QByteArray("\"Text for 1. Pip the Pup\r\n"
                                "f1b1 \r\nf1b2 \r\n"
                                "Caf\xE9 @hi@ @yo@ \r\nf2b2 \r\n"
                                "\"\r\n"));
}

TEST_F(StoryFileTest, SavedTextsComeBackWithQuotesAlternatingAfreshOnEveryFrame) {
    BookData book = twoBlockBook(3);
    book.setBlockText(1, 2, QStringLiteral("\"Run, "));
    book.setBlockText(2, 2, "Hen!" + kClose + " said @Ann ");  // a typed "@" is a quote on reading
    book.setBlockText(1, 3, kClose + "No" + kOpen + " ");
    ASSERT_TRUE(wholefile::replace(path(), storyfile::encode(kTitle, book, 2)));

    struct Case {
        bool curly;
        QString b12, b22, b13;
    } cases[] = {
        {true, kOpen + "Run, ", "Hen!" + kClose + " said " + kOpen + "Ann ", kOpen + "No" + kClose + " "},
        {false, "\"Run, ", "Hen!\" said \"Ann ", "\"No\" "},
    };
    for (const Case& c : cases) {
        BookData back = twoBlockBook(3);
        for (int f = 1; f <= 3; ++f)
            for (int b = 1; b <= 2; ++b)
                back.setBlockText(b, f, QString());
        const storyfile::ReadResult r = storyfile::read(path(), kTitle, back, 2, true, c.curly);
        ASSERT_EQ(r.status, storyfile::ReadResult::Ok);
        EXPECT_EQ(back.BlockText(1, 2), c.b12);
        EXPECT_EQ(back.BlockText(2, 2), c.b22);
        EXPECT_EQ(back.BlockText(1, 3), c.b13);
        EXPECT_EQ(back.BlockText(2, 1), QStringLiteral("f1b2 "));
    }
}

TEST_F(StoryFileTest, InWritingEveryTextEndsWithABlankAndMissingLinesReadEmpty) {
    // Only frame 1 and the first block of frame 2 are in the file; one text lacks its blank.
    dir.write(QStringLiteral("TEXT/SHORT.TXT"), "\"Text for 1. Pip the Pup\r\nTitle\r\n\r\nword\r\n\"\r\n");
    for (bool writing : {true, false}) {
        BookData book = twoBlockBook(2);
        ASSERT_EQ(storyfile::read(path(QStringLiteral("TEXT/SHORT.TXT")), kTitle, book, 2, writing, true).status,
                  storyfile::ReadResult::Ok);
        const QString blank = writing ? QStringLiteral(" ") : QString();
        EXPECT_EQ(book.BlockText(1, 1), "Title" + blank);
        EXPECT_EQ(book.BlockText(2, 1), blank);
        EXPECT_EQ(book.BlockText(1, 2), "word" + blank);
        EXPECT_EQ(book.BlockText(2, 2), blank);
    }
}

TEST_F(StoryFileTest, FilesThatAreNotStoriesOfThisBookLeaveTheTextsAlone) {
    struct Case {
        const char* name;
        QByteArray content;  // null: no file at all
        storyfile::ReadResult::Status status;
        QString writtenFor;
    } cases[] = {
        {"missing", QByteArray(), storyfile::ReadResult::NotSuitable, {}},
        {"empty", QByteArray(""), storyfile::ReadResult::NotSuitable, {}},
        {"other kind", QByteArray("\"Some list\r\nfrog\r\n\"\r\n"), storyfile::ReadResult::NotSuitable, {}},
        {"header case differs", QByteArray("\"text for 1. Pip the Pup\r\nx\r\n\"\r\n"),
         storyfile::ReadResult::NotSuitable, {}},
        // The title as the file has it; only a catalogue book number before it is left out.
        {"other book", QByteArray("\"Text for Frog on a Log\r\nx\r\n\"\r\n"), storyfile::ReadResult::OtherBook,
         QStringLiteral("Frog on a Log")},
        {"other book, numbered", QByteArray("\"Text for 12  Bear Can't Sleep\r\nx\r\n\"\r\n"),
         storyfile::ReadResult::OtherBook, QStringLiteral("Bear Can't Sleep")},
        {"other book, X series", QByteArray("\"Text for 01X The Ant Hill\r\nx\r\n\"\r\n"),
         storyfile::ReadResult::OtherBook, QStringLiteral("The Ant Hill")},
        {"other book, a number of its own", QByteArray("\"Text for 3 Little Pigs\r\nx\r\n\"\r\n"),
         storyfile::ReadResult::OtherBook, QStringLiteral("3 Little Pigs")},
        {"title shorter than this one", QByteArray("\"Text for 1. Pip\r\nx\r\n\"\r\n"),
         storyfile::ReadResult::OtherBook, QStringLiteral("1. Pip")},
        // A refusal quotes the title line, not the rest of the file.
        {"other book, LF line ends", QByteArray("\"Text for Frog on a Log\nx\ny\n\"\n"),
         storyfile::ReadResult::OtherBook, QStringLiteral("Frog on a Log")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QStringLiteral("TEXT/%1.TXT").arg(QString::fromLatin1(c.name).replace(u' ', u'_'));
        if (!c.content.isNull())
            dir.write(name, c.content);
        BookData book = twoBlockBook(2);
        const storyfile::ReadResult r = storyfile::read(path(name), kTitle, book, 2, true, true);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.writtenFor, c.writtenFor);
        EXPECT_EQ(book.BlockText(1, 2), QStringLiteral("f2b1 "));
    }
    EXPECT_EQ(storyfile::otherBookMessage(QStringLiteral("Bear Hunt")),
              QStringLiteral("This is not a suitable text file.\r\n\r\nIt was written for \"Bear Hunt\"."));
}

// A title that merely begins with this book's title passes; so does a file whose lines end
// with LF alone (as editors on Linux write them) or CR alone.
TEST_F(StoryFileTest, ALongerTitleAndLineEndsOfOtherEditorsAreRead) {
    struct Case {
        const char* name;
        QByteArray content;
    } cases[] = {
        {"longer title", "\"Text for 1. Pip the Pup Two\r\nTitle\r\nb2\r\nword\r\n\"\r\n"},
        {"LF", "\"Text for 1. Pip the Pup\nTitle\nb2\nword\n\"\n"},
        {"CR", "\"Text for 1. Pip the Pup\rTitle\rb2\rword\r\"\r"},
        {"mixed", "\"Text for 1. Pip the Pup\nTitle\r\nb2\rword\n\"\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write(QStringLiteral("TEXT/EDITED.TXT"), c.content);
        BookData book = twoBlockBook(2);
        ASSERT_EQ(storyfile::read(path(QStringLiteral("TEXT/EDITED.TXT")), kTitle, book, 2, true, true).status,
                  storyfile::ReadResult::Ok);
        EXPECT_EQ(book.BlockText(1, 1), QStringLiteral("Title "));
        EXPECT_EQ(book.BlockText(2, 1), QStringLiteral("b2 "));
        EXPECT_EQ(book.BlockText(1, 2), QStringLiteral("word "));
        EXPECT_EQ(book.BlockText(2, 2), QStringLiteral(" "));
    }
}

TEST_F(StoryFileTest, LineEndsInsideATextDoNotShiftTheFollowingBlocks) {
    BookData book = twoBlockBook(2);
    book.setBlockText(1, 2, QStringLiteral("two\r\nlines "));
    ASSERT_TRUE(wholefile::replace(path(), storyfile::encode(kTitle, book, 2)));
    BookData back = twoBlockBook(2);
    ASSERT_EQ(storyfile::read(path(), kTitle, back, 2, true, true).status, storyfile::ReadResult::Ok);
    EXPECT_EQ(back.BlockText(1, 2), QStringLiteral("two  lines "));
    EXPECT_EQ(back.BlockText(2, 2), QStringLiteral("f2b2 "));
}

TEST(StoryFileMessages, AFailedSaveNamesThePath) {
    EXPECT_EQ(storyfile::saveFailedMessage(QStringLiteral("C:\\K\\TEXT\\A.TXT")),
              QStringLiteral("It was not possible to save the file\r\n\r\nC:\\K\\TEXT\\A.TXT"));
}

TEST(StoryFileName, TxtIsAddedOnlyWhenTheFileNameHasNoDot) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"/k/TEXT/mine", "/k/TEXT/mine.TXT"},
        {"/k/TEXT/mine.txt", "/k/TEXT/mine.txt"},
        {"/k/TEXT/mine.story", "/k/TEXT/mine.story"},
        {"/k.v2/TEXT/mine", "/k.v2/TEXT/mine.TXT"},
        {"C:\\K.V2\\TEXT\\mine", "C:\\K.V2\\TEXT\\mine.TXT"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(storyfile::withDefaultExtension(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
}

}  // namespace
