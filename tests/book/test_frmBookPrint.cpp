// The book window's Print menu, printed on a recording printer: where the page's texts and
// pictures land on the printer page, the fitted font, the story sheet, and the colour choice.
#include <QAction>
#include <QImage>
#include <QMenu>

#include "BookWindowFixture.h"
#include "core/Catalogue.h"
#include "core/StartupFixture.h"
#include "core/frmNoData.h"
#include "platform/Ansi.h"
#include "platform/Boxes.h"
#include "platform/Controls.h"
#include "platform/Lang.h"
#include "platform/Printer.h"
#include "support/BookProbe.h"
#include "support/Press.h"
#include "support/RecordingPrinter.h"

using testsupport::choose;
using testsupport::click;
using testsupport::probe;
using testsupport::pullDown;

namespace {

using booktest::BookWindowTest;
using Op = testsupport::RecordingPrinter::Op;
using testsupport::ScopedPrinter;

double idiv(double a, double b) { return double(lang::IntDiv(a, b).value_or(0)); }
double rnd(double v) { return lang::RoundHalfEven(v); }

// The design-to-printer conversion worked out from the printer's page, as a person would check it.
struct Expected {
    double s, tx, ty, x0, y0;
    explicit Expected(const Printer& p) {
        tx = p.TwipsPerPixelX();
        ty = p.TwipsPerPixelY();
        const double w = rnd(p.ScaleWidth() * tx), h = rnd(p.ScaleHeight() * ty);
        s = std::min(w / 8870, h / 6630) - 0.1;
        x0 = rnd(idiv(3 * (w - 8870 * s), 4 * tx));
        y0 = rnd(idiv(h - 6630 * s, 2 * ty));
    }
    double x(double l) const { return rnd((l - 730) * s / tx + x0); }
    double y(double t) const { return rnd(t * s / ty + y0); }
    double w(double v) const { return rnd(v * s / tx); }
    double h(double v) const { return rnd(v * s / ty); }
};

// The texts with their font sizes and places, for failure messages.
std::string describe(const std::vector<Op>& ops) {
    QString out;
    for (const Op& o : ops)
        out += QString("\n  [%1] %2pt at %3,%4").arg(o.text).arg(o.fontSize).arg(o.x).arg(o.y);
    return out.toStdString();
}

bookenc::Block block(int left, int top, int width, int height, const QString& text) {
    return {left, top, width, height, left, text};
}

class BookPrintTest : public BookWindowTest {
protected:
    void SetUp() override {
        BookWindowTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        mouse::setPointer(mouse::Default);
        printer.setScaleMode(Printer::Pixels);  // the unit every expectation is in
    }

    // A title page (title and credits), a page of two lines with a colour picture and a plain
    // one, and a page of one line with a quotation.
    void useOwnBook() {
        bookenc::Frame title;
        title.blocks = {booktest::kOwnTitle, block(2100, 6120, 6150, 300, QStringLiteral("Credits line"))};
        title.marks = {0.3, 0.5};
        bookenc::Frame two;
        two.blocks = {booktest::line(4500, QStringLiteral("The frog sat on a log.")),
                      booktest::line(5340, QStringLiteral("It was wet."))};
        two.pictures = {{2400, 600, 4800, 3300, QStringLiteral("ColOwn2")}, {7400, 600, 1500, 1500, QStringLiteral("PLAIN")}};
        two.marks = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
        bookenc::Frame three;
        three.blocks = {booktest::line(4500, QStringLiteral("@Hop!@ said the frog.")), block(0, 0, 0, 0, QString()),
                        booktest::line(5340, QStringLiteral("The end."))};
        three.marks = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6};
        BookWindowTest::useOwnBook(booktest::bookOf({title, two, three}));
        // The black-and-white twin: a picture of its own size, to tell it apart.
        QImage bw(7, 5, QImage::Format_RGB32);
        bw.fill(Qt::gray);
        bw.save(own.file(QStringLiteral("BMPS/OWN/Own2BW.BMP")), "BMP");
    }

