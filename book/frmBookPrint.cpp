// The book window's Print menu: the page on show laid out on the printer page at the book's
// design proportions, the whole story on one sheet, and the colour choice for pictures.
#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QPointer>

#include "book/BookLayout.h"
#include "book/Quotes.h"
#include "book/frmBook.h"
#include "core/Activity.h"
#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/frmNoData.h"
#include "platform/Boxes.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/Picture.h"
#include "platform/Printer.h"
#include "platform/Screen.h"

namespace {

constexpr int kDesignWidth = 9600;
constexpr int kUnprintedLeft = 730;  // the design's left strip holds the buttons
constexpr int kPrintedWidth = kDesignWidth - kUnprintedLeft;
// Fitting lowers the size in steps of 2 with nothing to stop it; below this a page would be
// unreadable, so the fit ends here and the text prints at this size.
constexpr double kSmallestPrintSize = 4;
// Both fittings (the page, the whole story) start here and grow the size until a line
// reaches the height they allow it.
constexpr double kFirstFitSize = 24;
// A printed line of the page takes at most this share of the title block's height, so that
// ascenders and descenders ("Tg", "Ty") fit with room to spare.
constexpr double kLineShareOfBlock = 0.76;

const QString kHeader = QStringLiteral("Kestrow Readers");

double roundEven(double v) { return lang::RoundHalfEven(v); }
double idiv(double a, double b) { return double(lang::IntDiv(a, b).value_or(0)); }

}  // namespace

namespace bookprint {

// The page's design twips on the printer page, in printer pixels: one uniform scale with a
// margin, three quarters of the spare width on the left, the spare height split evenly.
struct PageGeometry {
    double s = 0, tx = 1, ty = 1, x0 = 0, y0 = 0;

    explicit PageGeometry(const Printer& p) {
        tx = p.TwipsPerPixelX();
        ty = p.TwipsPerPixelY();
        const double w = roundEven(p.ScaleWidth() * tx);
        const double h = roundEven(p.ScaleHeight() * ty);
        const double sx = w / kPrintedWidth;
        const double sy = h / gDesignHeight;
        s = (sy < sx ? sy : sx) - 0.1;
        x0 = roundEven(p.ScaleLeft() + idiv(3 * (w - kPrintedWidth * s), 4 * tx));
        y0 = roundEven(p.ScaleTop() + idiv(h - gDesignHeight * s, 2 * ty));
    }
    double x(double left) const { return roundEven((left - kUnprintedLeft) * s / tx + x0); }
    double y(double top) const { return roundEven(top * s / ty + y0); }
    double w(double width) const { return roundEven(width * s / tx); }
    double h(double height) const { return roundEven(height * s / ty); }
};

}  // namespace bookprint

using bookprint::PageGeometry;

