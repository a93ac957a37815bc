// The two cloze activities in the book window, on a book of the test's own whose pages hold one
// word each (so the hidden word is known): the answer box over the word, typing with the red
// flash on the fake clock, the solved page, the focus timer, the box click, a re-layout; and
// the Choices window of Cloze (click): its candidates, wrong and right picks by mouse and Alt
// keys, its place beside the word, a re-layout, and its end with the book window.
#include <QTest>
#include <QTimer>
#include <set>

#include "BookWindowFixture.h"
#include "book/Cloze.h"
#include "book/frmCloze.h"
#include "core/Catalogue.h"
#include "platform/Boxes.h"
#include "platform/Controls.h"
#include "platform/Lang.h"
#include "platform/Paths.h"
#include "support/BookProbe.h"
#include "support/Press.h"

using testsupport::choose;
using testsupport::click;
using testsupport::probe;

using booktest::BookWindowTest;
using booktest::readFile;
using booktest::shown;

namespace {

bookenc::Frame pageOf(const QString& text) {
    bookenc::Frame f;
    f.blocks = {booktest::line(4500, text)};
    f.marks = {0.3};
    return f;
}

QColor textColour(const TextBox* box) { return box->palette().color(QPalette::Text); }
QColor foreColour(const QWidget* w) { return w->palette().color(QPalette::WindowText); }

// The pages after the title: one word each.
const QStringList kPages{QStringLiteral("I'm"), QStringLiteral("\"Yes!\""), QStringLiteral("123"),
                         QStringLiteral("dog.")};

class ClozeTest : public BookWindowTest {
protected:
    void SetUp() override {
        BookWindowTest::SetUp();
        clock.setStep(0.001);
        bookenc::Book book = booktest::bookOf({pageOf(QString())});
        book.frames[0].blocks = {booktest::kOwnTitle};
        for (const QString& p : kPages)
            book.frames.append(pageOf(p));
        useOwnBook(book);
        const QByteArray sound = readFile(booktest::sampleInstallation() + QStringLiteral("/WAVS/01PIP/SNT01.WAV"));
        for (const QString& w : {QStringLiteral("I'm"), QStringLiteral("Yes"), QStringLiteral("dog"),
                                 QStringLiteral("dog."), QStringLiteral("\"Yes!\"")})
            own.write(QStringLiteral("WAVS/WDS/") + FileKey(w) + QStringLiteral(".WAV"), sound);
        writeWordList(QStringLiteral("cat dog hen pig fox yes"));
    }

    void writeWordList(const QString& words) {
        QString text = QStringLiteral("*WORDLIST*\r\n");
        for (const QString& w : words.split(u' '))
            text += w + QStringLiteral("\r\n");
        own.write(QStringLiteral("WORDLIST/OWN.TXT"), (text + QStringLiteral("*END*\r\n")).toLatin1());
    }

    frmBook* openCloze(int activity, int frame) {
        gActivity = activity;
        frmBook* b = openBook();
        skipTo(b, frame);
        return b;
    }

    // Past the title page Next is hidden and a page is left by answering it; a test about a
    // later page gets there through Next's handler, the pages on the way unanswered.
    static void skipTo(frmBook* b, int frame) {
        while (gFrame < frame)
            probe(b).cmdNext_Click();
        EXPECT_EQ(gFrame, frame);
    }

    // Word sounds started on the word player, by file stem.
    QStringList wordPlays() const {
        QStringList out;
        for (const QString& line : journalOf(QStringLiteral("sound")))  // sound, device, command, file
            if (line.section(u'\t', 1, 2) == QStringLiteral("MMControl2\tPlay"))
                out << QFileInfo(line.section(u'\t', 3)).completeBaseName();
        return out;
    }

    // The word's rectangle on the window, pixels.
    static QRect wordRect(const frmBook* b, int k) {
        const booklayout::FrameWordTable& w = probe(b).Words;
        return QRect(int(std::lround(w.FrameWordLeft[k - 1] / 15.0)), int(std::lround(w.FrameWordTop[k - 1] / 15.0)),
                     int(std::lround(w.FrameWordWidth[k - 1] / 15.0)), int(std::lround(w.FrameWordHeight[k - 1] / 15.0)));
    }

    static void expectPageButtons(const frmBook* b, bool back, bool next, bool restart) {
        auto in = probe(b);
        EXPECT_EQ(shown(in.cmdBack), back);
        EXPECT_EQ(shown(in.cmdNext), next);
        EXPECT_EQ(shown(in.cmdRestart), restart);
    }

