// The book window in Reading: every page of the sample books forward and back, the page
// buttons, the placements at several scales, the measured words, the font step-down, the
// preload, the activity line, busy refusals, F1, the menus and the roads back to the menu.
#include "book/frmBook.h"

#include <QAction>
#include <QFontMetricsF>
#include <QMenu>
#include <QTest>
#include <set>

#include "BookWindowFixture.h"
#include "book/BookButtonArt.h"
#include "core/Catalogue.h"
#include "core/Layout.h"
#include "platform/Boxes.h"
#include "platform/Controls.h"
#include "platform/Help.h"
#include "platform/Lang.h"
#include "platform/Paths.h"
#include "platform/Screen.h"
#include "platform/WaveDevice.h"
#include "support/BookProbe.h"
#include "support/Press.h"

using testsupport::choose;
using testsupport::click;
using testsupport::probe;
using testsupport::pullDown;

using booktest::bookOf;
using booktest::BookWindowTest;
using booktest::kOwnTitle;
using booktest::line;
using booktest::page;
using booktest::readFile;
using booktest::settle;
using booktest::shown;
using booktest::sizeForScale;

namespace {

// A control's pixel rectangle against a twip rectangle: within a pixel each way.
void expectPlaced(const QWidget* w, const TwipRect& r, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_NEAR(w->x(), r.left / 15, 1.0);
    EXPECT_NEAR(w->y(), r.top / 15, 1.0);
    EXPECT_NEAR(w->width(), r.width / 15, 1.0);
    EXPECT_NEAR(w->height(), r.height / 15, 1.0);
}

std::array<int, 5> blockOf(const frmBook* b, int i, int f) {
    auto in = probe(b);
    return {in.Book.BlockRect(1, i, f), in.Book.BlockRect(2, i, f), in.Book.BlockRect(3, i, f),
            in.Book.BlockRect(4, i, f), in.Book.BlockRect(5, i, f)};
}

std::array<int, 4> pictureOf(const frmBook* b, int j, int f) {
    auto in = probe(b);
    return {in.Book.PictureRect(1, j, f), in.Book.PictureRect(2, j, f), in.Book.PictureRect(3, j, f),
            in.Book.PictureRect(4, j, f)};
}

// What the page shows for frame f: texts, pictures, credits, page buttons and the sound.
void expectPage(frmBook* b, int f) {
    auto in = probe(b);
    SCOPED_TRACE("frame " + std::to_string(f));
    ASSERT_EQ(gFrame, f);
    int words = 0;
    for (int i = 1; i <= in.MaxBlocks; ++i) {
        const bool present = in.Book.BlockRect(1, i, f) > 0;
        EXPECT_EQ(shown(in.label[size_t(i)]), present) << "label " << i;
        if (present) {
            EXPECT_EQ(in.label[size_t(i)]->Caption(), in.Book.BlockText(i, f));
            words += int(lang::Trim(in.Book.BlockText(i, f)).split(u' ', Qt::SkipEmptyParts).size());
        }
    }
    EXPECT_EQ(in.FrameWordCount(), words);
    for (int j = 1; j <= in.MaxPictures; ++j) {
        const bool present = in.Book.PictureRect(1, j, f) > 0;
        EXPECT_EQ(shown(in.picframe[size_t(j)]), present) << "picture " << j;
        if (present) {
            EXPECT_FALSE(in.picframe[size_t(j)]->picture().isNull()) << "picture " << j;
        }
    }
    EXPECT_EQ(shown(in.lblCredits), f == 1);
    EXPECT_EQ(shown(in.cmdBack), f != 1);
    EXPECT_EQ(shown(in.cmdNext), f != gFrameCount);
    EXPECT_EQ(shown(in.cmdRestart), f == gFrameCount);
    EXPECT_TRUE(shown(in.cmdMenu));
    EXPECT_TRUE(shown(in.cmdEar));
    EXPECT_FALSE(shown(in.cmdEarSmall));
    EXPECT_FALSE(shown(in.cmdCancel));
    // The sentence sound is open and waits for "Hear".
    const QString sound = resolvePath(gDataRoot, booklayout::sentenceSoundFileName(gBookCode, f));
    EXPECT_EQ(in.MMControl1->FileName, sound);
    EXPECT_EQ(in.MMControl1->Mode(), mci::ModeStop);
}

}  // namespace

// ---- pages ----

TEST_F(BookWindowTest, EverySamplePageForwardAndBackWithItsButtons) {
    for (const QString& code : booktest::sampleBooks()) {
        SCOPED_TRACE(code.toStdString());
        gBookCode = code;
        frmBook* b = openBook();
        auto in = probe(b);
        ASSERT_FALSE(b->isUnloaded());
        ASSERT_GE(gFrameCount, 3);
        EXPECT_EQ(b->caption(), GetBookTitle(code));
        expectPage(b, 1);
        for (int f = 2; f <= gFrameCount; ++f) {
            click(in.cmdNext);
            expectPage(b, f);
        }
        // The last page shows Start in place of Next, the first no Back (expectPage sees to it).
        for (int f = gFrameCount - 1; f >= 1; --f) {
            click(in.cmdBack);
            expectPage(b, f);
        }
        for (int f = 2; f <= gFrameCount; ++f)
            click(in.cmdNext);
        click(in.cmdRestart);
        expectPage(b, 1);
        b->Unload();
        booktest::closeAllWindows();
    }
}