namespace {

// Prints text centred in the printer rectangle (x, y, w, h).
void printCentred(Printer& p, const QString& text, double x, double y, double w, double h) {
    p.setCurrentX(x + idiv(w - p.TextWidth(text), 2));
    p.setCurrentY(y + idiv(h - p.TextHeight(text), 2));
    p.Print(text);
}

// The small header at the top of every printed sheet; a printer that lacks the font keeps its own.
void printHeader(Printer& p) {
    p.setFace(QStringLiteral("Arial"), false, 8);
    p.setCurrentX(0);
    p.setCurrentY(0);
    p.Print(headerToRightEdge(p, kHeader));
}

bool startsWithCol(const QString& name) { return lang::UCase(name.left(3)) == QStringLiteral("COL"); }

// A flag of a hand-edited or older settings file may hold any non-zero value for on: the
// check mark and the printing agree on it.
bool forceMono() { return ActiveSettings.ForceMono != 0; }

// Where the colour choice is kept: a file of its own beside the settings files.
QString printChoiceFile() {
    const int flags = GlobalSettings.UserNameFlags;
    if (flags == 0 || flags == 1 || flags == 2)
        return QStringLiteral("TEACHER.PM");
    if (flags == 3)
        return FileKey(gUserName == QStringLiteral("Unknown") ? QStringLiteral("Teacher") : gUserName) +
               QStringLiteral(".PM");
    return QString();
}

// Grows the size from kFirstFitSize in steps of 2 until a line ("Tg") reaches lineLimit, then
// lowers it in steps of 2 until a line ("Ty") stays below lineLimit and widthFits() holds; at
// kSmallestPrintSize the fit ends.
template <class WidthFits>
void fitFontSize(Printer& p, double lineLimit, WidthFits widthFits) {
    double size = kFirstFitSize;
    p.setFontSize(size);
    while (p.TextHeight(QStringLiteral("Tg")) < lineLimit) {
        size += 2;
        p.setFontSize(size);
    }
    for (;;) {
        size -= 2;
        if (size <= kSmallestPrintSize) {
            p.setFontSize(kSmallestPrintSize);
            return;
        }
        p.setFontSize(size);
        if (p.TextHeight(QStringLiteral("Ty")) < lineLimit && widthFits())
            return;
    }
}

// A block prints in the story when it has a place on its page and a text; the title page's
// second block is the credits line and never prints.
bool printsInStory(const BookData& book, int frame, int block, const QString& text) {
    return book.BlockRect(1, block, frame) >= 1 && !lang::Trim(text).isEmpty() && !(frame == 1 && block == 2);
}

// The hourglass and gBusy for the length of one print job.
class PrintJob {
public:
    PrintJob() {
        printer().setScaleMode(Printer::Pixels);
        mouse::setPointer(mouse::Hourglass);
        gBusy = 1;
    }
    ~PrintJob() {
        mouse::setPointer(mouse::Default);
        gBusy = 0;
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;
};

}  // namespace

void frmBook::mnuPrint_Click() {
    const bool mono = forceMono();
    mnuPrintCol->setChecked(!mono);
    mnuPrintMono->setChecked(mono);
}

// The page items refuse while the window is busy (a sentence, Tell story, another print).
void frmBook::mnuPrintText_Click() { printPageUnlessBusy(PrintText); }
void frmBook::mnuPrintPic_Click() { printPageUnlessBusy(PrintPictures); }
void frmBook::mnuPrintAll_Click() { printPageUnlessBusy(PrintTextAndPictures); }

void frmBook::printPageUnlessBusy(int parts) {
    if (gBusy == 1) {
        Beep();
        return;
    }
    PrintPage(parts);
}

// Only a change is kept: the items of the choice already in force do nothing.
void frmBook::mnuPrintCol_Click() {
    if (forceMono())
        setForceMono(0);
}

void frmBook::mnuPrintMono_Click() {
    if (!forceMono())
        setForceMono(-1);
}

void frmBook::setForceMono(int value) {
    ActiveSettings.ForceMono = int16_t(value);
    mnuPrintCol->setChecked(value == 0);
    mnuPrintMono->setChecked(value != 0);
    SavedSettings = ActiveSettings;
    const QString file = printChoiceFile();
    if (!file.isEmpty())
        SaveSettingsFile(file, 1);
}

// The page on show at the book's design proportions: the header, the text in one fitted size
// at the places of its blocks, the pictures, or both.
void frmBook::PrintPage(int parts) {
    if (!printerReady())
        return;
    Printer& p = printer();
    {
        PrintJob job;
        const PageGeometry g(p);

        printHeader(p);
        if (parts & PrintText) {
            p.setFace(lang::Trim(ActiveSettings.TextFont.text()), windowFont_.bold());
            fitPrintFontSize(p, g);
            if (gActivity == activity::Reading)
                printReadingTexts(p, g);
            else if (gActivity == activity::Writing)
                printWritingTexts(p, g);
        }
        if (parts & PrintPictures)
            printPictures(p, g);
        p.EndDoc();
    }
}

// One size for the whole page: the reference line of the title block, and no visible text
// wider than the printed width.
void frmBook::fitPrintFontSize(Printer& p, const PageGeometry& g) {
    const double refHeight = g.h(Book.BlockRect(4, 1, 1));
    const double widthLimit = kPrintedWidth * g.s / g.tx;
    auto tooWide = [&](QWidget* w, const QString& t) { return !w->isHidden() && p.TextWidth(t) >= widthLimit; };
    fitFontSize(p, kLineShareOfBlock * refHeight, [&] {
        for (int i = 1; i <= MaxBlocks; ++i) {
            if (gActivity == activity::Reading ? tooWide(label[size_t(i)], label[size_t(i)]->Caption())
                                               : tooWide(text[size_t(i)], text[size_t(i)]->Text()))
                return false;
        }
        return !(gActivity == activity::Writing && tooWide(TextTitle, TextTitle->Text()));
    });
}

// Reading: the title page's lines centred in their blocks, later pages' lines from their label
// left; the credits line smaller, in its own rectangle.
void frmBook::printReadingTexts(Printer& p, const PageGeometry& g) {
    for (int i = 1; i <= MaxBlocks; ++i) {
        Label* l = label[size_t(i)];
        if (l->isHidden())
            continue;
        const QString t = l->Caption();
        if (gFrame == 1) {
            printCentred(p, t, g.x(Book.BlockRect(1, i, 1)), g.y(Book.BlockRect(2, i, 1)),
                         g.w(Book.BlockRect(3, i, 1)), g.h(Book.BlockRect(4, i, 1)));
        } else {
            p.setCurrentX(g.x(Book.BlockRect(5, i, gFrame)));
            p.setCurrentY(g.y(Book.BlockRect(2, i, gFrame)) +
                          idiv(g.h(Book.BlockRect(4, i, gFrame)) - p.TextHeight(t), 2));
            p.Print(t);
        }
    }
    if (!lblCredits->isHidden()) {
        // The credits keep the share of the book's text size they have on the screen.
        const double kept = p.FontSize();
        if (BookFontSize > 0)
            p.setFontSize(kept * booklayout::kCreditsFontSize / BookFontSize);
        const auto& r = booklayout::kCredits;  // where the page shows them
        printCentred(p, lblCredits->Caption(), g.x(r.left), g.y(r.top), g.w(r.width), g.h(r.height));
        p.setFontSize(kept);
    }
}

// Writing: the title centred in its block, the lines of later pages from their blocks' left.
void frmBook::printWritingTexts(Printer& p, const PageGeometry& g) {
    if (!TextTitle->isHidden())
        printCentred(p, TextTitle->Text(), g.x(Book.BlockRect(1, 1, 1)), g.y(Book.BlockRect(2, 1, 1)),
                     g.w(Book.BlockRect(3, 1, 1)), g.h(Book.BlockRect(4, 1, 1)));
    for (int i = 1; i <= MaxBlocks; ++i) {
        TextBox* t = text[size_t(i)];
        if (t->isHidden())
            continue;
        p.setCurrentX(g.x(Book.BlockRect(1, i, gFrame)));
        p.setCurrentY(g.y(Book.BlockRect(2, i, gFrame)) +
                      idiv(g.h(Book.BlockRect(4, i, gFrame)) - p.TextHeight(t->Text()), 2));
        p.Print(t->Text());
    }
}

// The page's visible pictures, stretched to their rectangles; with black-and-white forced a
// colour picture prints from its twin, which the screen shows meanwhile.
void frmBook::printPictures(Printer& p, const PageGeometry& g) {
    const QPointer<frmBook> self(this);
    for (int i = 1; i <= MaxPictures; ++i) {
        if (picframe[size_t(i)]->isHidden())
            continue;
        const QString name = Book.PictureName(i, gFrame);
        // The black-and-white twin is looked up without asking: a missing twin must not
        // bring the data-folder dialog (whose only way out is Quit) in the middle of a
        // print. The colour picture prints in its place; only the page's own picture
        // may ask.
        QImage picture;
        if (forceMono() && startsWithCol(name))
            picture = LoadPicture(
                FindDataFile(booklayout::pictureFileName(gBookCode, name.mid(3) + QStringLiteral("BW")), 0));
        const bool twin = !picture.isNull();
        if (!twin) {
            const QString path = FindDataFile(booklayout::pictureFileName(gBookCode, name), 1);
            if (!self || isUnloaded())
                return;
            picture = LoadPicture(path);
        }
        // A picture that cannot be read is left out; the rest of the page still prints.
        if (picture.isNull())
            continue;
        picframe[size_t(i)]->setPicture(QPixmap::fromImage(picture));
        picframe[size_t(i)]->repaint();
        p.PaintPicture(picture, g.x(Book.PictureRect(1, i, gFrame)), g.y(Book.PictureRect(2, i, gFrame)),
                       g.w(Book.PictureRect(3, i, gFrame)), g.h(Book.PictureRect(4, i, gFrame)));
        // The screen shows the colour picture again; one printed in colour is on show already.
        if (twin) {
            const QString colour = FindDataFile(booklayout::pictureFileName(gBookCode, name), 1);
            if (!self || isUnloaded())
                return;
            picframe[size_t(i)]->setPicture(QPixmap::fromImage(LoadPicture(colour)));
            picframe[size_t(i)]->repaint();
        }
    }
}

// The whole story on one sheet: the printable lines of every page in one fitted size, one
// column centred on the sheet, a blank line after each page.
void frmBook::mnuPrintStory_Click() {
    if (!printerReady())
        return;
    Printer& p = printer();
    PrintJob job;
    QString longest;
    const int lineCount = countStoryLines(longest);

    printHeader(p);
    const double pageHeight = roundEven(p.ScaleHeight());
    const double pageWidth = roundEven(p.ScaleWidth());
    p.setFace(lang::Trim(ActiveSettings.TextFont.text()), windowFont_.bold());
    const double widthLimit = roundEven(pageWidth * 0.85);
    fitFontSize(p, roundEven(pageHeight * 0.85 / lineCount), [&] { return p.TextWidth(longest) <= widthLimit; });

    const double left = roundEven(p.ScaleLeft() + idiv(roundEven(pageWidth - p.TextWidth(longest)), 2));
    const double pitch = p.TextHeight(QStringLiteral("Ty")) / 0.85;
    const double top = roundEven(p.ScaleTop() + idiv(roundEven(pageHeight - pitch * lineCount), 2));
    printStoryLines(p, left, top, pitch);
    p.EndDoc();
}

// How many lines the sheet takes: the printable ones, a blank one after each page and one
// more; longest becomes the widest of them in the window's font.
int frmBook::countStoryLines(QString& longest) const {
    int lineCount = 0;
    for (int f = 1; f <= gFrameCount; ++f) {
        for (int b = 1; b <= MaxBlocks; ++b) {
            const QString t = Book.BlockText(b, f);
            if (!printsInStory(Book, f, b, t))
                continue;
            ++lineCount;
            if (TextWidth(t) > TextWidth(longest))
                longest = t;
        }
        ++lineCount;
    }
    return lineCount + 1;
}

// Each page's lines with its quotes turned as the screen shows them, a pitch apart from top;
// a page's quote pairing starts afresh.
void frmBook::printStoryLines(Printer& p, double left, double top, double pitch) {
    const bool curly = screen::fontFamilyFor(QStringLiteral("Arial")) == TextTitle->font().family();
    int lineIndex = 0;
    for (int f = 1; f <= gFrameCount; ++f) {
        QuoteToggle = 0;
        for (int b = 1; b <= MaxBlocks; ++b) {
            const QString t = ConvertQuotes(Book.BlockText(b, f), 1, QuoteToggle, curly);
            if (!printsInStory(Book, f, b, t))
                continue;
            ++lineIndex;
            p.setCurrentX(left);
            p.setCurrentY(top + pitch * lineIndex);
            p.Print(lang::Trim(t));
        }
        ++lineIndex;
    }
}