    // The texts of the only document printed, the header checked and left out.
    std::vector<Op> bodyTexts() {
        EXPECT_EQ(printer.documents().size(), 1u);
        if (printer.documents().empty())
            return {};
        const auto& doc = printer.documents()[0];
        EXPECT_EQ(doc.pages, 1);
        auto t = doc.texts();
        EXPECT_FALSE(t.empty());
        if (t.empty())
            return {};
        expectHeader(t[0]);
        t.erase(t.begin());
        return t;
    }

    void expectHeader(const Op& h) {
        EXPECT_EQ(h.text.trimmed(), QStringLiteral("Kestrow Readers"));
        EXPECT_EQ(h.fontName, QStringLiteral("Arial"));
        EXPECT_DOUBLE_EQ(h.fontSize, 8);
        EXPECT_FALSE(h.bold);
        EXPECT_DOUBLE_EQ(h.x, 0);
        EXPECT_DOUBLE_EQ(h.y, 0);
        // Its end stands one to two blanks short of the right edge.
        measure(h);
        const double blank = printer.TextWidth(QStringLiteral(" "));
        const double end = printer.TextWidth(h.text);
        EXPECT_LE(end, printer.ScaleWidth() - blank + 0.5);
        EXPECT_GT(end, printer.ScaleWidth() - 2 * blank - 0.5);
    }

    // Puts the recording printer in the font a text was printed in, to measure with it.
    void measure(const Op& o) {
        printer.setScaleMode(Printer::Pixels);
        printer.setFontName(o.fontName);
        printer.setFontSize(o.fontSize);
        printer.setFontBold(o.bold);
        printer.setFontItalic(o.italic);
    }

    std::vector<Op> pictures() const {
        std::vector<Op> out;
        for (const Op& o : printer.documents().at(0).ops)
            if (o.kind == Op::Picture)
                out.push_back(o);
        return out;
    }

    ScopedPrinter printer;
};

TEST_F(BookPrintTest, ReadingPageTextAndPicturesAtTheirDesignPlaces) {
    useOwnBook();
    frmBook* b = openAt(2);
    auto in = probe(b);
    choose(in.mnuPrintAll);
    EXPECT_EQ(gBusy, 0);
    EXPECT_EQ(mouse::pointer(), mouse::Default);
    const Expected e(printer);
    const auto t = bodyTexts();
    ASSERT_EQ(t.size(), 2u);
    for (int i = 1; i <= 2; ++i) {
        const Op& o = t[size_t(i - 1)];
        SCOPED_TRACE(o.text.toStdString());
        EXPECT_EQ(o.text, in.label[size_t(i)]->Caption());
        EXPECT_EQ(o.fontName, lang::Trim(ActiveSettings.TextFont.text()));
        measure(o);
        // Left-aligned at the label left, centred in the block's height.
        EXPECT_DOUBLE_EQ(o.x, e.x(in.Book.BlockRect(5, i, 2)));
        EXPECT_DOUBLE_EQ(o.y, e.y(in.Book.BlockRect(2, i, 2)) +
                                  idiv(e.h(in.Book.BlockRect(4, i, 2)) - printer.TextHeight(o.text), 2));
    }
    const auto pics = pictures();
    ASSERT_EQ(pics.size(), 2u);
    for (int j = 1; j <= 2; ++j) {
        const Op& p = pics[size_t(j - 1)];
        EXPECT_DOUBLE_EQ(p.x, e.x(in.Book.PictureRect(1, j, 2)));
        EXPECT_DOUBLE_EQ(p.y, e.y(in.Book.PictureRect(2, j, 2)));
        EXPECT_DOUBLE_EQ(p.w, e.w(in.Book.PictureRect(3, j, 2)));
        EXPECT_DOUBLE_EQ(p.h, e.h(in.Book.PictureRect(4, j, 2)));
        EXPECT_FALSE(p.picture.isNull());
    }
    // The page keeps the design's proportions and stays on the paper.
    EXPECT_NEAR(pics[0].w / pics[0].h, 4800.0 / 3300, 0.01);
    EXPECT_GE(e.x(730), 0);
    EXPECT_LE(e.x(9600), printer.ScaleWidth());
    EXPECT_LE(e.y(6630), printer.ScaleHeight());
}