TEST_F(BookWindowTest, TitlePageCentresTheTitleAndShowsTheCredits) {
    frmBook* b = openBook();
    auto in = probe(b);
    const QString title = in.Book.BlockText(1, 1);
    const double w = in.TextWidth(title);
    Label* l = in.label[1];
    EXPECT_NEAR(l->width(), w / 15, 1.0);
    EXPECT_NEAR(l->x() + l->width() / 2.0, 5160.0 / 15, 1.5);  // centred on 5160 twips
    EXPECT_EQ(in.lblCredits->Caption(),
              QStringLiteral("Story ") + gAuthor + QStringLiteral(".    Pictures by ") + gIllustrator + u'.');
    EXPECT_NEAR(in.lblCredits->font().pointSizeF(), 8.25, 0.01);
    expectPlaced(in.lblCredits, booklayout::kCredits, "credits");
}

TEST_F(BookWindowTest, PlacementsFollowTheScaleFactors) {
    struct Case {
        double sx, sy;
    } cases[] = {{1, 1}, {0.8, 0.8}, {0.6, 0.6}, {0.8, 0.6}, {1.5, 1.25}};
    for (const Case& c : cases) {
        SCOPED_TRACE("scale " + std::to_string(c.sx) + " x " + std::to_string(c.sy));
        frmBook* b = openBook(sizeForScale(c.sx, c.sy));
        auto in = probe(b);
        const double sx = gScaleX, sy = gScaleY, s = gScale;
        EXPECT_NEAR(sx, c.sx, 0.01);
        EXPECT_NEAR(sy, c.sy, 0.01);
        for (int f : {1, 2, 4}) {  // the title, a page with one picture, a page with two
            while (gFrame < f)
                click(in.cmdNext);
            SCOPED_TRACE("frame " + std::to_string(f));
            for (int j = 1; j <= in.MaxPictures; ++j) {
                if (in.Book.PictureRect(1, j, f) <= 0)
                    continue;
                ImageBox* p = in.picframe[size_t(j)];
                EXPECT_EQ(p->Stretch(), s != 1.0f);
                if (p->Stretch()) {
                    expectPlaced(p, booklayout::stretchedPictureRect(pictureOf(b, j, f), sx, sy, s, f == 1 && j == 1),
                                 "stretched picture");
                } else {
                    // Its own size at its unscaled place.
                    EXPECT_EQ(p->pos(), QPoint(in.Book.PictureRect(1, j, f) / 15, in.Book.PictureRect(2, j, f) / 15));
                    EXPECT_EQ(p->size(), p->picture().size());
                }
            }
            for (int i = 1; i <= in.MaxBlocks; ++i) {
                if (in.Book.BlockRect(1, i, f) <= 0 || f == 1)
                    continue;
                expectPlaced(in.label[size_t(i)], booklayout::blockLabelRect(blockOf(b, i, f), sx, sy), "label");
                EXPECT_NEAR(in.label[size_t(i)]->font().pointSizeF(), in.BookFontSize * s, 0.01);
            }
            if (f == 1) {
                EXPECT_NEAR(in.label[1]->x() + in.label[1]->width() / 2.0, 5160 * sx / 15, 1.5);
            }
        }
        expectPlaced(in.cmdNext, scaledTwips(booklayout::kNextPlace, sx, sy), "Next");
        expectPlaced(in.cmdBack, scaledTwips(booklayout::kBackPlace, sx, sy), "Back");
        expectPlaced(in.cmdEar, scaledTwips(booklayout::kEarPlace, sx, sy), "Hear");
        expectPlaced(in.cmdMenu, scaledTwips(booklayout::kMenuPlace, sx, sy), "Menu");
        expectPlaced(in.shpmargin, scaledTwips(layout::kMargin, sx, sy), "margin");
        EXPECT_NEAR(in.linmargin->x(), 705 * sx / 15, 1.0);
        b->Unload();
        booktest::closeAllWindows();
    }
}

TEST_F(BookWindowTest, LargeScaleCoordinatesBeyondSixteenBits) {
    useOwnBook(booktest::smallBook());
    frmBook* b = openBook(sizeForScale(4.5, 4.5));
    auto in = probe(b);
    click(in.cmdNext);  // 8160-twip blocks are 36720 twips wide at this scale
    const TwipRect label = booklayout::blockLabelRect(blockOf(b, 1, 2), gScaleX, gScaleY);
    ASSERT_GT(label.width, 32767.0);
    expectPlaced(in.label[1], label, "label");
    expectPlaced(in.picframe[1], booklayout::stretchedPictureRect(pictureOf(b, 1, 2), gScaleX, gScaleY, gScale, false),
                 "picture");
    EXPECT_GT(in.FrameWordCount(), 0);
    EXPECT_GT(in.Words.FrameWordLeft.back(), in.Words.FrameWordLeft.front());
}

