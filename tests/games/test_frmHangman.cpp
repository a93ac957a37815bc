// The word-game window: its load from the settings, rounds of Treasure and Slide played by
// keys and clicks, the pictures, the animation, word lists, and leaving.
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>
#include <QTest>

#include "GameWindowFixture.h"
#include "core/Catalogue.h"
#include "core/frmGetfile.h"
#include "platform/Controls.h"
#include "platform/Program.h"
#include "support/HangmanProbe.h"
#include "support/Press.h"

namespace {

using gametest::GameWindowTest;
using gametest::settle;
using testsupport::choose;
using testsupport::click;
using testsupport::probe;
using testsupport::pullDown;

const QColor kYellow(255, 255, 0), kWhite(255, 255, 255), kLightGrey(192, 192, 192), kLightRed(255, 0, 0),
    kLightGreen(0, 255, 0), kBlack(0, 0, 0);

QString shownCells(frmHangman* g) {
    auto in = probe(g);
    QString out;
    for (size_t i = 1; i < in.lblshow.size(); ++i)
        if (!in.lblshow[i]->isHidden())
            out += in.lblshow[i]->Caption();
    return out;
}

TEST_F(GameWindowTest, TreasureLoadsFromTheSettingsAndStartsARound) {
    ActiveSettings.TreasureFails = 4;
    ActiveSettings.TreasureClues = 1;   // Hear only
    ActiveSettings.TreasureLoad = 0;
    frmHangman* g = open(activity::TreasureRequested);
    auto in = probe(g);
    ASSERT_FALSE(g->isUnloaded());
    EXPECT_EQ(gActivity, activity::Treasure);
    EXPECT_EQ(g->caption(), GetBookTitle(QStringLiteral("01PIP")));
    EXPECT_EQ(gWordListName, QStringLiteral("01PIP"));
    EXPECT_EQ(in.AllowedWrong, 4);
    EXPECT_TRUE(in.mnuGuess[4]->isChecked());
    EXPECT_TRUE(in.mnuGuesses->menuAction()->isVisible());
    EXPECT_FALSE(in.mnuFileOpen->isEnabled());
    EXPECT_FALSE(in.cmdClue->isEnabled());
    EXPECT_TRUE(in.cmdEar->isEnabled());  // the sample has a sound for every word
    EXPECT_FALSE(in.cmdAgain->isEnabled());
    EXPECT_TRUE(in.Frame4->isVisible());
    EXPECT_FALSE(in.Shape1->isVisible());
    EXPECT_TRUE(in.RoundActive());
    EXPECT_TRUE(in.Words.contains(in.TheWord()));
    EXPECT_EQ(shownCells(g), QString(in.TheWord().size(), u'-'));
    for (int k = 1; k <= 26; ++k) {
        EXPECT_EQ(in.lblAlphabet[size_t(k)]->Caption(), QString(QChar(u'a' + k - 1)));
        EXPECT_EQ(back(in.lblAlphabet[size_t(k)]), kYellow);
    }
    // The word's sound is open on the window's own control.
    EXPECT_TRUE(journalOf(QStringLiteral("sound")).last().contains(
        QStringLiteral("WDS/") + FileKey(in.TheWord()) + QStringLiteral(".WAV"), Qt::CaseInsensitive));
}

TEST_F(GameWindowTest, TreasureAllowanceOutsideOneToTenIsTen) {
    for (int fails : {0, 11, -1}) {
        ActiveSettings.TreasureFails = int16_t(fails);
        frmHangman* g = open(activity::TreasureRequested);
        EXPECT_EQ(probe(g).AllowedWrong, 10) << fails;
        EXPECT_TRUE(probe(g).mnuGuess[10]->isChecked());
        g->Unload();
    }
}

TEST_F(GameWindowTest, TreasureRoundWonByTypedLetters) {
    writeList({"bella", "bella", "bella", "bella"});
    frmHangman* g = open(activity::TreasureRequested);
    auto in = probe(g);
    ASSERT_EQ(in.TheWord(), QStringLiteral("bella"));
    const int plays = countSounds(QStringLiteral("MMControl1\tPlay"));
    type(g, QStringLiteral("L"));
    EXPECT_EQ(shownCells(g), QStringLiteral("--ll-"));
    EXPECT_EQ(in.RightCount(), 2);
    EXPECT_EQ(back(in.lblAlphabet[12]), kLightGreen);
    type(g, QStringLiteral("xq"));
    EXPECT_EQ(in.WrongCount(), 2);
    EXPECT_EQ(back(in.lblAlphabet[24]), kLightRed);
    EXPECT_TRUE(in.PirateRight->isVisible());  // coming closer
    type(g, QStringLiteral("bea"));
    EXPECT_EQ(shownCells(g), QStringLiteral("bella"));
    EXPECT_FALSE(in.RoundActive());
    EXPECT_TRUE(in.cmdAgain->isEnabled());
    EXPECT_FALSE(in.cmdClue->isEnabled());
    EXPECT_EQ(countSounds(QStringLiteral("MMControl1\tPlay")), plays + 1);  // the word heard again
    EXPECT_FALSE(in.PirateLeft->isVisible());
    EXPECT_TRUE(in.PirateMid->isVisible());
    // Letters after the end do nothing.
    type(g, QStringLiteral("z"));
    EXPECT_EQ(in.WrongCount(), 2);
    click(in.cmdAgain);
    EXPECT_TRUE(in.RoundActive());
    EXPECT_EQ(in.WrongCount(), 0);
    EXPECT_EQ(back(in.lblAlphabet[24]), kYellow);
}

// A letter held with Alt, Ctrl or the Windows key is a chord, no guess; the letter alone is.
TEST_F(GameWindowTest, TreasureTakesNoLetterFromAChord) {
    writeList({"frog", "frog", "frog", "frog"});
    frmHangman* g = open(activity::TreasureRequested);
    auto in = probe(g);
    for (Qt::KeyboardModifier chord : {Qt::AltModifier, Qt::ControlModifier, Qt::MetaModifier}) {
        QTest::keyClick(g, Qt::Key_F, chord);
        EXPECT_EQ(in.RightCount(), 0) << chord;
        EXPECT_EQ(in.WrongCount(), 0) << chord;
    }
    QTest::keyClick(g, Qt::Key_F);
    EXPECT_EQ(shownCells(g), QStringLiteral("f---"));
    EXPECT_EQ(in.RightCount(), 1);
}

TEST_F(GameWindowTest, TreasureLossRevealsTheWordInRedOnce) {
    writeList({"frog", "frog", "frog", "frog"});
    ActiveSettings.TreasureFails = 3;
    frmHangman* g = open(activity::TreasureRequested);
    auto in = probe(g);
    type(g, QStringLiteral("rz"));
    EXPECT_TRUE(in.RoundActive());
    // Lowering the allowance to the wrong letters made ends the round at once.
    choose(in.mnuGuess[1]);
    EXPECT_FALSE(in.mnuGuess[3]->isChecked());
    EXPECT_TRUE(in.mnuGuess[1]->isChecked());
    EXPECT_FALSE(in.RoundActive());
    EXPECT_TRUE(in.cmdAgain->isEnabled());
    EXPECT_EQ(shownCells(g), QStringLiteral("frog"));
    EXPECT_EQ(fore(in.lblshow[1]), kLightRed);
    EXPECT_EQ(fore(in.lblshow[2]), kBlack);  // found before the loss
    EXPECT_EQ(fore(in.lblshow[3]), kLightRed);
    EXPECT_TRUE(in.PirateMid->isVisible());
    EXPECT_FALSE(in.PirateRight->isVisible());
    // A resize draws the loss again but does not lose the round a second time.
    const int wrong = in.WrongCount();
    in.LayoutForm();
    EXPECT_EQ(in.WrongCount(), wrong);
    EXPECT_FALSE(in.RoundActive());
    EXPECT_EQ(shownCells(g), QStringLiteral("frog"));
}

// Frame4's pictures in twips at scale 1 (15 twips to the pixel).
QRect twipsOf(const QWidget* w) { return QRect(w->x() * 15, w->y() * 15, w->width() * 15, w->height() * 15); }

TEST_F(GameWindowTest, AnEndedRoundKeepsItsPictureWhenTheAllowanceChanges) {
    struct Case {
        const char* what;
        int fails;        // the allowance at the start
        const char* keys; // typed during the round
        int later;        // the Guesses item chosen after the end
        bool won;
    } cases[] = {
        {"won, then Allow 1 wrong", 10, "xqfrog", 2, true},
        {"won, then Allow 0 wrong", 10, "xqfrog", 1, true},
        {"lost, then Allow 9 wrong", 2, "xq", 10, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeList({"frog", "frog", "frog", "frog"});
        ActiveSettings.TreasureFails = int16_t(c.fails);
        frmHangman* g = open(activity::TreasureRequested);
        auto in = probe(g);
        QTest::keyClicks(g, QString::fromLatin1(c.keys));
        ASSERT_FALSE(in.RoundActive());
        ASSERT_EQ(in.WrongCount(), 2);
        const QRect mid = twipsOf(in.PirateMid);
        const bool rightShown = in.PirateRight->isVisible();
        const QRect right = twipsOf(in.PirateRight);
        // The won picture or the lost one, as the round ended.
        const QRect ended = c.won ? QRect(2805, 780, 1875, 1545) : QRect(3210, 120, 2115, 2280);
        EXPECT_LE(std::abs(mid.x() - ended.x()), 15);
        EXPECT_LE(std::abs(mid.y() - ended.y()), 15);
        EXPECT_EQ(rightShown, c.won);

        in.mnuGuess[size_t(c.later)]->trigger();
        EXPECT_EQ(in.AllowedWrong, c.later);
        g->resize(660, 456);
        settle();
        g->resize(640, 442);
        settle();
        ASSERT_FALSE(g->isUnloaded());
        EXPECT_FALSE(in.RoundActive());
        EXPECT_EQ(twipsOf(in.PirateMid), mid);
        EXPECT_TRUE(in.PirateMid->isVisible());
        EXPECT_EQ(in.PirateRight->isVisible(), rightShown);
        if (rightShown) {
            EXPECT_EQ(twipsOf(in.PirateRight), right);
            EXPECT_LE(in.PirateRight->geometry().right(), in.Frame4->width());
        }
        EXPECT_TRUE(in.cmdAgain->isEnabled());
        EXPECT_EQ(shownCells(g), QStringLiteral("frog"));
        EXPECT_EQ(fore(in.lblshow[1]), c.won ? kBlack : kLightRed);
        // The next round is drawn with the new allowance.
        click(in.cmdAgain);
        EXPECT_EQ(in.PirateRight->isVisible(), c.later <= 3);
        g->Unload();
    }
}

TEST_F(GameWindowTest, AllowZeroWrongLosesOnTheFirstWrongLetter) {
    writeList({"frog", "frog", "frog", "frog"});
    ActiveSettings.TreasureFails = 1;
    frmHangman* g = open(activity::TreasureRequested);
    auto in = probe(g);
    EXPECT_TRUE(in.PirateRight->isVisible());  // the one-left picture from the start
    type(g, QStringLiteral("f"));
    EXPECT_TRUE(in.RoundActive());
    type(g, QStringLiteral("x"));
    EXPECT_FALSE(in.RoundActive());
}

TEST_F(GameWindowTest, TreasureClueLightsTheFirstUntriedLetterOncePerRound) {
    writeList({"frog", "frog", "frog", "frog"});
    ActiveSettings.TreasureClues = 3;
    frmHangman* g = open(activity::TreasureRequested);
    auto in = probe(g);
    type(g, QStringLiteral("f"));
    click(in.cmdClue);
    EXPECT_EQ(back(in.lblAlphabet[18]), kWhite);  // r
    EXPECT_FALSE(in.cmdClue->isEnabled());
    EXPECT_EQ(in.Round.letterUsed(18), 0);  // lit, not tried
    type(g, QStringLiteral("r"));
    EXPECT_EQ(back(in.lblAlphabet[18]), kLightGreen);
    type(g, QStringLiteral("og"));  // won: Again is there
    EXPECT_FALSE(in.cmdClue->isEnabled());
    click(in.cmdAgain);
    EXPECT_TRUE(in.cmdClue->isEnabled());
}

TEST_F(GameWindowTest, SlideSpellsFromTheLeftThenAnimates) {
    writeList({"tree", "tree", "tree", "tree"});
    frmHangman* g = open(activity::Slide);
    auto in = probe(g);
    ASSERT_EQ(gActivity, activity::Slide);
    EXPECT_FALSE(in.mnuGuesses->menuAction()->isVisible());
    EXPECT_FALSE(in.Frame4->isVisible());
    EXPECT_TRUE(in.Shape1->isVisible());
    EXPECT_EQ(in.lblshow[1]->Caption(), QStringLiteral("?"));
    EXPECT_EQ(back(in.lblshow[1]), kWhite);
    EXPECT_EQ(fore(in.lblshow[1]), kLightGrey);
    EXPECT_EQ(back(in.lblshow[2]), kLightGrey);
    EXPECT_TRUE(in.imgslide2->isVisible());
    const QPoint foot = in.imgslide2->pos();

    type(g, QStringLiteral("r"));  // in the word but not next
    EXPECT_EQ(back(in.lblAlphabet[18]), kLightRed);
    EXPECT_EQ(in.WrongCount(), 1);
    type(g, QStringLiteral("T"));
    EXPECT_EQ(in.lblshow[1]->Caption(), QStringLiteral("t"));
    EXPECT_EQ(fore(in.lblshow[1]), kBlack);
    EXPECT_EQ(in.lblshow[2]->Caption(), QStringLiteral("?"));
    EXPECT_EQ(back(in.lblshow[2]), kWhite);
    EXPECT_EQ(back(in.lblAlphabet[18]), kYellow);  // every letter free again
    EXPECT_NE(in.imgslide2->pos(), foot);          // the figure climbed
    type(g, QStringLiteral("ree"));
    EXPECT_EQ(shownCells(g), QStringLiteral("tree"));
    EXPECT_FALSE(in.RoundActive());
    EXPECT_FALSE(in.cmdAgain->isEnabled());  // not before the animation
    EXPECT_TRUE(in.Timer1->isActive());
    EXPECT_EQ(in.Timer1->interval(), 900);
    // A resize meanwhile draws the figure on top at the new scale and keeps the timer.
    const int waited = in.Timer1->remainingTime();
    QTest::qWait(50);
    g->resize(480, 332);
    settle();
    EXPECT_TRUE(in.imgslide2->isVisible());
    EXPECT_TRUE(in.Timer1->isActive());
    EXPECT_LT(in.Timer1->remainingTime(), waited);
    EXPECT_EQ(in.imgslide2->x(), int(std::lround(7455 * 0.75 / 15)));

    // While the animation waits, Hear and Menu only beep.
    const int plays = countSounds(QStringLiteral("MMControl1\tPlay"));
    click(in.cmdEar);
    click(in.cmdMenu);
    EXPECT_EQ(countSounds(QStringLiteral("MMControl1\tPlay")), plays);
    EXPECT_FALSE(g->isUnloaded());
    EXPECT_EQ(journalOf(QStringLiteral("beep")).size(), 2);

    const double before = clock.elapsed();
    in.Timer1_Timer();
    EXPECT_FALSE(in.Timer1->isActive());
    EXPECT_TRUE(in.SlideAnimated);
    EXPECT_NEAR(clock.elapsed() - before, 0.56, 0.02);
    EXPECT_FALSE(in.imgslide2->isVisible());
    for (int f = 1; f <= 6; ++f)
        EXPECT_FALSE(in.imganim[size_t(f)]->isVisible()) << f;
    EXPECT_TRUE(in.cmdAgain->isEnabled());
    // A resize after the animation keeps the figure away and does not start it again.
    in.LayoutForm();
    EXPECT_FALSE(in.imgslide2->isVisible());
    EXPECT_FALSE(in.Timer1->isActive());
    click(in.cmdAgain);
    EXPECT_TRUE(in.imgslide2->isVisible());
}

TEST_F(GameWindowTest, SlideAnimationShowsEachFrameForItsTimeWhateverTheClockOfTheDay) {
    struct Case {
        const char* what;
        QTime start;
        double stepAt;  // seconds into the animation; < 0: the clock of the day is not stepped
        QTime stepTo;
    } cases[] = {
        {"in the morning", QTime(9, 30), -1, QTime()},
        {"just after midnight", QTime(0, 0, 2), -1, QTime()},
        {"across midnight", QTime(23, 59, 59, 800), -1, QTime()},
        {"clock set back an hour meanwhile", QTime(3, 0), 0.1, QTime(2, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeList({"sun", "sun", "sun", "sun"});
        clock.setNow(QDateTime(QDate(2024, 10, 27), c.start));
        frmHangman* g = open(activity::Slide);
        auto in = probe(g);
        QTest::keyClicks(g, QStringLiteral("sun"));
        ASSERT_TRUE(in.Timer1->isActive());
        const double before = clock.elapsed();
        if (c.stepAt >= 0)
            clock.after(c.stepAt, [&] { clock.setNow(QDateTime(QDate(2024, 10, 27), c.stepTo)); });
        // Halfway through each step: which frame is on show.
        QList<int> seen;
        for (int i = 1; i <= 7; ++i)
            clock.after((i - 0.5) * 0.08, [&seen, g] {
                int shown = 0;
                for (int f = 1; f <= 6; ++f)
                    if (probe(g).imganim[size_t(f)]->isVisible())
                        shown = f;
                seen << shown;
            });
        in.Timer1_Timer();
        EXPECT_NEAR(clock.elapsed() - before, 0.56, 0.005);
        EXPECT_EQ(seen, (QList<int>{1, 2, 3, 4, 5, 6, 0}));
        EXPECT_TRUE(in.cmdAgain->isEnabled());
        g->Unload();
    }
}

TEST_F(GameWindowTest, SlideClueLightsTheNextLetter) {
    writeList({"tree", "tree", "tree", "tree"});
    frmHangman* g = open(activity::Slide);
    auto in = probe(g);
    EXPECT_TRUE(in.cmdClue->isEnabled());
    type(g, QStringLiteral("t"));
    click(in.cmdClue);
    EXPECT_EQ(back(in.lblAlphabet[18]), kWhite);
    EXPECT_FALSE(in.cmdClue->isEnabled());
    type(g, QStringLiteral("r"));
    EXPECT_EQ(back(in.lblAlphabet[18]), kYellow);
}

TEST_F(GameWindowTest, ClickOnALetterIsAGuess) {
    writeList({"frog", "frog", "frog", "frog"});
    frmHangman* g = open(activity::TreasureRequested);
    QTest::mouseClick(probe(g).lblAlphabet[15], Qt::LeftButton);  // o
    EXPECT_EQ(shownCells(g), QStringLiteral("--o-"));
}

TEST_F(GameWindowTest, WordCellsAreCentredAndShareABorder) {
    writeList({"abcdefghijk", "abcdefghijk", "abcdefghijk", "abcdefghijk"});
    frmHangman* g = open(activity::TreasureRequested);
    auto in = probe(g);
    const int w = in.lblshow[1]->width();
    EXPECT_EQ(w, 51);  // 765 twips at 15 to the pixel
    for (int i = 2; i <= 11; ++i)
        EXPECT_EQ(in.lblshow[size_t(i)]->x() - in.lblshow[size_t(i - 1)]->x(), w - 1);
    const int left = in.lblshow[1]->x();
    const int right = in.Frame3->width() - (in.lblshow[11]->x() + w);
    EXPECT_LE(std::abs(left - right), 1);
    EXPECT_TRUE(in.lblshow[12]->isHidden());
}

TEST_F(GameWindowTest, AlphabetLayoutsOfTheTwoGames) {
    frmHangman* t = open(activity::TreasureRequested);
    const int w = probe(t).lblAlphabet[1]->width();
    auto at = [](frmHangman* g, int i) { return probe(g).lblAlphabet[size_t(i)]->pos(); };
    EXPECT_EQ(at(t, 9).x() - at(t, 1).x(), 8 * (w - 1));   // a to i in one row
    EXPECT_LE(std::abs(at(t, 10).x() - at(t, 1).x() - w / 2), 1);  // j half a cell in
    EXPECT_EQ(at(t, 10).y() - at(t, 1).y(), probe(t).lblAlphabet[1]->height() - 1);
    EXPECT_EQ(at(t, 18).x(), at(t, 1).x());
    t->Unload();

    frmHangman* s = open(activity::Slide);
    const int sw = probe(s).lblAlphabet[1]->width();
    EXPECT_EQ(at(s, 4).x(), at(s, 1).x() - (sw - 1));  // d starts a column left of a
    EXPECT_EQ(at(s, 8).x(), at(s, 1).x() + 3 * (sw - 1));
    EXPECT_EQ(at(s, 24).x(), at(s, 1).x());              // x under a
    EXPECT_EQ(at(s, 26).y(), at(s, 1).y() + 5 * (probe(s).lblAlphabet[1]->height() - 1));
}

TEST_F(GameWindowTest, AResizeLaysTheWindowOutForItsNewScale) {
    writeList({"frog", "frog", "frog", "frog"});
    frmHangman* g = open(activity::TreasureRequested);
    auto in = probe(g);
    type(g, QStringLiteral("o"));
    g->resize(320, 221);
    settle();
    EXPECT_FLOAT_EQ(gScale, 0.5f);
    EXPECT_EQ(in.lblAlphabet[1]->width(), 25);  // 382.5 twips cut to whole pixels
    EXPECT_EQ(in.lblshow[1]->width(), 25);
    EXPECT_EQ(in.cmdEar->toolButtonStyle(), Qt::ToolButtonIconOnly);  // small faces without captions
    EXPECT_EQ(shownCells(g), QStringLiteral("--o-"));
    EXPECT_TRUE(in.RoundActive());
    EXPECT_TRUE(in.PirateLeft->hasScaledContents());  // pictures stretch away from the design size
}

TEST_F(GameWindowTest, ButtonFacesFollowTheScaleAndKeepTheirAccessKeys) {
    frmHangman* g = open(activity::TreasureRequested);
    auto in = probe(g);
    EXPECT_EQ(in.cmdEar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(in.cmdAgain->picture().size(), QSize(32, 48));
    gScale = 0.74f;
    in.SetButtonFaces();
    EXPECT_EQ(in.cmdEar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_EQ(in.cmdMenu->picture().size(), QSize(16, 24));
    // The caption no longer drawn still gives the button its key.
    g->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(g));
    ASSERT_TRUE(in.cmdEar->isEnabled());
    QSignalSpy hear(in.cmdEar, &QAbstractButton::clicked);
    QTest::keyClick(g->windowHandle(), Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(hear.count(), 1);
}

TEST_F(GameWindowTest, ListFailuresShowTheirMessageAndGoBackToTheMenu) {
    const QString crlf = QStringLiteral("\r\n");
    struct Case {
        QByteArray content;  // empty: no file
        const char* tail;
    } cases[] = {
        {"hen\r\n*WORDLIST*\r\ncat\r\ndog\r\npig\r\nfox\r\n", "is not a suitable wordlist file."},
        {"*WORDLIST*\r\ncat\r\nox\r\ndog\r\npig\r\n", "does not contain enough words."},
        {QByteArray(), "does not contain enough words."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail);
        const QString path = own.path() + QStringLiteral("/WORDLIST/01PIP.TXT");
        QFile::remove(path);
        if (!c.content.isEmpty())
            own.write(QStringLiteral("WORDLIST/01PIP.TXT"), c.content);
        boxes.clear();
        boxes.answer(mb::OK);
        gActivityLog.clear();
        const int menus = menuOpened;
        frmHangman* g = open(activity::Slide);
        ASSERT_EQ(boxes.msgBoxes().size(), 1u);
        const auto box = boxes.msgBoxes().front();
        EXPECT_EQ(box.icon(), mb::Exclamation);
        EXPECT_TRUE(box.text.startsWith(QStringLiteral("The file") + crlf + crlf));
        EXPECT_TRUE(box.text.endsWith(crlf + crlf + QString::fromLatin1(c.tail)));
        EXPECT_TRUE(box.text.contains(QStringLiteral("/WORDLIST/01PIP.TXT"), Qt::CaseInsensitive));
        EXPECT_TRUE(g->isUnloaded());
        EXPECT_EQ(menuOpened, menus + 1);
        EXPECT_TRUE(gActivityLog.startsWith(QStringLiteral("   Slide   ")));  // its line all the same
    }
}

TEST_F(GameWindowTest, OpenAnotherListOrCancel) {
    writeList({"frog", "frog", "frog", "frog"});
    writeList({"bear", "bear", "bear", "bear"}, QStringLiteral("12BEAR"));
    frmHangman* g = open(activity::TreasureRequested);
    auto in = probe(g);
    EXPECT_TRUE(in.mnuFileOpen->isEnabled());
    type(g, QStringLiteral("f"));

    auto chooseRow = [](int row) {
        QTimer::singleShot(0, [row] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* d = qobject_cast<frmGetfile*>(w); d && !d->isUnloaded()) {
                    if (row < 0) {
                        click(d->cmdNo);
                    } else {
                        d->list->setCurrentRow(row);
                        click(d->cmdYes);
                    }
                }
            }
        });
    };
    chooseRow(-1);
    choose(in.mnuFileOpen);
    EXPECT_EQ(in.TheWord(), QStringLiteral("frog"));  // the round goes on
    EXPECT_EQ(in.RightCount(), 1);

    // The rows are in file order: 01PIP, 08FROG, 12BEAR.
    chooseRow(2);
    choose(in.mnuFileOpen);
    ASSERT_FALSE(g->isUnloaded());
    EXPECT_EQ(gWordListName, QStringLiteral("12BEAR"));
    EXPECT_EQ(g->caption(), GetBookTitle(QStringLiteral("12BEAR")));
    EXPECT_EQ(in.TheWord(), QStringLiteral("bear"));
    EXPECT_EQ(in.RightCount(), 0);
}

TEST_F(GameWindowTest, LeavingWritesTheActivityLine) {
    struct Case {
        int activity;
        double minutes;
        int stepSeconds;  // the clock of the day set on or back by this halfway through
        const char* tail;
    } cases[] = {
        {activity::TreasureRequested, 9 * 60, 0, "  9 mins\r\n"},
        {activity::Slide, 99 * 60, 0, " 99 mins\r\n"},
        {activity::TreasureRequested, 100 * 60, 0, "100 mins\r\n"},
        {activity::Slide, 60, 0, "  1 min\r\n"},
        {activity::Slide, 60, -3600, "  1 min\r\n"},
        {activity::TreasureRequested, 9 * 60, 3600, "  9 mins\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stepSeconds);
        gActivityLog.clear();
        frmHangman* g = open(c.activity);
        clock.advance(c.minutes / 2);
        clock.setNow(clock.now().addSecs(c.stepSeconds));
        clock.advance(c.minutes / 2);
        const int menus = menuOpened;
        click(probe(g).cmdMenu);
        EXPECT_TRUE(g->isUnloaded());
        EXPECT_EQ(menuOpened, menus + 1);
        const QString name = c.activity == activity::TreasureRequested ? QStringLiteral("   Treasure")
                                                                       : QStringLiteral("   Slide   ");
        EXPECT_EQ(gActivityLog, name + QString(35, u' ') + QString::fromLatin1(c.tail));
    }
}

TEST_F(GameWindowTest, HelpAndMenus) {
    frmHangman* g = open(activity::Slide);
    pullDown(probe(g).mnuHelp);
    EXPECT_EQ(probe(g).mnuHelpLocal->text(), QStringLiteral("&Help on Slide               F1"));
    QTest::keyClick(g, Qt::Key_F1);
    EXPECT_TRUE(journalOf(QStringLiteral("help")).last().contains(QStringLiteral("\t1\t130")));
    g->Unload();
    frmHangman* t = open(activity::TreasureRequested);
    pullDown(probe(t).mnuHelp);
    EXPECT_EQ(probe(t).mnuHelpLocal->text(), QStringLiteral("&Help on Treasure          F1"));
    choose(probe(t).mnuHelpLocal);
    EXPECT_TRUE(journalOf(QStringLiteral("help")).last().contains(QStringLiteral("\t1\t140")));
    QStringList guesses;
    for (size_t k = 1; k < probe(t).mnuGuess.size(); ++k)
        guesses << probe(t).mnuGuess[k]->text();
    EXPECT_EQ(guesses.first(), QStringLiteral("Allow &0 wrong"));
    EXPECT_EQ(guesses.last(), QStringLiteral("Allow &9 wrong"));
}

}  // namespace

namespace {

TEST_F(GameWindowTest, WordSoundDecidesHearAndTheSayingAtTheStart) {
    // "quoxl" has no sound in the installation: Hear is off for the round, nothing is said.
    writeList({"quoxl", "quoxl", "quoxl", "quoxl"});
    ActiveSettings.SlideFlags = 1 + 2 + 4;
    frmHangman* g = open(activity::Slide);
    EXPECT_FALSE(probe(g).cmdEar->isEnabled());
    EXPECT_FALSE(probe(g).cmdClue->isEnabled());  // no letter clue in these settings
    g->Unload();

    writeList({"frog", "frog", "frog", "frog"});
    const int plays = countSounds(QStringLiteral("MMControl1\tPlay"));
    frmHangman* s = open(activity::Slide);
    EXPECT_TRUE(probe(s).cmdEar->isEnabled());
    EXPECT_EQ(countSounds(QStringLiteral("MMControl1\tPlay")), plays + 1);  // said at the start
    click(probe(s).cmdEar);
    EXPECT_EQ(countSounds(QStringLiteral("MMControl1\tPlay")), plays + 2);
    ActiveSettings.SlideFlags = 1 + 2;  // said, but no sound clue
    type(s, QStringLiteral("frog"));
    probe(s).Timer1_Timer();  // the animation, after which Again is there
    click(probe(s).cmdAgain);
    EXPECT_FALSE(probe(s).cmdEar->isEnabled());
}

}  // namespace

#include "core/frmKest.h"

namespace {

TEST_F(GameWindowTest, InTheFrameTheLosingSoundPlaysOnceOnTheEffectsPlayer) {
    writeList({"frog", "frog", "frog", "frog"});
    frmKest* frame = testsupport::showStartedFrame();
    ASSERT_EQ(gShellReady, -1);
    gActivity = activity::TreasureRequested;
    OpenWordGameWindow();
    settle();
    auto* g = qobject_cast<frmHangman*>(frame->activeChild());
    ASSERT_NE(g, nullptr);
    auto in = probe(g);
    const QStringList opened = journalOf(QStringLiteral("sound")).filter(QStringLiteral("MM_No\tOpen"));
    ASSERT_FALSE(opened.isEmpty());
    EXPECT_TRUE(opened.last().endsWith(QStringLiteral("WAVS/DEATH.WAV"), Qt::CaseInsensitive));

    type(g, QStringLiteral("x"));
    choose(in.mnuGuess[1]);
    EXPECT_FALSE(in.RoundActive());
    EXPECT_EQ(countSounds(QStringLiteral("MM_No\tPlay")), 1);
    g->resize(g->width() - 40, g->height() - 30);  // a resize draws the loss again, silently
    settle();
    EXPECT_EQ(countSounds(QStringLiteral("MM_No\tPlay")), 1);

    choose(in.mnuMenu);
    EXPECT_EQ(frame->caption(), QStringLiteral("Kestrow Menu"));
    EXPECT_TRUE(gActivityLog.startsWith(QStringLiteral("   Treasure")));
}

}  // namespace