TEST_F(BookPrintTest, ModesChooseTextPicturesOrBoth) {
    useOwnBook();
    frmBook* b = openAt(2);
    auto in = probe(b);
    // Through the menu items, as the user chooses them.
    struct Case {
        QAction* item;
        size_t texts, pictures;
    } cases[] = {{in.mnuPrintText, 3, 0}, {in.mnuPrintPic, 1, 2}, {in.mnuPrintAll, 3, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item->text().toStdString());
        c.item->trigger();
        ASSERT_EQ(printer.documents().size(), 1u);
        const auto& doc = printer.documents()[0];
        EXPECT_EQ(doc.texts().size(), c.texts);
        EXPECT_EQ(doc.ops.size() - doc.texts().size(), c.pictures);
        printer.clearDocuments();
    }
}

TEST_F(BookPrintTest, TitlePageCentresEachLineAndTheCreditsAtTheirOwnSize) {
    useOwnBook();
    frmBook* b = openAt(1);
    auto in = probe(b);
    ASSERT_FALSE(in.lblCredits->isHidden());
    choose(in.mnuPrintText);
    const Expected e(printer);
    const auto t = bodyTexts();
    // The title, the title page's second block (shown as any block is), the credits line.
    ASSERT_EQ(t.size(), 3u) << describe(t);
    const Op& title = t[0];
    measure(title);
    const double tw = printer.TextWidth(title.text), th = printer.TextHeight(title.text);
    EXPECT_DOUBLE_EQ(title.x, e.x(1500) + idiv(e.w(7320) - tw, 2));
    EXPECT_DOUBLE_EQ(title.y, e.y(300) + idiv(e.h(780) - th, 2));

    EXPECT_EQ(t[1].text, QStringLiteral("Credits line"));
    measure(t[1]);
    EXPECT_DOUBLE_EQ(t[1].x, e.x(2100) + idiv(e.w(6150) - printer.TextWidth(t[1].text), 2));

    const Op& credits = t[2];
    EXPECT_EQ(credits.text, in.lblCredits->Caption());
    EXPECT_NEAR(credits.fontSize, title.fontSize * 8.25 / in.BookFontSize, 0.25);
    measure(credits);
    EXPECT_DOUBLE_EQ(credits.x, e.x(2100) + idiv(e.w(6150) - printer.TextWidth(credits.text), 2));
    EXPECT_DOUBLE_EQ(credits.y, e.y(6120) + idiv(e.h(300) - printer.TextHeight(credits.text), 2));
}

TEST_F(BookPrintTest, OneFontSizeFitsTheReferenceLineAndTheWidestText) {
    useOwnBook();
    frmBook* b = openAt(2);
    auto in = probe(b);
    const Expected e(printer);
    const double refHeight = e.h(in.Book.BlockRect(4, 1, 1));
    const double widthLimit = 8870 * e.s / e.tx;
    struct Case {
        QString second;  // the second line's text, as the label holds it
        bool narrowed;   // whether the width rather than the height decides
    } cases[] = {{QStringLiteral("It was wet."), false},
                 {QStringLiteral("It was a very wet day and the frog sat and sat on the wet log by the pond all day."),
                  true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.second.toStdString());
        in.label[2]->setCaption(c.second);
        choose(in.mnuPrintText);
        const auto t = bodyTexts();
        ASSERT_EQ(t.size(), 2u);
        const double size = t[0].fontSize;
        EXPECT_DOUBLE_EQ(t[1].fontSize, size);
        EXPECT_EQ(int(size) % 2, 0) << "steps of 2 from 24";
        measure(t[0]);
        auto fits = [&](double points) {
            printer.setFontSize(points);
            return printer.TextHeight("Ty") < 0.76 * refHeight && printer.TextWidth(t[0].text) < widthLimit &&
                   printer.TextWidth(t[1].text) < widthLimit;
        };
        double grown = 24;
        printer.setFontSize(grown);
        while (printer.TextHeight("Tg") < 0.76 * refHeight)
            printer.setFontSize(grown += 2);
        EXPECT_TRUE(fits(size));
        EXPECT_LE(size, grown - 2);
        if (size + 2 <= grown - 2) {
            EXPECT_FALSE(fits(size + 2)) << "the largest fitting size is taken" << describe(t) << " grown " << grown
                                         << " ref " << refHeight << " limit " << widthLimit;
        }
        printer.setFontSize(size);
        EXPECT_EQ(printer.TextWidth(c.second) > 0.5 * widthLimit, c.narrowed);
        printer.clearDocuments();
    }
}