TEST_F(BookWindowTest, ResizingLaysTheSamePageOutAgainAndSwitchesTheButtonPictures) {
    useOwnBook(booktest::smallBook());
    frmBook* b = openBook(sizeForScale(1, 1));
    auto in = probe(b);
    click(in.cmdNext);
    click(in.cmdNext);
    const struct {
        GraphicalButton* button;
        int cell;
        const char* caption;
    } rows[] = {{in.cmdBack, bookbuttonart::cell::Back, "&Back"},     {in.cmdNext, bookbuttonart::cell::Next, "&Next"},
                {in.cmdRestart, bookbuttonart::cell::Start, "&Start"}, {in.cmdEar, bookbuttonart::cell::Hear, "&Hear"},
                {in.cmdEarSmall, bookbuttonart::cell::Clue, "&Clue"},  {in.cmdMenu, bookbuttonart::cell::Menu, "&Menu"}};
    auto expectButtons = [&](bool big) {
        for (const auto& r : rows) {
            SCOPED_TRACE(r.caption);
            EXPECT_EQ(r.button->Caption(), QString::fromLatin1(r.caption));  // its access key at every size
            EXPECT_EQ(r.button->captionDrawn(), big);
            EXPECT_EQ(r.button->picture(), bookbuttonart::stripCell(big ? in.picclipbig : in.picclipsmall, r.cell));
            EXPECT_FALSE(r.button->icon().isNull());
        }
        EXPECT_EQ(in.cmdCancel->Caption(), QStringLiteral("&Stop"));  // at every size
    };
    expectButtons(true);

    resizeBook(b, sizeForScale(0.6, 0.6));
    EXPECT_NEAR(gScale, 0.6, 0.01);
    EXPECT_EQ(gFrame, 3);
    expectPlaced(in.label[1], booklayout::blockLabelRect(blockOf(b, 1, 3), gScaleX, gScaleY), "label after resize");
    expectButtons(false);

    resizeBook(b, sizeForScale(1, 1));
    EXPECT_EQ(gFrame, 3);
    expectButtons(true);
    EXPECT_EQ(gRelayout, 0);
}

// ---- words ----

TEST_F(BookWindowTest, MeasuredWordsRunLeftToRightWithTheirMarksInside) {
    for (const QString& code : {QStringLiteral("01PIP"), QStringLiteral("12BEAR")}) {
        SCOPED_TRACE(code.toStdString());
        gBookCode = code;
        frmBook* b = openBook();
        auto in = probe(b);
        for (int f = 2; f <= 4; ++f) {
            click(in.cmdNext);
            SCOPED_TRACE("frame " + std::to_string(f));
            const booklayout::FrameWordTable& w = in.Words;
            int n = 0;
            for (int i = 1; i <= in.MaxBlocks; ++i) {
                Label* l = in.label[size_t(i)];
                if (l->isHidden())
                    continue;
                const QString line = l->Caption();
                const int count = int(line.split(u' ', Qt::SkipEmptyParts).size());
                for (int k = n; k < n + count; ++k) {
                    EXPECT_EQ(w.FrameWordTop[k], l->y() * 15);
                    EXPECT_NEAR(w.FrameWordHeight[k], QFontMetricsF(l->font()).height() * 15, 1.0);
                    EXPECT_GE(w.FrameWordMarkLeft[k], w.FrameWordLeft[k]);
                    EXPECT_LE(w.FrameWordMarkLeft[k] + w.FrameWordMarkWidth[k], w.FrameWordLeft[k] + w.FrameWordWidth[k]);
                    EXPECT_GT(w.FrameWordMarkWidth[k], 0);
                    if (k > n) {
                        EXPECT_GE(w.FrameWordLeft[k], w.FrameWordLeft[k - 1] + w.FrameWordWidth[k - 1]);
                    }
                }
                // The words start at the label and end where the label's own font ends the line.
                EXPECT_EQ(w.FrameWordLeft[n], l->x() * 15);
                const int last = n + count - 1;
                EXPECT_NEAR(w.FrameWordLeft[last] + w.FrameWordWidth[last],
                            l->x() * 15 + QFontMetricsF(l->font()).horizontalAdvance(line) * 15, 20.0);
                n += count;
            }
            EXPECT_EQ(in.FrameWordCount(), n);
        }
        b->Unload();
        booktest::closeAllWindows();
    }
}

