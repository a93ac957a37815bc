// The teacher's printed sheets of the square on show: the puzzle ("WORD SQUARE" with a name
// line) or the answers (the words as white bands on light cyan), with or without the word list.
// The layout passes shrink the headings and the grid until the sheet fits the page.
#include <QStringList>
#include <algorithm>

#include "core/Globals.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/Printer.h"
#include "square/frmSquare.h"

namespace {

constexpr int kWithList = 1;
constexpr int kPuzzle = 2;
constexpr int kAnswers = 4;
// The passes shrink the grid by 8 % each; a list too long for any page would shrink it for
// ever, so they end when a cell would be smaller than this and print what they have.
constexpr double kSmallestCell = 8;
// The letters' size fitting steps by 2 points; it stops here on a grid too small for any letter.
constexpr double kSmallestLetterSize = 2;

double roundEven(double v) { return lang::RoundHalfEven(v); }
double idiv(double a, double b) { return double(lang::IntDiv(a, b).value_or(0)); }

void printAt(Printer& p, double x, double y, const QString& text) {
    p.setCurrentX(x);
    p.setCurrentY(y);
    p.Print(text);
}

// The maker's name at the left edge and the product line at the right, blanks between.
QString spreadHeader(const Printer& p) {
    QString header = QStringLiteral("Quorrin Software  The Kestrow Readers");
    for (int i = 0; i < 100000 && p.TextWidth(header) <= p.ScaleWidth(); ++i)
        header.insert(16, u' ');
    return header.remove(16, 3);
}

// One printed sheet: the values the layout passes settle and the steps that print with them,
// in their order. Lengths are printer pixels.
class SquareSheet {
public:
    SquareSheet(Printer& printer, const SquareBuilder& shown, int showUpperCase, int flags);
    void layout();
    void printHeader();
    void printTitles();
    void printGrid();
    void printCells();
    void printWordList();

private:
    Printer& p;
    const SquareBuilder& square;
    const int SquareCols;
    const int SquareRows;
    const int ShowUpperCase;
    const bool withList;
    const bool puzzle;
    const double W;
    const double H;
    double page;
    QStringList words;  // the placed words, in the case the window shows
    int placedCount = 0;