TEST_F(BookPrintTest, ATextThatCannotFitStopsAtTheSmallestSize) {
    useOwnBook();
    frmBook* b = openAt(2);
    probe(b).label[2]->setCaption(QString(3000, u'W'));
    choose(probe(b).mnuPrintText);
    const auto t = bodyTexts();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_DOUBLE_EQ(t[0].fontSize, 4);
    EXPECT_EQ(gBusy, 0);
}

TEST_F(BookPrintTest, ForcedBlackAndWhitePrintsTheTwinAndTheScreenKeepsTheColourPicture) {
    useOwnBook();
    frmBook* b = openAt(2);
    auto in = probe(b);
    const QSize colour = in.picframe[1]->picture().size();
    ASSERT_NE(colour, QSize(7, 5));
    for (int mono : {0, -1}) {
        SCOPED_TRACE(mono);
        ActiveSettings.ForceMono = int16_t(mono);
        choose(in.mnuPrintPic);
        const auto pics = pictures();
        ASSERT_EQ(pics.size(), 2u);
        EXPECT_EQ(pics[0].picture.size(), mono ? QSize(7, 5) : colour) << "ColOwn2 from Own2BW when forced";
        EXPECT_EQ(pics[1].picture.size(), colour) << "a name without COL prints its own file";
        EXPECT_EQ(in.picframe[1]->picture().size(), colour);
        printer.clearDocuments();
    }
}