TEST_F(BookWindowTest, QuotesAndPunctuationStayOutsideTheMarks) {
    useOwnBook(bookOf({page({kOwnTitle}), page({line(4500, QStringLiteral("\"I'm too hot,\" says Bear."))})}));
    frmBook* b = openBook();
    auto in = probe(b);
    click(in.cmdNext);
    const booklayout::FrameWordTable& w = in.Words;
    ASSERT_GE(w.FrameWordCount(), 5);
    EXPECT_GT(w.FrameWordMarkLeft[0], w.FrameWordLeft[0]);  // the opening quote is left out
    EXPECT_NEAR(w.FrameWordMarkLeft[0] - w.FrameWordLeft[0], in.TextWidth(w.FrameWords[0].left(1)), 1.0);
    EXPECT_NEAR(w.FrameWordMarkWidth[2], in.TextWidth(QStringLiteral("hot")), 1.0);  // hot," marked as hot
    EXPECT_NEAR(w.FrameWordMarkWidth[4], in.TextWidth(QStringLiteral("Bear")), 1.0);  // Bear. marked as Bear
}

TEST_F(BookWindowTest, ALineTooWideShrinksTheFontTwoPointsAtATime) {
    const QString longLine = QStringLiteral("This line is far too long for the narrow label it has");
    useOwnBook(bookOf({page({kOwnTitle}, {{2460, 1320, 4200, 3750, QStringLiteral("COVER")}}),
                       page({line(4500, longLine, 3000), line(5340, QStringLiteral("Short."))},
                            {{1560, 240, 4200, 3750, QStringLiteral("PIC")}})}));
    frmBook* b = openBook();
    auto in = probe(b);
    click(in.cmdNext);
    const double size = in.label[1]->font().pointSizeF();
    EXPECT_LT(size, in.BookFontSize);
    EXPECT_DOUBLE_EQ(std::fmod(in.BookFontSize - size, 2.0), 0.0);  // 2-point steps
    EXPECT_DOUBLE_EQ(in.label[2]->font().pointSizeF(), size);        // every block follows
    EXPECT_LE(in.TextWidth(longLine), in.label[1]->width() * 15);
    EXPECT_EQ(in.FrameWordCount(), 12 + 1);
    // The next page starts from the book's size again.
    click(in.cmdBack);
    EXPECT_DOUBLE_EQ(in.label[1]->font().pointSizeF(), in.BookFontSize);
}