    // A page between the first and the last just solved: the word uncovered and heard once
    // (playsBefore: word sounds before the answer), the page buttons back, the focus on Next.
    void expectSolvedMiddlePage(const frmBook* b, qsizetype playsBefore, const QString& word) const {
        EXPECT_FALSE(shown(b->yellowfudge));
        EXPECT_FALSE(shown(probe(b).cmdEarSmall));
        expectPageButtons(b, true, true, false);
        EXPECT_EQ(b->focusWidget(), probe(b).cmdNext);
        const QStringList plays = wordPlays();
        ASSERT_EQ(plays.size(), playsBefore + 1);
        EXPECT_EQ(plays.last(), FileKey(word));
    }
};

// ---- Cloze (type) ----

TEST_F(ClozeTest, TheTitlePageAsksNothingAndLaterPagesHideTheirWord) {
    frmBook* b = openCloze(activity::ClozeType, 1);
    auto in = probe(b);
    EXPECT_FALSE(shown(in.Cloze));
    EXPECT_FALSE(shown(b->yellowfudge));
    expectPageButtons(b, false, true, false);
    EXPECT_TRUE(in.cloze_timer->isActive());
    EXPECT_EQ(in.cloze_timer->interval(), 2000);

    click(in.cmdNext);
    EXPECT_EQ(in.ClozeWordIndex, 1);
    EXPECT_EQ(gCurrentWord, QStringLiteral("I'm"));
    ASSERT_TRUE(shown(in.Cloze));
    EXPECT_EQ(in.Cloze->Text(), QString());
    EXPECT_EQ(b->focusWidget(), in.Cloze);
    // The box lies over the word, the bar against its left edge.
    const QRect word = wordRect(b, 1);
    EXPECT_NEAR(in.Cloze->x(), word.x(), 1);
    EXPECT_NEAR(in.Cloze->y(), word.y(), 1);
    EXPECT_GE(in.Cloze->width() + 1, std::max(word.width(), int(in.TextWidth(QStringLiteral("W")) / 15)));
    EXPECT_TRUE(shown(b->yellowfudge));
    EXPECT_NEAR(b->yellowfudge->x() + b->yellowfudge->width(), in.Cloze->x(), 1);
    expectPageButtons(b, false, false, false);
    EXPECT_EQ(shown(in.cmdEarSmall), ActiveSettings.ClozeTypeSound != 0);
    EXPECT_TRUE(shown(in.label[1]));
}

TEST_F(ClozeTest, TypingTheWordLetterByLetterSolvesThePage) {
    ActiveSettings.ClozeTypeSound = -1;
    frmBook* b = openCloze(activity::ClozeType, 2);
    auto in = probe(b);
    QTest::keyClicks(in.Cloze, QStringLiteral("i"));
    EXPECT_EQ(in.Cloze->Text(), QStringLiteral("I'"));  // the word's case, the apostrophe filled in
    EXPECT_TRUE(shown(in.Cloze));
    const qsizetype before = wordPlays().size();
    QTest::keyClicks(in.Cloze, QStringLiteral("M"));
    EXPECT_FALSE(shown(in.Cloze));
    expectSolvedMiddlePage(b, before, QStringLiteral("I'm"));

    // A word standing between quotes: the opening one is there from the start, the closing
    // ones come with the last letter.
    click(in.cmdNext);
    EXPECT_EQ(in.Cloze->Text(), gCurrentWord.left(1));
    EXPECT_FALSE(cloze::isLetter(gCurrentWord.front()));
    QTest::keyClicks(in.Cloze, QStringLiteral("yes"));
    EXPECT_FALSE(shown(in.Cloze));
    expectPageButtons(b, true, true, false);
}

TEST_F(ClozeTest, AWrongLetterFlashesRedForTheFirstTickAndIsTakenAway) {
    frmBook* b = openCloze(activity::ClozeType, 2);
    auto in = probe(b);
    QTest::keyClicks(in.Cloze, QStringLiteral("i"));
    QColor during;
    QString textDuring;
    int doneDuring = 1;
    const double start = clock.elapsed();
    clock.after(0.5, [&] {
        during = textColour(in.Cloze);
        doneDuring = in.ClozeFlashDone;
        // Typed during the flash: the box already holds as many characters as the word.
        QTest::keyClicks(in.Cloze, QStringLiteral("m"));
        textDuring = in.Cloze->Text();
    });
    clock.after(1.0, [&] { in.cloze_timer_Timer(); });  // the timer's first 1000 ms tick
    QTest::keyClicks(in.Cloze, QStringLiteral("x"));
    EXPECT_NEAR(clock.elapsed() - start, 1.0, 0.01);
    EXPECT_EQ(during, QColor(255, 0, 0));
    EXPECT_EQ(doneDuring, 0);
    EXPECT_EQ(textDuring, QStringLiteral("I'x"));
    EXPECT_EQ(in.Cloze->Text(), QStringLiteral("I'"));
    EXPECT_EQ(in.Cloze->SelStart(), 2);
    EXPECT_EQ(textColour(in.Cloze), QColor(Qt::black));
    EXPECT_TRUE(shown(in.Cloze));
    // The focus keeper goes on.
    EXPECT_TRUE(in.cloze_timer->isActive());
    EXPECT_EQ(in.cloze_timer->interval(), 2000);
    EXPECT_EQ(in.TextLoading, 0);
}

TEST_F(ClozeTest, EnterAndKeysPastTheWordNeverReachTheBox) {
    frmBook* b = openCloze(activity::ClozeType, 5);  // "dog."
    auto in = probe(b);
    QTest::keyClick(in.Cloze, Qt::Key_Return);
    EXPECT_EQ(in.Cloze->Text(), QString());
    // Short of the word a key goes in: the last letter completes it, its full stop with it.
    QTest::keyClicks(in.Cloze, QStringLiteral("dog"));
    EXPECT_EQ(in.Cloze->Text(), QStringLiteral("dog."));
    // As full as the word, the box takes no key: none is checked, so none flashes as wrong.
    for (Qt::Key k : {Qt::Key_X, Qt::Key_Backspace, Qt::Key_Return}) {
        in.Cloze->setText(QStringLiteral("dog."));
        in.Cloze->setSelStart(4);
        const double before = clock.elapsed();
        QTest::keyClick(in.Cloze, k);
        EXPECT_EQ(in.Cloze->Text(), QStringLiteral("dog.")) << k;
        EXPECT_EQ(clock.elapsed(), before) << k;
        EXPECT_EQ(textColour(in.Cloze), QColor(Qt::black)) << k;
    }
}

TEST_F(ClozeTest, TheLastPageEndsOnStart) {
    frmBook* b = openCloze(activity::ClozeType, 5);
    auto in = probe(b);
    EXPECT_EQ(gCurrentWord, QStringLiteral("dog."));
    QTest::keyClicks(in.Cloze, QStringLiteral("DOG"));  // the full stop follows by itself
    EXPECT_FALSE(shown(in.Cloze));
    expectPageButtons(b, true, false, true);
    EXPECT_EQ(b->focusWidget(), in.cmdRestart);
}

TEST_F(ClozeTest, APageWithoutALetterAsksNothing) {
    frmBook* b = openCloze(activity::ClozeType, 4);  // "123"
    auto in = probe(b);
    EXPECT_EQ(in.ClozeWordIndex, 0);
    EXPECT_FALSE(shown(in.Cloze));
    EXPECT_FALSE(shown(b->yellowfudge));
    EXPECT_TRUE(shown(in.label[1]));
    expectPageButtons(b, true, true, false);
    click(in.cmdNext);
    EXPECT_EQ(gFrame, 5);
}

TEST_F(ClozeTest, TheTimerBringsTheFocusBackToTheBox) {
    frmBook* b = openCloze(activity::ClozeType, 2);
    auto in = probe(b);
    QTest::keyClicks(in.Cloze, QStringLiteral("i"));
    in.cmdMenu->setFocus();
    in.Cloze->setSelStart(0);
    ASSERT_EQ(in.cloze_timer->interval(), 2000);
    in.cloze_timer_Timer();
    EXPECT_EQ(b->focusWidget(), in.Cloze);
    EXPECT_EQ(in.Cloze->SelStart(), 2);
    EXPECT_TRUE(in.cloze_timer->isActive());

    // Once the page is solved the box is hidden and the focus stays where it is.
    QTest::keyClicks(in.Cloze, QStringLiteral("m"));
    in.cloze_timer_Timer();
    EXPECT_EQ(b->focusWidget(), in.cmdNext);
}

TEST_F(ClozeTest, ClickingTheBoxGivesTheClueOnlyWithTheSoundSetting) {
    for (int setting : {-1, 0}) {
        SCOPED_TRACE(setting);
        ActiveSettings.ClozeTypeSound = setting;
        frmBook* b = openCloze(activity::ClozeType, 2);
        const qsizetype before = wordPlays().size();
        QTest::mouseClick(probe(b).Cloze, Qt::LeftButton);
        EXPECT_EQ(wordPlays().size() - before, setting == -1 ? 1 : 0);
        b->Unload();
        booktest::settle();
    }
}

TEST_F(ClozeTest, AResizeKeepsTheTypedLettersOverTheMovedWord) {
    frmBook* b = openCloze(activity::ClozeType, 2);
    auto in = probe(b);
    QTest::keyClicks(in.Cloze, QStringLiteral("i"));
    resizeBook(b, QSize(800, 553));
    EXPECT_EQ(in.Cloze->Text(), QStringLiteral("I'"));
    EXPECT_TRUE(shown(in.Cloze));
    EXPECT_TRUE(shown(b->yellowfudge));
    EXPECT_NEAR(in.Cloze->x(), wordRect(b, 1).x(), 1);
    EXPECT_NEAR(in.Cloze->y(), wordRect(b, 1).y(), 1);
    expectPageButtons(b, false, false, false);
    QTest::keyClicks(in.Cloze, QStringLiteral("m"));
    EXPECT_FALSE(shown(in.Cloze));
}

// ---- Cloze (click) ----

class ChoicesTest : public ClozeTest {
protected:
    frmBook* openChoices(int level, int frame) {
        ActiveSettings.ClozeChoose = 16 | level;
        ActiveSettings.ClozeChooseSound = -1;
        return openCloze(activity::ClozeClick, frame);
    }
    static QStringList captions(const frmCloze* c) {
        QStringList out;
        for (int i = 1; i <= 4; ++i)
            if (shown(c->cloze_choice[size_t(i)]))
                out << c->cloze_choice[size_t(i)]->Caption();
        return out;
    }
    static int placeOf(const frmCloze* c, const QString& word) {
        for (int i = 1; i <= 4; ++i)
            if (shown(c->cloze_choice[size_t(i)]) && c->cloze_choice[size_t(i)]->Caption() == word)
                return i;
        return 0;
    }
    static void press(frmCloze* c, int i) { QTest::mousePress(c->cloze_choice[size_t(i)], Qt::LeftButton); }
};

TEST_F(ChoicesTest, TheCoveredWordIsOfferedBareAmongCandidates) {
    for (int level : {2, 3, 4}) {
        SCOPED_TRACE(level);
        frmBook* b = openChoices(level, 1);
        auto in = probe(b);
        ASSERT_TRUE(in.ChoicesWindow);
        EXPECT_FALSE(shown(in.ChoicesWindow));
        EXPECT_EQ(in.ChoicesWindow->caption(), QStringLiteral("Choices"));

        click(in.cmdNext);
        skipTo(b, 3);  // "Yes!" between quotes
        frmCloze* c = in.ChoicesWindow;
        EXPECT_EQ(gCurrentWord, QStringLiteral("Yes"));
        EXPECT_EQ(gClozeChoicesOpen, -1);
        EXPECT_TRUE(shown(c));
        const QStringList offered = captions(c);
        ASSERT_EQ(offered.size(), level);
        EXPECT_EQ(offered.count(QStringLiteral("Yes")), 1);
        for (const QString& w : offered)
            EXPECT_TRUE(w.front().isUpper()) << w.toStdString();  // capitals like the answer
        // The word is covered and the window leaves it in sight.
        EXPECT_TRUE(shown(b->yellowfudge));
        const QRect gap(b->yellowfudge->mapToGlobal(QPoint(0, 0)), b->yellowfudge->size());
        EXPECT_FALSE(c->frameGeometry().intersects(gap));
        expectPageButtons(b, false, false, false);
        b->Unload();
        booktest::settle();
    }
}

TEST_F(ChoicesTest, AWrongPickTurnsRedAndTheRightOneUncoversTheWord) {
    frmBook* b = openChoices(3, 2);  // "I'm"
    frmCloze* c = probe(b).ChoicesWindow;
    const int right = placeOf(c, QStringLiteral("I'm"));
    ASSERT_GT(right, 0);
    const int wrong = right == 1 ? 2 : 1;
    for (int again = 0; again < 2; ++again) {
        press(c, wrong);
        EXPECT_EQ(foreColour(c->cloze_choice[size_t(wrong)]), QBColor(12));
        EXPECT_TRUE(shown(c));
        EXPECT_TRUE(shown(b->yellowfudge));
    }
    const qsizetype before = wordPlays().size();
    QApplication::setActiveWindow(c);  // a click on the window activates it
    ASSERT_EQ(QApplication::activeWindow(), c);
    press(c, right);
    EXPECT_FALSE(shown(c));
    booktest::settle();
    EXPECT_EQ(QApplication::activeWindow(), b->window());  // the keys reach Next again
    EXPECT_EQ(gClozeChoicesOpen, 0);
    expectSolvedMiddlePage(b, before, QStringLiteral("I'm"));

    // The next page lays the labels out again, all black.
    click(probe(b).cmdNext);
    EXPECT_TRUE(shown(c));
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(foreColour(c->cloze_choice[size_t(i)]), QColor(Qt::black));
}

TEST_F(ChoicesTest, AltAndADigitPickOnlyAShownCandidate) {
    frmBook* b = openChoices(2, 5);  // "dog." offered as "dog", the last page
    frmCloze* c = probe(b).ChoicesWindow;
    EXPECT_EQ(gCurrentWord, QStringLiteral("dog"));
    ASSERT_EQ(captions(c).size(), 2);
    QTest::keyClick(c, Qt::Key_3, Qt::AltModifier);  // no third candidate
    const int right = placeOf(c, QStringLiteral("dog"));
    QTest::keyClick(c, Qt::Key(Qt::Key_0 + right));  // no Alt
    EXPECT_TRUE(shown(c));
    EXPECT_EQ(foreColour(c->cloze_choice[1]), QColor(Qt::black));
    EXPECT_EQ(foreColour(c->cloze_choice[2]), QColor(Qt::black));
    QTest::keyClick(c, Qt::Key(Qt::Key_0 + 3 - right), Qt::AltModifier);
    EXPECT_EQ(foreColour(c->cloze_choice[size_t(3 - right)]), QBColor(12));
    QTest::keyClick(c, Qt::Key(Qt::Key_0 + right), Qt::AltModifier);
    EXPECT_FALSE(shown(c));
    expectPageButtons(b, true, false, true);
}

TEST_F(ChoicesTest, TheAnswerStandsInEveryPlaceOverManyPages) {
    frmBook* b = openChoices(3, 2);
    auto in = probe(b);
    std::set<int> places;
    for (int round = 0; round < 60 && places.size() < 3; ++round) {
        const int right = placeOf(in.ChoicesWindow, gCurrentWord);
        ASSERT_GT(right, 0);
        places.insert(right);
        press(in.ChoicesWindow, right);
        click(in.cmdBack);
        click(in.cmdNext);  // the same page, drawn afresh
    }
    EXPECT_EQ(places, (std::set<int>{1, 2, 3}));
}

TEST_F(ChoicesTest, AResizeKeepsTheCandidatesAndShowsTheWindowOnlyWhileAsked) {
    frmBook* b = openChoices(4, 2);
    frmCloze* c = probe(b).ChoicesWindow;
    const QStringList before = captions(c);
    const int right = placeOf(c, gCurrentWord);
    const int wrong = right == 1 ? 2 : 1;
    press(c, wrong);
    resizeBook(b, QSize(800, 553));
    EXPECT_EQ(captions(c), before);
    EXPECT_TRUE(shown(c));
    EXPECT_EQ(foreColour(c->cloze_choice[size_t(wrong)]), QColor(Qt::black));
    const QRect gap(b->yellowfudge->mapToGlobal(QPoint(0, 0)), b->yellowfudge->size());
    EXPECT_FALSE(c->frameGeometry().intersects(gap));

    press(c, right);
    resizeBook(b, QSize(640, 442));
    EXPECT_FALSE(shown(c));
    EXPECT_FALSE(shown(b->yellowfudge));
    expectPageButtons(b, true, true, false);
}

TEST_F(ChoicesTest, AShortWordListOffersFewerCandidates) {
    writeWordList(QStringLiteral("dog dog Dog cat"));
    frmBook* b = openChoices(4, 5);  // "dog"
    EXPECT_EQ(captions(probe(b).ChoicesWindow).size(), 2);
    EXPECT_TRUE(captions(probe(b).ChoicesWindow).contains(QStringLiteral("cat")));
}

TEST_F(ChoicesTest, TheChoicesWindowGoesWithTheBookWindow) {
    frmBook* b = openChoices(2, 2);
    QPointer<frmCloze> c = probe(b).ChoicesWindow;
    ASSERT_TRUE(c && shown(c));
    c->close();  // not by hand: the page could no longer be answered
    EXPECT_TRUE(c && !c->isUnloaded());
    choose(probe(b).mnuMenu);
    booktest::settle();
    EXPECT_TRUE(!c || c->isUnloaded());
    EXPECT_EQ(menuOpened, 1);
    EXPECT_EQ(gClozeChoicesOpen, 0);
}

}  // namespace