// With black-and-white forced, a twin that is missing or cannot be read never brings the
// data-folder dialog (whose only way out is Quit, losing the child's work): the colour picture
// prints in its place.
TEST_F(BookPrintTest, AMissingOrUnreadableTwinPrintsTheColourPictureWithoutAsking) {
    useOwnBook();
    struct Case {
        const char* name;
        QByteArray twin;  // null: no twin file
    } cases[] = {{"missing twin", QByteArray()}, {"unreadable twin", QByteArray("not a picture")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(own.file(QStringLiteral("BMPS/OWN/Own2BW.BMP")));
        if (!c.twin.isNull())
            own.write(QStringLiteral("BMPS/OWN/Own2BW.BMP"), c.twin);
        frmBook* b = openAt(2);
        auto in = probe(b);
        const QSize colour = in.picframe[1]->picture().size();
        int asked = 0;
        // Should the dialog come, the twin appears and Try again ends it, so the test goes on.
        startuptest::whenShown(QStringLiteral("frmNoData"), [&](Form* f) {
            ++asked;
            QImage bw(7, 5, QImage::Format_RGB32);
            bw.fill(Qt::gray);
            bw.save(own.file(QStringLiteral("BMPS/OWN/Own2BW.BMP")), "BMP");
            click(static_cast<frmNoData*>(f)->cmdAgain);
        });
        ActiveSettings.ForceMono = -1;
        in.mnuPrintAll->trigger();
        EXPECT_EQ(asked, 0);
        EXPECT_TRUE(journalOf(QStringLiteral("show")).filter(QStringLiteral("frmNoData")).isEmpty());
        const auto pics = pictures();
        ASSERT_EQ(pics.size(), 2u);
        EXPECT_EQ(pics[0].picture.size(), colour) << "the colour picture in the twin's place";
        EXPECT_EQ(in.picframe[1]->picture().size(), colour);
        EXPECT_EQ(gBusy, 0);
        EXPECT_FALSE(b->isUnloaded());
        printer.clearDocuments();
        booktest::closeAllWindows();
    }
}

// A settings file may hold any non-zero value for on (a hand-edited or older file): the check
// mark, the printing and the Colour item all take it as on.
TEST_F(BookPrintTest, AnyNonZeroForceMonoIsOnForTheCheckMarkAndThePrint) {
    useOwnBook();
    frmBook* b = openAt(2);
    auto in = probe(b);
    for (int mono : {1, 2, -2, 255}) {
        SCOPED_TRACE(mono);
        ActiveSettings.ForceMono = int16_t(mono);
        pullDown(in.mnuPrint);  // the menu opens
        EXPECT_TRUE(in.mnuPrintMono->isChecked());
        EXPECT_FALSE(in.mnuPrintCol->isChecked());
        in.mnuPrintPic->trigger();
        const auto pics = pictures();
        ASSERT_EQ(pics.size(), 2u);
        EXPECT_EQ(pics[0].picture.size(), QSize(7, 5)) << "ColOwn2 prints from its twin Own2BW";
        printer.clearDocuments();
        in.mnuPrintMono->trigger();  // already on: nothing changes
        EXPECT_EQ(ActiveSettings.ForceMono, mono);
        in.mnuPrintCol->trigger();
        EXPECT_EQ(ActiveSettings.ForceMono, 0);
        EXPECT_TRUE(in.mnuPrintCol->isChecked());
        EXPECT_FALSE(in.mnuPrintMono->isChecked());
    }
}

TEST_F(BookPrintTest, WritingPrintsTheTitleBoxAndTheTextBoxes) {
    useOwnBook();
    gActivity = activity::Writing;
    frmBook* b = openAt(2);
    auto in = probe(b);
    ASSERT_FALSE(in.text[1]->isHidden());
    in.text[1]->setText(QStringLiteral("My own words."));
    choose(in.mnuPrintText);
    const Expected e(printer);
    const auto t = bodyTexts();
    ASSERT_GE(t.size(), 1u);
    EXPECT_EQ(t[0].text, QStringLiteral("My own words."));
    measure(t[0]);
    EXPECT_DOUBLE_EQ(t[0].x, e.x(1080));
    EXPECT_DOUBLE_EQ(t[0].y, e.y(4500) + idiv(e.h(690) - printer.TextHeight(t[0].text), 2));
}

TEST_F(BookPrintTest, BusyWindowBeepsAndNoPrinterIsToldAndNothingPrints) {
    useOwnBook();
    gActivity = activity::Writing;  // every print item is there
    frmBook* b = openAt(2);
    auto in = probe(b);
    gBusy = 1;
    choose(in.mnuPrintText);
    choose(in.mnuPrintPic);
    choose(in.mnuPrintAll);
    EXPECT_EQ(journalOf("beep").size(), 3);
    gBusy = 0;
    EXPECT_TRUE(printer.documents().empty());

    printer.setAvailable(false);
    boxes.answer(mb::OK).answer(mb::OK);
    choose(in.mnuPrintAll);
    choose(in.mnuPrintStory);
    EXPECT_TRUE(printer.documents().empty());
    EXPECT_EQ(printer.pageCount(), 0);
    const auto shown = boxes.msgBoxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].title, "No printer");
    EXPECT_EQ(gBusy, 0);
    EXPECT_EQ(mouse::pointer(), mouse::Default);
}