// A tab inside a block text is shown and measured as a blank: the line is never drawn wider
// than it was measured, so a line too wide makes the font smaller instead of being cut.
TEST_F(BookWindowTest, ATabInABlockTextIsMeasuredAsTheBlankItIsShownAs) {
    const struct {
        const char* text;
        int words;
        bool smaller;  // the line is too wide at the book's size
    } cases[] = {{"Pip\tsat.", 2, false},
                 {"Pip sat\ton\t\tthe mat.", 5, true},
                 {"The dog sat on\tthe big red mat at last.", 10, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        useOwnBook(bookOf({page({kOwnTitle}), page({line(4500, QString::fromLatin1(c.text), 3000)})}));
        frmBook* b = openBook();
        auto in = probe(b);
        click(in.cmdNext);
        Label* l = in.label[1];
        ASSERT_TRUE(l->isVisible());
        // The label needs no more room to draw its text than it has.
        EXPECT_LE(l->sizeHint().width(), l->width());
        EXPECT_EQ(in.FrameWordCount(), c.words);
        EXPECT_EQ(l->font().pointSizeF() < in.BookFontSize, c.smaller);
        const booklayout::FrameWordTable& w = in.Words;
        const int last = w.FrameWordCount() - 1;
        EXPECT_LE(w.FrameWordLeft[last] + in.TextWidth(lang::Trim(w.FrameWords[last])), l->x() * 15 + l->width() * 15);
        booktest::closeAllWindows();
    }
}

TEST_F(BookWindowTest, ALineThatNeverFitsStopsAtOnePoint) {
    useOwnBook(bookOf({page({kOwnTitle}),
                       page({line(4500, QStringLiteral("Nothing fits in two pixels at all"), 30)})}));
    frmBook* b = openBook();
    auto in = probe(b);
    click(in.cmdNext);
    EXPECT_EQ(gFrame, 2);
    EXPECT_DOUBLE_EQ(in.label[1]->font().pointSizeF(), 1.0);
    EXPECT_DOUBLE_EQ(in.fontSize(), 1.0);
    EXPECT_EQ(in.FrameWordCount(), 7);  // laid out as it is, overflowing
}

TEST_F(BookWindowTest, TheBookFontIsFittedToTheTitleBlockAtLoad) {
    useOwnBook(bookOf({page({kOwnTitle}), page({line(4500, QStringLiteral("Hi."))})}, 200));
    frmBook* b = openBook();
    auto in = probe(b);
    ASSERT_LT(in.BookFontSize, 200);
    auto heightAt = [&](int points) {
        QFont f = in.label[1]->font();
        f.setPointSizeF(points);
        return QFontMetricsF(f).height() * 15;
    };
    EXPECT_LE(heightAt(in.BookFontSize), 780);
    EXPECT_GT(heightAt(in.BookFontSize + 1), 780);
}

TEST_F(BookWindowTest, TheTeachersTextFontIsTheFontShownAndMeasured) {
    useOwnBook(booktest::smallBook());
    QString family;
    for (const char* name : {"Liberation Serif", "DejaVu Serif", "Liberation Mono", "DejaVu Sans Mono"}) {
        family = screen::fontFamilyFor(QLatin1String(name));
        if (!family.isEmpty() && family != screen::fontFamilyFor(QStringLiteral("Arial")))
            break;
        family.clear();
    }
    if (family.isEmpty())
        GTEST_SKIP() << "no font other than Arial's is installed";
    ActiveSettings.TextFont.setText(family);
    frmBook* b = openBook();
    auto in = probe(b);
    click(in.cmdNext);
    auto expectShownAsMeasured = [&] {
        EXPECT_EQ(in.fontName().toStdString(), family.toStdString());
        for (int i = 1; i <= 2; ++i) {
            SCOPED_TRACE("label " + std::to_string(i));
            EXPECT_EQ(in.label[size_t(i)]->font().family().toStdString(), family.toStdString());
            EXPECT_EQ(in.text[size_t(i)]->font().family().toStdString(), family.toStdString());
        }
        // The first word's rectangle is as wide as the label draws it.
        ASSERT_GT(in.FrameWordCount(), 0);
        const QFontMetricsF shown(in.label[1]->font());
        EXPECT_NEAR(in.Words.FrameWordWidth[0], shown.horizontalAdvance(in.Words.FrameWords[0]) * 15, 15.0);
    };
    expectShownAsMeasured();
    resizeBook(b, sizeForScale(0.8, 0.8));  // the layout runs again
    expectShownAsMeasured();
    EXPECT_EQ(in.lblCredits->font().family().toStdString(), screen::fontFamilyFor(QStringLiteral("Arial")).toStdString());
}

// ---- preload ----

TEST_F(BookWindowTest, ThePreloadedPictureServesTheNextPageOnFewColourDisplays) {
    gColourBits = 8;
    frmBook* b = openBook();
    auto in = probe(b);
    EXPECT_EQ(in.PreloadedPictureName, QStringLiteral("COLPIP02"));
    ASSERT_FALSE(in.ImageNext.isNull());
    const QImage preloaded = in.ImageNext;
    click(in.cmdNext);
    EXPECT_EQ(in.picframe[1]->picture().toImage().convertToFormat(QImage::Format_RGB32),
              preloaded.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(in.PreloadedPictureName, QStringLiteral("COLPIP03"));

    booktest::closeAllWindows();
    gColourBits = 24;
    b = openBook();
    EXPECT_EQ(probe(b).PreloadedPictureName, QString());  // more than 256 colours: nothing read ahead
    EXPECT_TRUE(probe(b).ImageNext.isNull());
}

TEST_F(BookWindowTest, AFailedPreloadNeverLeavesAPageWithoutItsPicture) {
    useOwnBook(bookOf({page({kOwnTitle}, {{2460, 1320, 4200, 3750, QStringLiteral("COVER")}}, QStringLiteral("AAA")),
                       page({line(4500, QStringLiteral("Page two."))}, {{1560, 240, 4200, 3750, QStringLiteral("AAA")}},
                            QStringLiteral("GONE")),
                       page({line(4500, QStringLiteral("Page three."))},
                            {{1560, 240, 4200, 3750, QStringLiteral("AAA")}})}),
               {QStringLiteral("GONE")});
    gColourBits = 8;
    frmBook* b = openBook();
    auto in = probe(b);
    EXPECT_EQ(in.PreloadedPictureName, QStringLiteral("AAA"));
    click(in.cmdNext);  // the preload of GONE finds no file
    EXPECT_EQ(in.PreloadedPictureName, QString());
    click(in.cmdNext);  // AAA again: read from its file, not from the emptied preload
    ASSERT_TRUE(shown(in.picframe[1]));
    EXPECT_FALSE(in.picframe[1]->picture().isNull());
    EXPECT_EQ(in.picframe[1]->picture().size(), QSize(280, 250));
}

// ---- activation, closing, the activity line ----

TEST_F(BookWindowTest, OnlyTheFirstActivationTurnsToTheTitlePage) {
    useOwnBook(booktest::smallBook());
    frmBook* b = openBook();
    EXPECT_EQ(gFrame, 1);
    click(probe(b).cmdNext);
    b->hide();  // as when a dialog or another window takes over
    b->show();
    settle();
    EXPECT_EQ(gFrame, 2);
}

TEST_F(BookWindowTest, TheActivityLineOfAShortAndALongerVisit) {
    const QString padded = (GetBookTitle(QStringLiteral("01PIP")) + QString(30, u' ')).left(30);
    ASSERT_FALSE(lang::Trim(padded).isEmpty());
    struct Case {
        double seconds;
        int stepSeconds;  // the clock of the day set on or back by this halfway through
        QString minutes;
    } cases[] = {
        {9, 0, QStringLiteral("  0 mins")},
        {70, 0, QStringLiteral("  2 mins")},
        {9, -3600, QStringLiteral("  0 mins")},
        {70, 3600, QStringLiteral("  2 mins")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stepSeconds);
        gActivityLog.clear();
        frmBook* b = openBook();
        clock.advance(c.seconds / 2);
        clock.setNow(clock.now().addSecs(c.stepSeconds));
        clock.advance(c.seconds / 2);
        ASSERT_EQ(probe(b).MMControl1->Mode(), mci::ModeStop);
        ASSERT_TRUE(b->Unload());
        EXPECT_EQ(gActivityLog, QStringLiteral("   Reading     ") + padded + u' ' + c.minutes + QStringLiteral("\r\n"));
        EXPECT_EQ(probe(b).MMControl1->Mode(), mci::ModeNotOpen);  // the sounds close with the window
        EXPECT_TRUE(journalOf(QStringLiteral("sound")).filter(QStringLiteral("MMControl2")).last().contains(
            QStringLiteral("\tClose")));
        booktest::closeAllWindows();
    }
}

TEST_F(BookWindowTest, MenuButtonClosesTheBookAndShowsTheMainMenu) {
    useOwnBook(booktest::smallBook());
    frmBook* b = openBook();
    click(probe(b).cmdNext);
    click(probe(b).cmdMenu);
    EXPECT_TRUE(b->isUnloaded());
    EXPECT_EQ(menuOpened, 1);
    EXPECT_TRUE(gActivityLog.startsWith(QStringLiteral("   Reading     ")));
    EXPECT_EQ(mouse::pointer(), mouse::Default);
}

TEST_F(BookWindowTest, WhileBusyTheButtonsMenusAndCloseBoxRefuseWithABeep) {
    useOwnBook(booktest::smallBook());
    frmBook* b = openBook();
    auto in = probe(b);
    click(in.cmdNext);
    gBusy = 1;
    const int beepsBefore = int(journalOf(QStringLiteral("beep")).size());
    click(in.cmdNext);
    click(in.cmdBack);
    EXPECT_EQ(gFrame, 2);
    gBusy = 0;
    click(in.cmdNext);  // the last page, with Start
    gBusy = 1;
    click(in.cmdRestart);
    EXPECT_EQ(gFrame, 3);
    click(in.cmdMenu);
    choose(in.mnuMenu);
    EXPECT_NO_THROW(choose(in.mnuExit));
    EXPECT_FALSE(b->close());
    EXPECT_FALSE(b->Unload());
    EXPECT_FALSE(b->isUnloaded());
    EXPECT_EQ(menuOpened, 0);
    EXPECT_TRUE(gActivityLog.isEmpty());
    EXPECT_EQ(int(journalOf(QStringLiteral("beep")).size()) - beepsBefore, 8);

    gBusy = 0;
    click(in.cmdBack);
    EXPECT_EQ(gFrame, 2);
    EXPECT_TRUE(b->Unload());
}

TEST_F(BookWindowTest, ExitEndsTheProgram) {
    useOwnBook(booktest::smallBook());
    frmBook* b = openBook();
    try {
        choose(probe(b).mnuExit);
        FAIL() << "Exit did not end the program";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.status, 0);
    }
}

// ---- keys and help ----

TEST_F(BookWindowTest, F1OpensTheActivitysHelpWhereverTheFocusIs) {
    useOwnBook(booktest::smallBook());
    frmBook* b = openBook();
    auto in = probe(b);
    click(in.cmdNext);
    QWidget* targets[] = {b, in.cmdNext, in.cmdBack, in.cmdEar, in.cmdMenu, in.label[1], in.picframe[1]};
    int helps = 0;
    for (QWidget* w : targets) {
        QTest::keyClick(w, Qt::Key_F1);
        const QStringList h = journalOf(QStringLiteral("help"));
        ASSERT_EQ(int(h.size()), ++helps) << w->metaObject()->className();
        EXPECT_TRUE(h.last().endsWith(QStringLiteral("\t1\t90"))) << h.last().toStdString();
    }
    QTest::keyClick(in.cmdNext, Qt::Key_F2);  // other keys are left alone
    EXPECT_EQ(int(journalOf(QStringLiteral("help")).size()), helps);
    EXPECT_EQ(gFrame, 2);
    booktest::closeAllWindows();

    gActivity = activity::Writing;  // Writing: its own topic, with the focus in a text box
    b = openBook();
    QTest::keyClick(probe(b).TextTitle, Qt::Key_F1);
    EXPECT_TRUE(journalOf(QStringLiteral("help")).last().endsWith(QStringLiteral("\t1\t100")));
}

TEST_F(BookWindowTest, HelpItemsAndTheirCaptions) {
    useOwnBook(booktest::smallBook());
    frmBook* b = openBook();
    auto in = probe(b);
    EXPECT_EQ(in.mnuHelpLocal->text(), QStringLiteral("&Help on whatever"));
    pullDown(in.mnuHelp);
    EXPECT_EQ(in.mnuHelpLocal->text(), QStringLiteral("&Help on Reading             F1"));
    in.mnuHelpLocal->trigger();
    in.mnuHelpContents->trigger();
    in.mnuHelpSearch->trigger();
    const QStringList h = journalOf(QStringLiteral("help"));
    ASSERT_EQ(h.size(), 3);
    EXPECT_TRUE(h[0].endsWith(QStringLiteral("\t1\t90")));
    EXPECT_TRUE(h[1].endsWith(QStringLiteral("\t3\t0")));
    EXPECT_TRUE(h[2].endsWith(QStringLiteral("\t261\t0")));
    EXPECT_TRUE(h[0].contains(QStringLiteral("Reader.hlp")));
}

// ---- menus and the activity table ----

TEST_F(BookWindowTest, MenusCarryTheirCaptionsInOrder) {
    useOwnBook(booktest::smallBook());
    frmBook* b = openBook();
    auto in = probe(b);
    QStringList file;
    for (QAction* a : in.mnuFile->actions())
        file << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(file, (QStringList{"&Open", "&Save", "Save &As...", "-", "To &menu", "-", "E&xit"}));
    QStringList helpItems;
    for (QAction* a : in.mnuHelp->actions())
        helpItems << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(helpItems, (QStringList{"&Help on whatever", "&Contents", "&Search for help on...", "-",
                                      "&About Kestrow Readers ..."}));
    EXPECT_EQ(in.mnuFile->title(), QStringLiteral("&File"));
    EXPECT_EQ(in.mnuHelp->title(), QStringLiteral("H&elp"));
    EXPECT_EQ(in.mnuPrint->title(), QStringLiteral("&Print"));
    EXPECT_EQ(in.mnuPlayAll->text(), QStringLiteral("&Tell story"));
}

TEST_F(BookWindowTest, ReadingFollowsItsSettings) {
    useOwnBook(booktest::smallBook());
    struct Case {
        int16_t hear, print, tell;
    } cases[] = {{-1, -1, -1}, {0, 0, 0}, {-1, 0, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.hear) + " " + std::to_string(c.print) + " " + std::to_string(c.tell));
        ActiveSettings.ReadHearSentence = c.hear;
        ActiveSettings.ReadPrint = c.print;
        ActiveSettings.ReadTellStory = c.tell;
        frmBook* b = openBook();
        auto in = probe(b);
        EXPECT_EQ(shown(in.cmdEar), c.hear != 0);
        EXPECT_FALSE(shown(in.cmdEarSmall));
        EXPECT_EQ(in.mnuPrint->menuAction()->isEnabled(), c.print != 0);
        EXPECT_TRUE(in.mnuPrint->menuAction()->isVisible());
        EXPECT_EQ(in.mnuPlayAll->isEnabled(), c.tell != 0);
        for (QAction* a : {in.mnuFileOpen, in.mnuFileSave, in.mnuFileSaveAs, in.mnuBlank, in.mnuBlank4,
                           in.mnuPrintStory, in.mnuScale})
            EXPECT_FALSE(a->isVisible()) << a->text().toStdString();
        EXPECT_FALSE(shown(in.Cloze));
        EXPECT_FALSE(shown(b->yellowfudge));
        b->Unload();
        booktest::closeAllWindows();
    }
}

