// Writing in the book window: the boxes of a page as one running text, the clipboard, quotes,
// and the story text files of the File menu.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

#include "BookWindowFixture.h"
#include "book/StoryFile.h"
#include "platform/Ansi.h"
#include "platform/Controls.h"
#include "platform/FileDialogs.h"
#include "support/BookProbe.h"
#include "support/FullDisk.h"
#include "support/Press.h"

using testsupport::choose;
using testsupport::click;
using testsupport::probe;

namespace {

using namespace booktest;

const QString kOpen(ansi::chr(147));
const QString kClose(ansi::chr(148));

// A page of Writing's own: the lines and a picture.
bookenc::Frame writingPage(const QList<bookenc::Block>& blocks) {
    return page(blocks, {{1560, 240, 4200, 2000, QStringLiteral("PIC")}});
}

// A line of 3600 x 600 twips at `top`.
bookenc::Block writingLine(int top, const QString& text) { return {1080, top, 3600, 600, 1080, text}; }

// Frame 2: three lines; frame 3: a single line (the line never wraps there).
bookenc::Book writingBook() {
    return bookOf({writingPage({kOwnTitle}),
                   writingPage({writingLine(3000, QStringLiteral("The dog ran")),
                                writingLine(3700, QStringLiteral("to the")),
                                writingLine(4400, QStringLiteral("big hill."))}),
                   writingPage({writingLine(3000, QStringLiteral("One line"))})});
}

class WritingTest : public BookWindowTest {
protected:
    void SetUp() override {
        BookWindowTest::SetUp();
        useOwnBook(writingBook());
        gActivity = activity::Writing;
        ActiveSettings.WriteSaveLoad = -1;
        setFileDialogs(&files);
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override {
        setFileDialogs(nullptr);
        BookWindowTest::TearDown();
    }

    frmBook* openWriting(int frame) {
        frmBook* b = openBook();
        b->activateWindow();
        settle();
        for (int f = 1; f < frame; ++f)
            click(probe(b).cmdNext);
        settle();
        return b;
    }

    // The box the child is typing in.
    static TextBox* current(frmBook* b) {
        auto in = probe(b);
        return gFrame == 1 ? in.TextTitle : in.text[size_t(in.CurrentBlock)];
    }
    static void place(frmBook* b, int box, int pos) {
        auto in = probe(b);
        TextBox* t = gFrame == 1 ? in.TextTitle : in.text[size_t(box)];
        t->setFocus();
        in.CurrentBlock = box;  // as the focus event does
        t->setSelStart(pos);
    }
    static void key(frmBook* b, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(current(b), k, m);
    }
    static void type(frmBook* b, char c) {
        QTest::keyClick(current(b), c);
    }
    static QString pageText(frmBook* b) {
        auto in = probe(b);
        QString s;
        for (int i = 1; i <= in.MaxBlocks; ++i)
            s += in.Book.BlockText(i, gFrame);
        return s;
    }
    // Caret offset over the page's joined text.
    static int caretOffset(frmBook* b) {
        auto in = probe(b);
        int n = 0;
        for (int i = 1; i < in.CurrentBlock; ++i)
            n += int(in.Book.BlockText(i, gFrame).size());
        return n + current(b)->SelStart();
    }
    // Every box shows its block and the lines fit their boxes.
    static void expectBoxesShowBlocks(frmBook* b) {
        auto in = probe(b);
        for (int i = 1; i <= 3; ++i) {
            TextBox* t = in.text[size_t(i)];
            EXPECT_EQ(t->Text(), in.Book.BlockText(i, gFrame)) << "box " << i;
            EXPECT_LE(in.TextWidth(t->Text()), t->width() * 15) << "box " << i;
        }
    }
    int beeps() const { return int(journalOf(QStringLiteral("beep")).size()); }
    bool curly(frmBook* b) const {
        return screen::fontFamilyFor(QStringLiteral("Arial")) == probe(b).TextTitle->font().family();
    }

    ScriptedFileDialogs files;
};

TEST_F(WritingTest, TypingIntoAFullLineFlowsThePageAndTheCaretStaysBehindTheCharacter) {
    frmBook* b = openWriting(2);
    auto in = probe(b);
    ASSERT_EQ(gFrame, 2);
    ASSERT_EQ(in.LineFitMode, 0);
    place(b, 1, 11);  // "The dog ran| "
    QString expected = pageText(b);
    int offset = 11;
    for (int n = 0; n < 20 && in.CurrentBlock == 1; ++n) {
        type(b, 'x');
        expected.insert(offset, u'x');
        ++offset;
        EXPECT_EQ(pageText(b), expected);
        EXPECT_EQ(caretOffset(b), offset);
        expectBoxesShowBlocks(b);
    }
    // The word being typed moved down as a whole, and the caret with it, behind its last letter.
    ASSERT_EQ(in.CurrentBlock, 2) << "the first line never filled";
    EXPECT_EQ(in.Book.BlockText(1, 2), QStringLiteral("The dog "));
    EXPECT_TRUE(in.Book.BlockText(2, 2).startsWith(QStringLiteral("ranx")));
    EXPECT_EQ(in.text[2]->SelStart(), offset - 8);
}

TEST_F(WritingTest, AnEditThePageCannotHoldIsTakenBackWithABeep) {
    frmBook* b = openWriting(2);
    place(b, 3, 8);  // "big hill|. "
    const int beepsBefore = beeps();
    QString last;
    for (int n = 0; n < 60 && beeps() == beepsBefore; ++n) {
        last = pageText(b);
        type(b, 'l');
    }
    ASSERT_GT(beeps(), beepsBefore) << "the page never filled";
    EXPECT_EQ(pageText(b), last);  // the refused character is not in the page
    expectBoxesShowBlocks(b);
}

TEST_F(WritingTest, OnASingleLinePageACharacterThatDoesNotFitIsRefused) {
    frmBook* b = openWriting(3);
    auto in = probe(b);
    ASSERT_EQ(in.LineFitMode, 2);
    place(b, 1, 8);
    const int beepsBefore = beeps();
    QString last;
    for (int n = 0; n < 60 && beeps() == beepsBefore; ++n) {
        last = in.Book.BlockText(1, 3);
        type(b, 'm');
    }
    ASSERT_GT(beeps(), beepsBefore);
    EXPECT_EQ(in.Book.BlockText(1, 3), last);
    EXPECT_EQ(in.text[1]->Text(), last);
}

TEST_F(WritingTest, TheTitleBoxNeverWraps) {
    frmBook* b = openWriting(1);
    auto in = probe(b);
    place(b, 1, 8);
    const int beepsBefore = beeps();
    for (int n = 0; n < 80 && beeps() == beepsBefore; ++n)
        type(b, 'w');
    ASSERT_GT(beeps(), beepsBefore);
    EXPECT_EQ(in.TextTitle->Text(), in.Book.BlockText(1, 1));
    EXPECT_LE(in.TextWidth(in.TextTitle->Text()), in.TextTitle->width() * 15);
    EXPECT_EQ(in.Book.BlockText(2, 1), QString());
}

TEST_F(WritingTest, DoubleQuotesOpenAndCloseAcrossTheLinesOfAPage) {
    frmBook* b = openWriting(2);
    auto in = probe(b);
    place(b, 1, 4);  // before "dog"
    type(b, '"');
    place(b, 2, 6);  // after "the"
    type(b, '"');
    const QString open = curly(b) ? kOpen : QStringLiteral("\"");
    const QString close = curly(b) ? kClose : QStringLiteral("\"");
    EXPECT_EQ(in.Book.BlockText(1, 2), "The " + open + "dog ran ");
    EXPECT_EQ(in.Book.BlockText(2, 2), "to the" + close + " ");
    // One more opens again, whatever kind was typed.
    place(b, 3, 0);
    type(b, '"');
    EXPECT_EQ(in.Book.BlockText(3, 2), open + "big hill. ");
    expectBoxesShowBlocks(b);
}

TEST_F(WritingTest, ArrowKeysCrossFromLineToLine) {
    frmBook* b = openWriting(2);
    auto in = probe(b);
    place(b, 2, 0);
    key(b, Qt::Key_Left);  // to the line above, before its trailing blank
    EXPECT_EQ(in.CurrentBlock, 1);
    EXPECT_EQ(in.text[1]->SelStart(), int(in.text[1]->Text().size()) - 1);
    key(b, Qt::Key_Left);  // inside the line the box moves the caret itself
    EXPECT_EQ(in.text[1]->SelStart(), int(in.text[1]->Text().size()) - 2);
    key(b, Qt::Key_Right);  // before a letter: the box's own move
    EXPECT_EQ(in.CurrentBlock, 1);
    key(b, Qt::Key_Right);  // before the trailing blank: on to the next line
    EXPECT_EQ(in.CurrentBlock, 2);
    EXPECT_EQ(in.text[2]->SelStart(), 0);
    key(b, Qt::Key_Down);
    EXPECT_EQ(in.CurrentBlock, 3);
    key(b, Qt::Key_Down);  // no line below the last visible one: stays
    EXPECT_EQ(in.CurrentBlock, 3);
    key(b, Qt::Key_Up);
    EXPECT_EQ(in.CurrentBlock, 2);
    EXPECT_EQ(pageText(b), QStringLiteral("The dog ran to the big hill. "));
}

TEST_F(WritingTest, BackspaceAtTheStartOfALineJoinsItToTheLineAbove) {
    frmBook* b = openWriting(2);
    place(b, 2, 0);
    key(b, Qt::Key_Backspace);  // removes the blank after "ran": "ranto" joins and is re-fitted
    const QString page = pageText(b);
    EXPECT_EQ(page, QStringLiteral("The dog ranto the big hill. "));
    expectBoxesShowBlocks(b);
    // The caret stands between "ran" and "to", wherever that word is now.
    EXPECT_EQ(caretOffset(b), int(QStringLiteral("The dog ran").size()));
}

TEST_F(WritingTest, DeleteAtTheEndOfALineTakesTheFirstCharacterOfTheNext) {
    frmBook* b = openWriting(2);
    auto in = probe(b);
    place(b, 1, int(in.text[1]->Text().size()));
    key(b, Qt::Key_Delete);
    EXPECT_EQ(in.Book.BlockText(2, 2), QStringLiteral("o the "));
    EXPECT_EQ(in.text[2]->Text(), QStringLiteral("o the "));
    EXPECT_EQ(in.CurrentBlock, 2);
    EXPECT_EQ(in.text[2]->SelStart(), 0);
}

TEST_F(WritingTest, ClipboardKeysCutCopyAndPasteAndOtherControlKeysDoNothing) {
    frmBook* b = openWriting(2);
    auto in = probe(b);
    place(b, 1, 4);
    in.text[1]->setSelLength(3);  // "dog"
    key(b, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("dog"));
    EXPECT_EQ(in.Book.BlockText(1, 2), QStringLiteral("The dog ran "));

    key(b, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("dog"));
    EXPECT_EQ(in.Book.BlockText(1, 2), QStringLiteral("The  ran "));
    EXPECT_EQ(in.text[1]->Text(), QStringLiteral("The  ran "));

    place(b, 1, 4);
    key(b, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(in.Book.BlockText(1, 2), QStringLiteral("The dog ran "));
    EXPECT_EQ(in.text[1]->SelStart(), 7);  // behind the pasted text

    place(b, 2, 0);
    key(b, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(in.Book.BlockText(2, 2), QStringLiteral("dogto the "));

    const QString page = pageText(b);
    const int beepsBefore = beeps();
    key(b, Qt::Key_A, Qt::ControlModifier);
    key(b, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(pageText(b), page);
    EXPECT_EQ(beeps(), beepsBefore);
    key(b, Qt::Key_Return);
    EXPECT_EQ(beeps(), beepsBefore + 1);
    EXPECT_EQ(pageText(b), page);
}

TEST_F(WritingTest, APasteWiderThanItsLineBeepsAndLeavesThePage) {
    frmBook* b = openWriting(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("a very long pasted text that no line can hold"));
    place(b, 2, 0);
    const QString page = pageText(b);
    const int beepsBefore = beeps();
    key(b, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(beeps(), beepsBefore + 1);
    EXPECT_EQ(pageText(b), page);
    expectBoxesShowBlocks(b);
}

TEST_F(WritingTest, APasteAtTheEndOfALineKeepsTheCaretInThatLine) {
    frmBook* b = openWriting(2);
    auto in = probe(b);
    QGuiApplication::clipboard()->setText(QStringLiteral("a"));
    place(b, 1, int(in.text[1]->Text().size()));
    key(b, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(in.Book.BlockText(1, 2), QStringLiteral("The dog ran a"));
    EXPECT_EQ(in.CurrentBlock, 1);
    EXPECT_EQ(in.text[1]->SelStart(), 13);
}

TEST_F(WritingTest, OpenOnTheTitlePageFillsOnlyTheTitleBox) {
    own.write(QStringLiteral("TEXT/OURS.TXT"), "\"Text for Own Book\r\nMy Book\r\n\r\n\r\nOne\r\n\"\r\n");
    frmBook* b = openWriting(1);
    auto in = probe(b);
    const QString hiddenBox = in.text[1]->Text();
    files.answer(own.file(QStringLiteral("TEXT/OURS.TXT")));
    choose(in.mnuFileOpen);
    EXPECT_EQ(in.TextTitle->Text(), QStringLiteral("My Book "));
    EXPECT_EQ(in.text[1]->Text(), hiddenBox);  // the other frames' boxes wait for their page
    EXPECT_EQ(in.Book.BlockText(1, 2), QStringLiteral("One "));
}

TEST_F(WritingTest, OutsideWritingTheRefitChangesNothing) {
    gActivity = activity::Reading;
    frmBook* b = openWriting(2);
    probe(b).Book.setBlockText(1, 2, QStringLiteral("far too many words for one short line of the page "));
    const QString page = pageText(b);
    EXPECT_TRUE(probe(b).CheckBlockTexts());
    EXPECT_EQ(pageText(b), page);
}

TEST_F(WritingTest, PastedLineBreaksBecomeBlanks) {
    frmBook* b = openWriting(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("a\r\nb"));
    place(b, 2, 0);
    key(b, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(probe(b).Book.BlockText(2, 2), QStringLiteral("a  bto the "));
}

TEST_F(WritingTest, SaveAsWritesTheStoryAndSaveThenWritesSilentlyToTheSameFile) {
    frmBook* b = openWriting(2);
    auto in = probe(b);
    place(b, 1, 0);
    type(b, '"');
    const QString dir = own.path() + QStringLiteral("/TEXT");
    QDir().mkpath(dir);
    files.answer(dir + QStringLiteral("/mine"));
    choose(in.mnuFileSave);  // no file yet: Save As
    ASSERT_EQ(files.calls().size(), 1u);
    EXPECT_TRUE(files.calls()[0].save);
    EXPECT_EQ(files.calls()[0].request.filter, QStringLiteral("Text files (*.TXT)|*.TXT"));
    EXPECT_EQ(QDir(files.calls()[0].request.initDir), QDir(dir));
    EXPECT_EQ(in.TextFilePath, dir + QStringLiteral("/mine.TXT"));
    const QByteArray saved = readFile(dir + QStringLiteral("/mine.TXT"));
    EXPECT_TRUE(saved.startsWith("\"Text for Own Book\r\nOwn Book \r\n\r\n\r\n@The dog ran \r\nto the \r\n"));
    EXPECT_TRUE(saved.endsWith("\r\n\"\r\n"));

    place(b, 3, 0);
    type(b, 'A');
    choose(in.mnuFileSave);
    EXPECT_EQ(files.calls().size(), 1u);  // no dialog the second time
    EXPECT_TRUE(readFile(dir + QStringLiteral("/mine.TXT")).contains("\r\nAbig hill. \r\n"));
    EXPECT_TRUE(boxes.msgBoxes().empty());
}

// The dialog asks before it replaces the name as typed; Save As asks for the story that name
// stands for once ".TXT" is added, or when it is stored in another letter case. No goes back to
// the dialog with the name proposed.
TEST_F(WritingTest, SaveAsAsksBeforeReplacingAStoryWhicheverWayItsNameWasTyped) {
    const QString dir = own.path() + QStringLiteral("/TEXT");
    const QString stored = dir + QStringLiteral("/mine.TXT");
    struct Case {
        const char* typed;
        bool asked;     // Save As's own question
        int answer;     // its answer when asked
        bool replaced;  // the old story gives way
    } cases[] = {
        {"mine", true, mb::Yes, true},
        {"mine", true, mb::No, false},
        {"MINE.txt", true, mb::Yes, true},
        {"Mine", true, mb::No, false},
        {"mine.TXT", false, 0, true},  // the name as stored: the dialog has asked
        {"other", false, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        QDir(dir).removeRecursively();
        own.write(QStringLiteral("TEXT/mine.TXT"), "old story");
        frmBook* b = openWriting(2);
        auto in = probe(b);
        const QString typed = dir + u'/' + QLatin1String(c.typed);
        files.answer(typed);
        if (c.asked) {
            boxes.answer(c.answer);
            if (c.answer == mb::No)
                files.answerCancel();
        }
        in.mnuFileSaveAs->trigger();
        const auto shown = boxes.msgBoxes();
        ASSERT_EQ(shown.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(shown[0].text, QStringLiteral("mine.TXT already exists.\r\nDo you want to replace it?"));
            EXPECT_EQ(shown[0].style, mb::YesNo | mb::Exclamation);
            EXPECT_EQ(shown[0].title, QStringLiteral("Save As"));
        }
        if (c.asked && c.answer == mb::No) {
            ASSERT_EQ(files.calls().size(), 2u);
            EXPECT_EQ(files.calls()[1].request.fileName, typed);
        }
        EXPECT_EQ(readFile(stored).startsWith("\"Text for Own Book"), c.replaced);
        // One story under one name: never a second file beside it in another letter case.
        QStringList expectedFiles{QStringLiteral("mine.TXT")};
        if (QLatin1String(c.typed) == QLatin1String("other")) {
            expectedFiles.append(QStringLiteral("other.TXT"));
            EXPECT_EQ(in.TextFilePath, dir + QStringLiteral("/other.TXT"));
        } else {
            EXPECT_EQ(in.TextFilePath, c.replaced ? stored : QString());
        }
        EXPECT_EQ(QDir(dir).entryList(QDir::Files, QDir::Name), expectedFiles);
        boxes.clear();
        files = ScriptedFileDialogs();
        booktest::closeAllWindows();
    }
}

TEST_F(WritingTest, OpenFillsEveryFrameAndTheBoxesOfThePageShown) {
    const QString path = own.file(QStringLiteral("TEXT/OURS.TXT"));
    own.write(QStringLiteral("TEXT/OURS.TXT"), "\"Text for Own Book\r\nMy Book\r\n\r\n\r\n@Hi,@ I\r\nsaid\r\nto you.\r\n"
                                               "Last\r\n\r\n\r\n\"\r\n");
    frmBook* b = openWriting(2);
    auto in = probe(b);
    files.answer(path);
    choose(in.mnuFileOpen);
    EXPECT_EQ(in.TextFilePath, path);
    const QString open = curly(b) ? kOpen : QStringLiteral("\"");
    const QString close = curly(b) ? kClose : QStringLiteral("\"");
    EXPECT_EQ(in.text[1]->Text(), open + "Hi," + close + " I ");
    EXPECT_EQ(in.text[2]->Text(), QStringLiteral("said "));
    EXPECT_EQ(in.text[3]->Text(), QStringLiteral("to you. "));
    EXPECT_EQ(in.Book.BlockText(1, 1), QStringLiteral("My Book "));
    EXPECT_EQ(in.Book.BlockText(1, 3), QStringLiteral("Last "));
    click(in.cmdNext);
    EXPECT_EQ(in.text[1]->Text(), QStringLiteral("Last "));
    EXPECT_TRUE(boxes.msgBoxes().empty());
}

TEST_F(WritingTest, AStoryOfAnotherBookIsRefusedAndTheTextsStay) {
    own.write(QStringLiteral("TEXT/BEAR.TXT"), "\"Text for Bear Hunt\r\nx\r\n\"\r\n");
    frmBook* b = openWriting(2);
    auto in = probe(b);
    const QString page = pageText(b);
    boxes.answer(mb::OK).answer(mb::OK);
    files.answer(own.file(QStringLiteral("TEXT/BEAR.TXT")));
    choose(in.mnuFileOpen);
    files.answer(own.file(QStringLiteral("TEXT/NONE.TXT")));
    choose(in.mnuFileOpen);
    const std::vector<testsupport::ScriptedDialogs::Call> shown = boxes.msgBoxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, QStringLiteral("This is not a suitable text file.\r\n\r\nIt was written for \"Bear Hunt\"."));
    EXPECT_EQ(shown[0].style, 0);
    EXPECT_EQ(shown[1].text, QStringLiteral("This is not a suitable text file for this book."));
    EXPECT_EQ(in.TextFilePath, QString());
    EXPECT_EQ(pageText(b), page);
}

TEST_F(WritingTest, AFailedSaveSaysSoAndKeepsThePathAndTheTexts) {
    frmBook* b = openWriting(2);
    auto in = probe(b);
    const QString path = own.path() + QStringLiteral("/NOFOLDER/mine.TXT");
    boxes.answer(mb::OK);
    files.answer(path);
    choose(in.mnuFileSaveAs);
    const std::vector<testsupport::ScriptedDialogs::Call> shown = boxes.msgBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "It was not possible to save the file\r\n\r\n" + path);
    EXPECT_EQ(shown[0].style, int(mb::Exclamation));
    EXPECT_EQ(in.TextFilePath, path);
    EXPECT_EQ(in.text[1]->Text(), QStringLiteral("The dog ran "));
}

// A story saved over an older one on a disk with no room left: the old story stays whole,
// nothing is left beside it, the message says so, and once there is room Save writes it.
TEST_F(WritingTest, ASaveOnAFullDiskKeepsTheOldStoryAndSaysSo) {
    testsupport::FullDisk disk;
    const QByteArray old = "\"Text for Own Book\r\n" + QByteArray(343, 'o') + "\r\n\"\r\n";
    ASSERT_EQ(old.size(), 368);
    disk.folder().write(QStringLiteral("K/TEXT/S.TXT"), old);
    const QString path = disk.path() + QStringLiteral("/K/TEXT/S.TXT");
    frmBook* b = openWriting(2);
    auto in = probe(b);
    place(b, 1, 0);
    for (const char c : {'h', 'e', 'l', 'l', 'o'})
        type(b, c);

    disk.fill();
    files.answer(path);
    boxes.answer(mb::OK);
    in.mnuFileSaveAs->trigger();
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].text, "It was not possible to save the file\r\n\r\n" + path);
    EXPECT_EQ(boxes.msgBoxes()[0].style, int(mb::Exclamation));
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(QDir(disk.path() + QStringLiteral("/K/TEXT")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("S.TXT")});
    EXPECT_EQ(in.TextFilePath, path);

    disk.empty();
    in.mnuFileSave->trigger();
    EXPECT_EQ(boxes.msgBoxes().size(), 1u);
    const QByteArray saved = readFile(path);
    EXPECT_TRUE(saved.startsWith("\"Text for Own Book\r\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("\r\nhello")) << saved.toStdString();
}

TEST_F(WritingTest, CancelledDialogsAndABusyWindowChangeNothing) {
    frmBook* b = openWriting(2);
    auto in = probe(b);
    files.answerCancel().answerCancel();
    choose(in.mnuFileOpen);
    choose(in.mnuFileSaveAs);
    EXPECT_EQ(files.calls().size(), 2u);
    EXPECT_EQ(in.TextFilePath, QString());
    gBusy = 1;
    const int beepsBefore = beeps();
    choose(in.mnuFileOpen);
    choose(in.mnuFileSave);
    choose(in.mnuFileSaveAs);
    place(b, 1, 0);
    type(b, 'x');
    gBusy = 0;
    EXPECT_EQ(beeps(), beepsBefore + 4);
    EXPECT_EQ(files.calls().size(), 2u);
    EXPECT_EQ(in.Book.BlockText(1, 2), QStringLiteral("The dog ran "));
}

TEST_F(WritingTest, TheFileItemsWorkFromTheMenu) {
    frmBook* b = openWriting(2);
    files.answerCancel();
    probe(b).mnuFileSaveAs->trigger();
    EXPECT_EQ(files.calls().size(), 1u);
}

}  // namespace