TEST_F(BookPrintTest, ColourChoiceChecksTheMenuAndKeepsItInItsOwnFile) {
    useOwnBook();
    frmBook* b = openAt(2);
    auto in = probe(b);
    struct Case {
        int flags;
        QString user;
        QString file;  // "" when nothing is written
    } cases[] = {{0, "Unknown", "TEACHER.PM"},
                 {2, "Amy", "TEACHER.PM"},
                 {3, "Unknown", FileKey("Teacher") + ".PM"},
                 {3, "Amy Lee", FileKey("Amy Lee") + ".PM"},
                 {4, "Amy", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        for (const QString& f : QDir(own.path()).entryList({"*.PM"}))
            QFile::remove(own.path() + "/" + f);
        GlobalSettings.UserNameFlags = int16_t(c.flags);
        gUserName = c.user;
        ActiveSettings.ForceMono = 0;
        pullDown(in.mnuPrint);
        EXPECT_TRUE(in.mnuPrintCol->isChecked());
        EXPECT_FALSE(in.mnuPrintMono->isChecked());

        choose(in.mnuPrintMono);
        EXPECT_EQ(ActiveSettings.ForceMono, -1);
        EXPECT_FALSE(in.mnuPrintCol->isChecked());
        EXPECT_TRUE(in.mnuPrintMono->isChecked());
        EXPECT_EQ(SavedSettings.ForceMono, -1);
        const QStringList written = QDir(own.path()).entryList({"*.PM"});
        if (c.file.isEmpty()) {
            EXPECT_TRUE(written.isEmpty());
        } else {
            ASSERT_EQ(written, QStringList{c.file});
            EXPECT_EQ(ActivitySettingsRecord::decode(own.read(c.file)).ForceMono, -1);
        }
        EXPECT_FALSE(QFileInfo::exists(own.path() + "/" + FileKey(c.user) + ".DAT"));

        choose(in.mnuPrintMono);  // already on: nothing changes
        EXPECT_EQ(ActiveSettings.ForceMono, -1);
        pullDown(in.mnuPrint);
        EXPECT_TRUE(in.mnuPrintMono->isChecked());
        choose(in.mnuPrintCol);
        EXPECT_EQ(ActiveSettings.ForceMono, 0);
        EXPECT_TRUE(in.mnuPrintCol->isChecked());
        EXPECT_FALSE(in.mnuPrintMono->isChecked());
        if (!c.file.isEmpty()) {
            EXPECT_EQ(ActivitySettingsRecord::decode(own.read(c.file)).ForceMono, 0);
        }
    }
}

TEST_F(BookPrintTest, StoryPrintsEveryBlockOnOneSheetWithAGapBetweenPages) {
    useOwnBook();
    gActivity = activity::Writing;  // the item is there only
    frmBook* b = openAt(2);
    auto in = probe(b);
    choose(in.mnuPrintStory);
    EXPECT_EQ(gBusy, 0);
    const auto t = bodyTexts();
    // The title (not the credits), two lines, then two more: lines 1, 3, 4, 6, 7 of 9.
    ASSERT_EQ(t.size(), 5u);
    const QString open = ansi::chr(147), close = ansi::chr(148);
    const QStringList expected{"Own Book", "The frog sat on a log.", "It was wet.",
                               open + "Hop!" + close + " said the frog.", "The end."};
    const int index[] = {1, 3, 4, 6, 7};
    measure(t[0]);
    const double pitch = printer.TextHeight("Ty") / 0.85;
    const double pageHeight = rnd(printer.ScaleHeight());
    const double top = rnd(idiv(rnd(pageHeight - pitch * 9), 2));
    // The longest line as the window measures the stored texts.
    QString longest;
    for (int f = 1; f <= 3; ++f)
        for (int blk = 1; blk <= in.MaxBlocks; ++blk)
            if (!(f == 1 && blk == 2) && in.TextWidth(in.Book.BlockText(blk, f)) > in.TextWidth(longest))
                longest = in.Book.BlockText(blk, f);
    // All lines one font: the largest size (in steps of 2) whose line height stays below the
    // line limit and whose longest line stays within 85 % of the width.
    const double lineLimit = rnd(pageHeight * 0.85 / 9);
    const double widthLimit = rnd(rnd(printer.ScaleWidth()) * 0.85);
    EXPECT_LT(printer.TextHeight("Ty"), lineLimit);
    EXPECT_LE(printer.TextWidth(longest), widthLimit);
    EXPECT_EQ(int(t[0].fontSize) % 2, 0) << "steps of 2 from 24";
    printer.setFontSize(t[0].fontSize + 2);
    EXPECT_TRUE(printer.TextHeight("Ty") >= lineLimit || printer.TextWidth(longest) > widthLimit)
        << "the largest size that fits is taken";
    measure(t[0]);
    const double left = rnd(idiv(rnd(rnd(printer.ScaleWidth()) - printer.TextWidth(longest)), 2));
    for (size_t i = 0; i < t.size(); ++i) {
        SCOPED_TRACE(i);
        const bool curly = in.TextTitle->font().family() == screen::fontFamilyFor("Arial");
        QString want = expected[qsizetype(i)];
        if (!curly)
            want.replace(open, "\"").replace(close, "\"");
        EXPECT_EQ(t[i].text, want);
        EXPECT_EQ(t[i].fontSize, t[0].fontSize);
        EXPECT_DOUBLE_EQ(t[i].x, left) << "every line starts where the longest is centred";
        EXPECT_NEAR(t[i].y, top + pitch * index[i], 1e-6);
    }
}

}  // namespace