TEST_F(BookWindowTest, WritingWithSpeechSwitchedOffHidesHearAndTellStory) {
    useOwnBook(booktest::smallBook());
    gActivity = activity::Writing;
    GlobalSettings.SpeechDisabled = -1;
    ActiveSettings.WriteSaveLoad = 0;
    frmBook* b = openBook();
    auto in = probe(b);
    EXPECT_FALSE(shown(in.cmdEar));
    EXPECT_FALSE(in.mnuPlayAll->isEnabled());
    for (QAction* a : {in.mnuFileOpen, in.mnuFileSave, in.mnuFileSaveAs}) {
        EXPECT_TRUE(a->isVisible());
        EXPECT_FALSE(a->isEnabled());
    }
    EXPECT_TRUE(in.mnuPrintStory->isVisible());
    pullDown(in.mnuHelp);
    EXPECT_EQ(in.mnuHelpLocal->text(), QStringLiteral("&Help on Writing             F1"));
}

TEST_F(BookWindowTest, WritingShowsTextBoxesFramedOnePixelWide) {
    useOwnBook(booktest::smallBook());
    gActivity = activity::Writing;
    frmBook* b = openBook();
    auto in = probe(b);
    // The title page: only the title box.
    EXPECT_TRUE(shown(in.TextTitle));
    EXPECT_EQ(in.TextTitle->Text(), in.Book.BlockText(1, 1));
    EXPECT_TRUE(in.TextTitle->Text().endsWith(u' '));
    EXPECT_EQ(in.LineFitMode, 2);
    for (int i = 1; i <= in.MaxBlocks; ++i) {
        EXPECT_FALSE(shown(in.text[size_t(i)]));
        EXPECT_FALSE(shown(in.label[size_t(i)]));
    }
    // A page with two blocks: a box each, framed one pixel outside.
    click(in.cmdNext);
    EXPECT_FALSE(shown(in.TextTitle));
    EXPECT_EQ(in.LineFitMode, 0);
    for (int i = 1; i <= 2; ++i) {
        TextBox* t = in.text[size_t(i)];
        EXPECT_TRUE(shown(t));
        EXPECT_EQ(t->Text(), in.Book.BlockText(i, 2));
        expectPlaced(t, booklayout::blockBoxRect(blockOf(b, i, 2), gScaleX, gScaleY), "text box");
        EXPECT_EQ(in.box[size_t(i)]->geometry(), t->geometry().adjusted(-1, -1, 1, 1));
        EXPECT_TRUE(shown(in.box[size_t(i)]));
    }
    EXPECT_EQ(in.MMControl1->FileName, QString());  // Writing speaks typed text instead
    // A page with a single block.
    click(in.cmdNext);
    EXPECT_EQ(in.LineFitMode, 2);
}

