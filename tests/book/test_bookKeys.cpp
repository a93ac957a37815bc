// The book window in the frame, driven by the keyboard alone: the access keys of its buttons
// (each owned by the one button in view, acting at once, with their captions drawn or not),
// Tab through the buttons, Alt+1 .. Alt+4 of Cloze (click) while the book window has the
// focus, and F1 wherever the focus is, the frame's menu bar included.
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "BookWindowFixture.h"
#include "book/frmCloze.h"
#include "core/frmKest.h"
#include "platform/Boxes.h"
#include "platform/Controls.h"
#include "platform/GraphicalButton.h"
#include "support/BookProbe.h"
#include "support/Press.h"

using testsupport::click;
using testsupport::probe;

using booktest::BookWindowTest;
using booktest::closeAllWindows;
using booktest::settle;

namespace {

class BookKeysTest : public BookWindowTest {
protected:
    void SetUp() override {
        BookWindowTest::SetUp();
        clock.setStep(0.001);
        useOwnBook(booktest::ownBook({QStringLiteral("The dog ran."), QStringLiteral("The cat sat.")}));
        own.write(QStringLiteral("WORDLIST/OWN.TXT"),
                  "*WORDLIST*\r\ncat\r\ndog\r\nhen\r\npig\r\nfox\r\nram\r\nsat\r\nran\r\nthe\r\n*END*\r\n");
    }

    // The frame as start-up shows it, and the book window opened inside it for the activity.
    frmBook* openInFrame(int activity) {
        frame = testsupport::showStartedFrame();
        EXPECT_EQ(gShellReady, -1);
        // The frame read the stored settings; the activities are all allowed here.
        ActiveSettings.ReadTellStory = -1;
        ActiveSettings.ReadHearSentence = -1;
        ActiveSettings.ClozeChooseSound = -1;
        ActiveSettings.ClozeChoose = 16 + 3;
        gBookCode = QStringLiteral("OWN");
        gActivity = activity;
        OpenBookWindow();
        settle();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame));
        settle();
        auto* b = qobject_cast<frmBook*>(frame->activeChild());
        EXPECT_NE(b, nullptr);
        return b;
    }

    // A key as the keyboard gives it: to whatever has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QWidget* to = QApplication::focusWidget();
        ASSERT_NE(to, nullptr) << "nothing has the focus";
        QTest::keyClick(to, key, m);
    }

    int helps() const { return int(journalOf(QStringLiteral("help")).size()); }

    // The window alone at the size of the scale, the window system's keys going to it.
    frmBook* openAtScale(int activity, double scale) {
        gActivity = activity;
        frmBook* b = openBook(booktest::sizeForScale(scale, scale));
        b->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(b));
        settle();
        EXPECT_EQ(probe(b).cmdNext->captionDrawn(), scale > 0.74);
        return b;
    }

    // A key as the window system gives it to the active window.
    static void key(frmBook* b, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(b->windowHandle(), k, m);
    }

    QPointer<frmKest> frame;
};

TEST_F(BookKeysTest, AltNTurnsThePageAtOnceAndAltBTurnsBack) {
    frmBook* b = openInFrame(1);
    ASSERT_EQ(gFrame, 1);
    press(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(gFrame, 2);  // with the key, not a press animation later
    press(Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(gFrame, 1);
    (void)b;
}

// With the small pictures no caption is drawn, but every button keeps its access key.
TEST_F(BookKeysTest, EveryButtonTakesItsAccessKeyWithOrWithoutItsCaptionDrawn) {
    ActiveSettings.ClozeTypeSound = -1;
    for (const double scale : {1.0, 0.7}) {
        SCOPED_TRACE(scale);
        frmBook* b = openAtScale(1, scale);
        auto in = probe(b);
        struct Step {
            Qt::Key key;
            GraphicalButton* button;
            int frameAfter;
        };
        // On the last page "&Start" is the one of Alt+S; "&Menu" closes the window.
        for (const Step& s : {Step{Qt::Key_N, in.cmdNext, 2}, Step{Qt::Key_B, in.cmdBack, 1},
                              Step{Qt::Key_H, in.cmdEar, 1}, Step{Qt::Key_N, in.cmdNext, 2},
                              Step{Qt::Key_N, in.cmdNext, 3}, Step{Qt::Key_S, in.cmdRestart, 1},
                              Step{Qt::Key_M, in.cmdMenu, 1}}) {
            SCOPED_TRACE(s.button->Caption().toStdString());
            QSignalSpy clicks(s.button, &QAbstractButton::clicked);
            key(b, s.key, Qt::AltModifier);
            EXPECT_EQ(clicks.count(), 1);
            EXPECT_EQ(gFrame, s.frameAfter);
        }
        EXPECT_EQ(menuOpened, 1);
        menuOpened = 0;
        closeAllWindows();

        frmBook* c = openAtScale(4, scale);
        key(c, Qt::Key_N, Qt::AltModifier);
        ASSERT_EQ(gFrame, 2);
        ASSERT_TRUE(probe(c).cmdEarSmall->isVisible());
        QSignalSpy clue(probe(c).cmdEarSmall, &QAbstractButton::clicked);
        key(c, Qt::Key_C, Qt::AltModifier);
        EXPECT_EQ(clue.count(), 1);
        closeAllWindows();
    }
}

// Tab and Shift+Tab walk the buttons in view, at every size, the one with the focus shows it, and
// Space and Enter press it.
TEST_F(BookKeysTest, TabWalksTheButtonsInViewAndSpaceOrEnterPressesOne) {
    for (const double scale : {1.0, 0.7}) {
        SCOPED_TRACE(scale);
        frmBook* b = openAtScale(1, scale);
        auto in = probe(b);
        ASSERT_EQ(QApplication::focusWidget(), in.cmdEar);
        const QImage plain = in.cmdMenu->grab().toImage();
        key(b, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), in.cmdMenu);
        EXPECT_NE(in.cmdMenu->grab().toImage(), plain) << "no focus mark";
        key(b, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), in.cmdNext);
        EXPECT_EQ(in.cmdMenu->grab().toImage(), plain);
        key(b, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), in.cmdEar);
        key(b, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), in.cmdNext);
        // Space, Enter and keypad Enter press the button with the focus, not Hear.
        key(b, Qt::Key_Space);
        EXPECT_EQ(gFrame, 2);
        ASSERT_EQ(QApplication::focusWidget(), in.cmdEar);  // each page gives Hear the focus
        key(b, Qt::Key_Backtab, Qt::ShiftModifier);
        ASSERT_EQ(QApplication::focusWidget(), in.cmdBack);
        key(b, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(gFrame, 1);
        key(b, Qt::Key_Tab);
        key(b, Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), in.cmdNext);
        key(b, Qt::Key_Return);
        EXPECT_EQ(gFrame, 2);
        closeAllWindows();
    }
}