    double cell = 0, letterSize = 8, gap = 0, y = 0;
    double titleSize = 32, subSize = 20;
    int listRows = 1;
    double columnWidth = 0;
    double left = 0;
};

SquareSheet::SquareSheet(Printer& printer, const SquareBuilder& shown, int showUpperCase, int flags)
    : p(printer),
      square(shown),
      SquareCols(shown.SquareCols),
      SquareRows(shown.SquareRows),
      ShowUpperCase(showUpperCase),
      withList((flags & kWithList) != 0),
      puzzle((flags & kPuzzle) != 0),
      W(roundEven(printer.ScaleWidth())),
      H(roundEven(printer.ScaleHeight())),
      page(std::min(W, H)) {
    for (const QString& e : square.PlacedWords)
        words << (ShowUpperCase == -1 ? lang::UCase(e) : lang::LCase(e));
    placedCount = int(words.size());
}

// The passes shrink the headings and the grid until seven gaps of more than 19 pixels share
// what the sheet leaves over.
void SquareSheet::layout() {
    for (;;) {
        cell = idiv(page * 4, SquareCols * 5);
        double size = 8;
        p.setFace(QStringLiteral("Arial"), true, size);
        while (0.8 * cell > p.TextHeight(QStringLiteral("W"))) {
            size = p.FontSize() + 2;
            p.setFontSize(size);
        }
        while (p.TextWidth(QStringLiteral("W")) > 0.8 * cell && p.FontSize() - 2 >= kSmallestLetterSize)
            p.setFontSize(p.FontSize() - 2);
        letterSize = roundEven(p.FontSize());

        p.setFontSize(titleSize);
        y = roundEven(p.TextHeight(QStringLiteral("W")) + gap + gap);
        p.setFontSize(subSize);
        y = roundEven(p.TextHeight(QStringLiteral("W")) + y + gap);
        const double gridBottom = roundEven((SquareRows + 0.5) * cell + y + gap);

        double total = 2 * gap + gridBottom;
        if (withList) {
            double widest = 0;
            for (const QString& w : words)
                widest = std::max(widest, p.TextWidth(w));
            // A word wider than seven tenths of the page (or none at all) still gets one column.
            int listColumns = widest > 0 ? int(std::min(4.0, idiv(W * 7, widest * 10))) : 4;
            listColumns = std::max(1, listColumns);
            listRows = std::max(1, (placedCount + listColumns - 1) / listColumns);
            columnWidth = idiv(page * 4, listColumns * 5);
            total = roundEven(p.TextHeight(QStringLiteral("W")) * (listRows + 1) + gridBottom + 3 * gap);
        }
        gap = idiv(H - total, 7);
        if (gap > 19)
            break;
        if (titleSize > 15)
            titleSize -= 1;
        if (subSize > 12)
            subSize -= 1;
        page = roundEven(page * 0.92);
        if (idiv(page * 4, SquareCols * 5) < kSmallestCell)
            break;
    }
}

void SquareSheet::printHeader() {
    p.setFace(QStringLiteral("Arial"), false, 8);
    p.setCurrentX(0);
    p.setCurrentY(0);
    p.Print(spreadHeader(p));
}

// The title, and the name line of the puzzle sheet; y ends at the grid's top.
void SquareSheet::printTitles() {
    p.setFontSize(titleSize);
    const QString title = puzzle ? QStringLiteral("WORD SQUARE") : QStringLiteral("ANSWERS");
    printAt(p, idiv(W - p.TextWidth(title), 2), gap, title);

    left = idiv(W - SquareCols * cell, 2);
    y = roundEven(p.TextHeight(QStringLiteral("W")) + gap + gap);
    p.setFontSize(subSize);
    if (puzzle)
        printAt(p, left, y, QStringLiteral("Name:"));
    y = roundEven(p.TextHeight(QStringLiteral("W")) + y + gap);
}

// The answer sheet's shading, the grid lines and the frame around them.
void SquareSheet::printGrid() {
    p.setFontSize(letterSize);
    const double gridW = SquareCols * cell, gridH = SquareRows * cell;
    p.setDrawWidth(1);
    if (!puzzle)
        p.FilledBox(left, y, gridW, gridH, QBColor(11));
    for (int i = 0; i <= SquareCols; ++i)
        p.Line(left + i * cell, y, left + i * cell, y + gridH, Qt::black);
    for (int j = 0; j <= SquareRows; ++j)
        p.Line(left, y + j * cell, left + gridW, y + j * cell, Qt::black);
    const double tx = p.TwipsPerPixelX(), ty = p.TwipsPerPixelY();
    p.setDrawWidth(3);
    p.Box(left - 5 * tx, y - 5 * ty, gridW + 10 * tx, gridH + 10 * ty, Qt::black);
    p.setDrawWidth(1);
}

// The letters, on the answer sheet over the white bands of the words.
void SquareSheet::printCells() {
    const bool upper = ShowUpperCase == -1;
    for (int c = 1; c <= SquareCols; ++c) {
        for (int r = 1; r <= SquareRows; ++r) {
            const int cellFlags = square.GridFlags.at(c, r);
            if (!puzzle && cellFlags != 0) {
                const double bx = left + (c - 1 + 0.1) * cell, by = y + (r - 1 + 0.1) * cell;
                p.FilledBox(bx, by, 0.8 * cell, 0.8 * cell, QBColor(15));
                if (gridflag::joinsAcross(cellFlags))
                    p.FilledBox(bx, by, cell, 0.8 * cell, QBColor(15));
                if (gridflag::joinsDown(cellFlags))
                    p.FilledBox(bx, by, 0.8 * cell, cell, QBColor(15));
            }
            const int code = square.GridLetters.at(c, r);
            if (code == 0)
                continue;
            const QString letter = upper ? lang::UCase(QString(QChar(code))) : lang::LCase(QString(QChar(code)));
            const double dx = idiv(cell - p.TextWidth(letter), 2);
            const double dy = idiv(cell - (upper ? 0.7 : 0.85) * p.TextHeight(letter), 2);
            printAt(p, (c - 1) * cell + left + dx, (r - 1) * cell + y + dy, letter);
        }
    }
}

void SquareSheet::printWordList() {
    p.setFontSize(subSize);
    const double listTop = roundEven((SquareRows + 0.5) * cell + y + gap);
    printAt(p, left, listTop, puzzle ? QStringLiteral("Find these words:") : QStringLiteral("Word list:"));
    for (int k = 0; k < placedCount; ++k)
        printAt(p, left + (k / listRows) * columnWidth,
                p.TextHeight(QStringLiteral("W")) * ((k % listRows) + 1) + listTop + gap, words[k]);
}

}  // namespace

void frmSquare::mnuprintWL_Click() { PrintSquare(kPuzzle | kWithList); }
void frmSquare::mnuPrintW_Click() { PrintSquare(kPuzzle); }
void frmSquare::mnuPrintAL_Click() { PrintSquare(kAnswers | kWithList); }
void frmSquare::mnuPrintA_Click() { PrintSquare(kAnswers); }

void frmSquare::PrintSquare(int flags) {
    // After a build that failed there is only an empty grid: nothing worth a sheet of paper.
    if (square.GridLetters.at(1, 1) == 0) {
        MsgBox(QStringLiteral("There is no tavlorin to print.") + gCrLf + gCrLf +
                   QStringLiteral("Please use the 'File ... Open' menu to open a different wordlist, or choose "
                                  "another size from the 'Size' menu."),
               mb::OKOnly + mb::Exclamation);
        return;
    }
    if (!printerReady() || SquareCols < 1 || SquareRows < 1)
        return;
    Printer& p = printer();
    mouse::setPointer(mouse::Hourglass);
    p.setScaleMode(Printer::Pixels);
    SquareSheet sheet(p, square, ShowUpperCase, flags);
    sheet.layout();
    sheet.printHeader();
    sheet.printTitles();
    sheet.printGrid();
    sheet.printCells();
    if ((flags & kWithList) != 0)
        sheet.printWordList();
    p.EndDoc();
    mouse::setPointer(mouse::Default);
}