TEST_F(BookWindowTest, ClozeTypeShowsTheLabelsAndNoPageButtonsAfterTheTitle) {
    useOwnBook(booktest::smallBook());
    gActivity = activity::ClozeType;
    ActiveSettings.ClozeTypeSound = -1;
    frmBook* b = openBook();
    auto in = probe(b);
    EXPECT_FALSE(in.mnuPrint->menuAction()->isVisible());
    EXPECT_TRUE(shown(in.cmdNext));
    EXPECT_FALSE(shown(in.cmdEarSmall));  // not on the title page
    EXPECT_TRUE(shown(in.lblCredits));
    click(in.cmdNext);
    EXPECT_TRUE(shown(in.label[1]));
    EXPECT_TRUE(shown(in.label[2]));
    EXPECT_GT(in.FrameWordCount(), 0);
    EXPECT_FALSE(shown(in.cmdNext));
    EXPECT_FALSE(shown(in.cmdBack));
    EXPECT_FALSE(shown(in.cmdRestart));
    EXPECT_TRUE(shown(in.cmdEarSmall));
}

// ---- loads that cannot go on ----

TEST_F(BookWindowTest, AnUnusableWordListTakesClozeClickBackToTheMenu) {
    useOwnBook(bookOf({page({kOwnTitle}),
                       page({line(4500, QStringLiteral("One more page."))})}));  // no WORDLIST\OWN.TXT
    gActivity = activity::ClozeClick;
    boxes.answer(mb::OK);
    const QPointer<frmBook> b = openBook();
    EXPECT_TRUE(!b || b->isUnloaded());
    EXPECT_EQ(menuOpened, 1);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    // A missing list reads as one with too few words.
    EXPECT_TRUE(boxes.msgBoxes()[0].text.endsWith(QStringLiteral("does not contain enough words.")));
    EXPECT_TRUE(boxes.msgBoxes()[0].text.contains(QStringLiteral("WORDLIST")));
    EXPECT_TRUE(gActivityLog.startsWith(QStringLiteral("   Cloze-click ")));
    EXPECT_EQ(mouse::pointer(), mouse::Default);
}