// Alt+F and Enter run the File menu's first item in view, "To menu", as one Enter.
TEST_F(BookKeysTest, AltFThenEnterGoesBackToTheMenu) {
    frmBook* b = openInFrame(1);
    const int opened = menuOpened;
    press(Qt::Key_F, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), probe(b).mnuFile);
    QTest::keyClick(probe(b).mnuFile, Qt::Key_Return);
    settle();
    EXPECT_EQ(menuOpened, opened + 1);
}

TEST_F(BookKeysTest, AltSStopsTellStoryAndStartsAgainOnTheLastPage) {
    frmBook* b = openInFrame(1);
    auto in = probe(b);
    // Alt+S while the story is told: only "&Stop" is in view ("&Start" and the hidden "&Scale"
    // item carry the letter too).
    bool pressed = false;
    std::function<void()> watch = [&] {
        if (in.TellingStory != 0 && !in.cmdCancel->isHidden() && gFrame == 2 && !pressed) {
            pressed = true;
            press(Qt::Key_S, Qt::AltModifier);
            return;
        }
        if (!pressed)
            clock.after(0.05, watch);
    };
    clock.after(0.05, watch);
    press(Qt::Key_T, Qt::AltModifier);  // "&Tell story" on the menu bar
    ASSERT_TRUE(pressed) << "the story was never told";
    booktest::expectAtRestAfterStory(b);  // stopped after page 2, back on the first page

    // On the last page "&Start" is the one in view.
    press(Qt::Key_N, Qt::AltModifier);
    press(Qt::Key_N, Qt::AltModifier);
    ASSERT_EQ(gFrame, 3);
    ASSERT_FALSE(in.cmdRestart->isHidden());
    press(Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(gFrame, 1);
}

TEST_F(BookKeysTest, AltDigitsAnswerTheChoicesFromTheBookWindow) {
    frmBook* b = openInFrame(5);
    auto in = probe(b);
    click(in.cmdNext);
    settle();
    ASSERT_EQ(gFrame, 2);
    ASSERT_TRUE(in.ChoicesWindow && in.ChoicesWindow->isVisible());
    frmCloze* choices = in.ChoicesWindow;
    // The book window has the focus (the offscreen platform activates a window shown without
    // activation, a window manager does not).
    settle();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    settle();
    QWidget* f = QApplication::focusWidget();
    ASSERT_TRUE(f && (f == b || b->isAncestorOf(f))) << (f ? f->metaObject()->className() : "nothing");
    int right = 0, wrong = 0;
    for (int i = 1; i <= 3; ++i) {
        if (choices->cloze_choice[size_t(i)]->Caption() == gCurrentWord)
            right = i;
        else if (wrong == 0)
            wrong = i;
    }
    ASSERT_GT(right, 0);
    ASSERT_GT(wrong, 0);
    press(Qt::Key(Qt::Key_0 + wrong), Qt::AltModifier);
    EXPECT_EQ(choices->cloze_choice[size_t(wrong)]->palette().color(QPalette::WindowText), QBColor(12));
    EXPECT_EQ(gClozeChoicesOpen, -1);
    press(Qt::Key_4, Qt::AltModifier);  // only three choices
    press(Qt::Key(Qt::Key_0 + right));  // a digit without Alt
    EXPECT_EQ(gClozeChoicesOpen, -1);
    press(Qt::Key(Qt::Key_0 + right), Qt::AltModifier);
    EXPECT_EQ(gClozeChoicesOpen, 0);
    EXPECT_FALSE(choices->isVisible());
}

TEST_F(BookKeysTest, F1AsksForHelpAlsoAfterTheHelpMenuWasClosedWithEsc) {
    frmBook* b = openInFrame(1);
    press(Qt::Key_F1);
    ASSERT_EQ(helps(), 1);
    // Alt+E opens the book window's Help menu on the frame's menu bar; Esc closes it and leaves
    // the menu bar with the keyboard.
    press(Qt::Key_E, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), probe(b).mnuHelp);
    QTest::keyClick(probe(b).mnuHelp, Qt::Key_Escape);
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
    ASSERT_EQ(QApplication::focusWidget(), frame->menuBarInUse());
    press(Qt::Key_F1);
    ASSERT_EQ(helps(), 2);
    EXPECT_TRUE(journalOf(QStringLiteral("help")).last().endsWith(QStringLiteral("\t1\t90")));
    // A window of nobody's hears its own keys only.
    QWidget other;
    auto* box = new TextBox(&other);
    other.show();
    QTest::keyClick(box, Qt::Key_F1);
    EXPECT_EQ(helps(), 2);
}

}  // namespace