TEST_F(BookWindowTest, ABookThatCannotBeReadEndsTheProgramWithItsMessage) {
    own.write(QStringLiteral("DATA/BAD.DAT"), QByteArray("\"NOT A BOOK FILE\"\r\n\"x\"\r\n"));
    own.write(QStringLiteral("TEACHER.DAT"), readFile(booktest::sampleInstallation() + QStringLiteral("/TEACHER.DAT")));
    useInstallation(own.path());
    gBookCode = QStringLiteral("BAD");
    boxes.answer(mb::OK);
    try {
        openBook();
        FAIL() << "a corrupt book did not end the program";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.status, 1);
    }
    EXPECT_EQ(menuOpened, 0);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    const auto box = boxes.msgBoxes()[0];  // a copy: msgBoxes() returns a new list
    EXPECT_EQ(box.title, QStringLiteral("Kestrow Readers"));
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Fatal error.\r\n\r\nThis data file is corrupt (bad header information):")))
        << box.text.toStdString();
    EXPECT_TRUE(box.text.contains(QStringLiteral("BAD.DAT")));
    const QStringList fatal = journalOf(QStringLiteral("fatal"));
    ASSERT_EQ(fatal.size(), 1);
    EXPECT_TRUE(fatal[0].startsWith(QStringLiteral("fatal\tbadfile\t")));
}
