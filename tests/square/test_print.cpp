// The teacher edition's printed sheets on a recording printer: the layout passes, the puzzle and
// answer sheets, the letters in their cells and the word list below the grid.
#include <QAction>
#include <algorithm>
#include <cmath>

#include "SquareFixture.h"
#include "platform/Lang.h"
#include "platform/Printer.h"
#include "support/Press.h"
#include "support/RecordingPrinter.h"

using testsupport::choose;
using testsupport::probe;

using squaretest::SquareTest;
using squaretest::processUntil;
using testsupport::ScopedPrinter;
using Op = testsupport::RecordingPrinter::Op;

namespace {

double idiv(double a, double b) { return double(lang::IntDiv(a, b).value_or(0)); }

class SquarePrintTest : public SquareTest {
protected:
    frmSquare* openTeacher() {
        boxes.answer(mb::OK);  // the notice of the teacher edition
        frmSquare* w = openEdition(QStringLiteral("TEACHER"));
        processUntil([this] { return !boxes.msgBoxes().empty(); });
        return w;
    }

    std::vector<Op> ofKind(const testsupport::RecordingPrinter& p, Op::Kind kind) const {
        std::vector<Op> out;
        for (const Op& o : p.documents().at(0).ops)
            if (o.kind == kind)
                out.push_back(o);
        return out;
    }
    static const Op* findText(const std::vector<Op>& texts, const QString& text) {
        for (const Op& o : texts)
            if (o.text == text)
                return &o;
        return nullptr;
    }
    // The grid's lines: left, top and cell side as drawn.
    struct Grid {
        double left, top, cell;
    };
    Grid gridOf(const testsupport::RecordingPrinter& p, int cols, int rows) const {
        const auto lines = ofKind(p, Op::Line);
        EXPECT_EQ(lines.size(), size_t(cols + 1 + rows + 1));
        if (lines.size() < 2)
            return {0, 0, 0};
        for (const Op& l : lines)
            EXPECT_EQ(l.width, 1);
        return {lines[0].x, lines[0].y, lines[1].x - lines[0].x};
    }

    // The steps of the puzzle sheet's check on a 4760 x 6800 pixel page, in the sheet's order.
    static constexpr double kPageWidth = 4760, kPageHeight = 6800;
    using Texts = std::vector<Op>;

    // The header: the maker at the left edge, the product at the right.
    static void expectHeader(testsupport::RecordingPrinter& printer, const Op& header) {
        EXPECT_TRUE(header.text.startsWith("Quorrin Software  ")) << header.text.toStdString();
        EXPECT_TRUE(header.text.endsWith("  The Kestrow Readers"));
        EXPECT_DOUBLE_EQ(header.x, 0);
        EXPECT_DOUBLE_EQ(header.y, 0);
        printer.setFontName("Arial");
        printer.setFontBold(false);
        printer.setFontSize(8);
        const double blank = printer.TextWidth(" ");
        EXPECT_LE(printer.TextWidth(header.text), kPageWidth - 2 * blank + 1e-6);
        EXPECT_GT(printer.TextWidth(header.text), kPageWidth - 4 * blank);
    }

    // The title centred above the grid, the name line below it; gap is the space they keep.
    static void expectTitleAndName(testsupport::RecordingPrinter& printer, const Texts& texts, const Grid& g,
                                   double& gap) {
        const Op* title = findText(texts, "WORD SQUARE");
        ASSERT_TRUE(title);
        EXPECT_DOUBLE_EQ(title->fontSize, 32);
        printer.setFontSize(32);
        EXPECT_DOUBLE_EQ(title->x, idiv(kPageWidth - printer.TextWidth("WORD SQUARE"), 2));
        gap = title->y;
        EXPECT_GT(gap, 19);
        const Op* name = findText(texts, "Name:");
        ASSERT_TRUE(name);
        EXPECT_DOUBLE_EQ(name->x, g.left);
        EXPECT_DOUBLE_EQ(name->y, lang::RoundHalfEven(printer.TextHeight("W") + 2 * gap));
        EXPECT_DOUBLE_EQ(name->fontSize, 20);
    }

    // The frame, three pixels wide, five twips outside the grid.
    void expectFrame(const testsupport::RecordingPrinter& printer, const Grid& g, int cols) const {
        const auto boxesDrawn = ofKind(printer, Op::Box);
        ASSERT_EQ(boxesDrawn.size(), 1u);
        EXPECT_EQ(boxesDrawn[0].width, 3);
        EXPECT_NEAR(boxesDrawn[0].x, g.left - 5 * 2.4, 1e-6);
        EXPECT_NEAR(boxesDrawn[0].w, cols * g.cell + 10 * 2.4, 1e-6);
        EXPECT_TRUE(ofKind(printer, Op::FilledBox).empty()) << "the puzzle is not shaded";
    }

    // Every letter centred in its cell, in the case on show.
    static void expectLetters(testsupport::RecordingPrinter& printer, const Texts& texts, const Grid& g,
                              const testsupport::SquareProbe& w) {
        const int cols = w.SquareCols, rows = w.SquareRows;
        int letters = 0;
        for (const Op& o : texts) {
            if (o.text.size() != 1 || o.y < g.top || o.y > g.top + rows * g.cell)
                continue;
            ++letters;
            const int c = int((o.x - g.left) / g.cell) + 1, r = int((o.y - g.top) / g.cell) + 1;
            const QChar stored(w.square.GridLetters.at(c, r));
            EXPECT_EQ(o.text, w.ShowUpperCase == -1 ? QString(stored).toUpper() : QString(stored).toLower());
            printer.setFontSize(o.fontSize);
            EXPECT_DOUBLE_EQ(o.x - ((c - 1) * g.cell + g.left), idiv(g.cell - printer.TextWidth(o.text), 2));
        }
        EXPECT_EQ(letters, cols * rows);
    }

    // The list heading below the grid, then the words down the columns.
    static void expectWordList(testsupport::RecordingPrinter& printer, const Texts& texts, const Grid& g, double gap,
                               const testsupport::SquareProbe& w) {
        const int cols = w.SquareCols, rows = w.SquareRows;
        const Op* heading = findText(texts, "Find these words:");
        ASSERT_TRUE(heading);
        EXPECT_DOUBLE_EQ(heading->x, g.left);
        EXPECT_DOUBLE_EQ(heading->y, lang::RoundHalfEven((rows + 0.5) * g.cell + g.top + gap));
        const qsizetype firstWord =
            std::find_if(texts.begin(), texts.end(), [&](const Op& o) { return &o == heading; }) - texts.begin() + 1;
        ASSERT_EQ(texts.size() - size_t(firstWord), size_t(w.square.PlacedWords.size()));
        printer.setFontSize(20);
        for (qsizetype k = 0; k < w.square.PlacedWords.size(); ++k) {
            const Op& o = texts[size_t(firstWord + k)];
            EXPECT_EQ(o.text.toUpper(), w.square.PlacedWords[k].toUpper());
            EXPECT_LE(o.y + printer.TextHeight("W"), kPageHeight) << "on the page";
            EXPECT_GE(o.x, g.left);
            EXPECT_LT(o.x, g.left + cols * g.cell);
        }
    }
};

TEST_F(SquarePrintTest, PuzzleSheetWithItsWordList) {
    ScopedPrinter printer(600, kPageWidth, kPageHeight);
    frmSquare* w = openTeacher();
    ASSERT_TRUE(w);
    auto in = probe(w);
    const int cols = in.SquareCols, rows = in.SquareRows;
    in.mnuprintWL->trigger();
    EXPECT_EQ(mouse::pointer(), mouse::Default);
    ASSERT_EQ(printer.documents().size(), 1u);
    EXPECT_EQ(printer.documents()[0].pages, 1);
    const auto texts = printer.documents()[0].texts();
    printer.setScaleMode(Printer::Pixels);

    expectHeader(printer, texts.at(0));
    // A 4760-pixel-wide portrait page fits at the first pass: the grid is four fifths of it.
    const Grid g = gridOf(printer, cols, rows);
    EXPECT_DOUBLE_EQ(g.cell, idiv(kPageWidth * 4, cols * 5));
    EXPECT_DOUBLE_EQ(g.left, idiv(kPageWidth - cols * g.cell, 2));
    double gap = 0;
    ASSERT_NO_FATAL_FAILURE(expectTitleAndName(printer, texts, g, gap));
    ASSERT_NO_FATAL_FAILURE(expectFrame(printer, g, cols));
    expectLetters(printer, texts, g, in);
    expectWordList(printer, texts, g, gap, in);
}

TEST_F(SquarePrintTest, AnswerSheetShadesTheGridAndShowsTheWordsAsWhiteBands) {
    ScopedPrinter printer(600, 4760, 6800);
    frmSquare* w = openTeacher();
    ASSERT_TRUE(w);
    auto in = probe(w);
    const int cols = in.SquareCols, rows = in.SquareRows;
    in.mnuPrintA->trigger();
    ASSERT_EQ(printer.documents().size(), 1u);
    const auto texts = printer.documents()[0].texts();
    EXPECT_TRUE(findText(texts, "ANSWERS"));
    EXPECT_FALSE(findText(texts, "Name:"));
    EXPECT_FALSE(findText(texts, "Word list:")) << "no list on this sheet";
    const Grid g = gridOf(printer, cols, rows);

    const auto fills = ofKind(printer, Op::FilledBox);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].colour, QColor(0, 255, 255));
    EXPECT_DOUBLE_EQ(fills[0].x, g.left);
    EXPECT_DOUBLE_EQ(fills[0].w, cols * g.cell);
    EXPECT_DOUBLE_EQ(fills[0].h, rows * g.cell);
    // One white box per word cell, one more joining each letter to the next of its word.
    size_t expected = 0;
    for (int c = 1; c <= cols; ++c)
        for (int r = 1; r <= rows; ++r) {
            const int f = in.square.GridFlags.at(c, r);
            expected += (f != 0) + ((f & 5) == 1) + ((f & 40) == 8);
        }
    EXPECT_EQ(fills.size() - 1, expected);
    for (size_t i = 1; i < fills.size(); ++i) {
        EXPECT_EQ(fills[i].colour, QColor(255, 255, 255));
        EXPECT_NEAR(std::fmod(fills[i].x - g.left, g.cell), 0.1 * g.cell, 1e-6);
    }

    // The list variant heads its list "Word list:".
    in.mnuPrintAL->trigger();
    ASSERT_EQ(printer.documents().size(), 2u);
    EXPECT_TRUE(findText(printer.documents()[1].texts(), "Word list:"));
}

TEST_F(SquarePrintTest, AShortPageTakesMorePassesShrinkingHeadingsAndGrid) {
    // A wide, low page: the first pass cannot leave gaps of more than 19 pixels.
    ScopedPrinter printer(600, 6800, 3400);
    frmSquare* w = openTeacher();
    ASSERT_TRUE(w);
    auto in = probe(w);
    const int cols = in.SquareCols, rows = in.SquareRows;
    choose(in.mnuprintWL);
    ASSERT_EQ(printer.documents().size(), 1u);
    const auto texts = printer.documents()[0].texts();
    const Op* title = findText(texts, "WORD SQUARE");
    ASSERT_TRUE(title);
    const int passes = 32 - int(title->fontSize);
    ASSERT_GE(passes, 1);
    EXPECT_GE(title->fontSize, 15);
    EXPECT_DOUBLE_EQ(findText(texts, "Name:")->fontSize, std::max(12, 20 - passes));
    double page = 3400;
    for (int i = 0; i < passes; ++i)
        page = lang::RoundHalfEven(page * 0.92);
    const Grid g = gridOf(printer, cols, rows);
    EXPECT_DOUBLE_EQ(g.cell, idiv(page * 4, cols * 5));
    EXPECT_GT(title->y, 19) << "the accepted gap";
    printer.setScaleMode(Printer::Pixels);
    for (const Op& o : texts) {
        printer.setFontSize(o.fontSize);
        EXPECT_LE(o.y + printer.TextHeight(o.text), 3400) << o.text.toStdString();
    }
}

TEST_F(SquarePrintTest, APageTooSmallForAnyLayoutStillEndsAndPrints) {
    ScopedPrinter printer(100, 300, 120);
    frmSquare* w = openTeacher();
    ASSERT_TRUE(w);
    choose(probe(w).mnuprintWL);
    ASSERT_EQ(printer.documents().size(), 1u);
    EXPECT_TRUE(findText(printer.documents()[0].texts(), "Find these words:"));
}

TEST_F(SquarePrintTest, LowerCaseLettersAreCentredOnMoreOfTheirHeight) {
    ScopedPrinter printer(600, 4760, 6800);
    frmSquare* w = openTeacher();
    ASSERT_TRUE(w);
    auto in = probe(w);
    double offset[2] = {0, 0};
    for (int upper : {0, 1}) {
        if (upper)
            choose(in.mnuCaseUpper);
        else
            choose(in.mnuCaseLower);
        choose(in.mnuPrintW);
        const auto& doc = printer.documents().back();
        const Grid g{ofKind(printer, Op::Line)[0].x, ofKind(printer, Op::Line)[0].y, 0};
        // The first letter printed is cell (1, 1).
        for (const Op& o : doc.texts())
            if (o.text.size() == 1 && o.x >= g.left) {
                printer.setScaleMode(Printer::Pixels);
                printer.setFontSize(o.fontSize);
                offset[upper] = o.y - g.top;
                const double cell = ofKind(printer, Op::Line)[1].x - g.left;
                EXPECT_DOUBLE_EQ(offset[upper], idiv(cell - (upper ? 0.7 : 0.85) * printer.TextHeight(o.text), 2));
                break;
            }
        printer.clearDocuments();
    }
    EXPECT_LT(offset[0], offset[1]) << "0.85 of the height centred sits higher than 0.7";
}

TEST_F(SquarePrintTest, NoPrinterIsToldAndNothingPrints) {
    ScopedPrinter printer;
    printer.setAvailable(false);
    frmSquare* w = openTeacher();
    ASSERT_TRUE(w);
    boxes.answer(mb::OK);
    choose(probe(w).mnuPrintA);
    EXPECT_TRUE(printer.documents().empty());
    EXPECT_EQ(boxes.msgBoxes().back().title, "No printer");
    EXPECT_EQ(mouse::pointer(), mouse::Default);
}

TEST_F(SquarePrintTest, NoSquareIsToldAndNothingPrints) {
    ScopedPrinter printer(600, 4760, 6800);
    // Every word is longer than the 5 x 5 square is wide: the first build fails.
    dir.write(QStringLiteral("WORDLIST/_001_030.TXT"), "*WORDLIST*\ngarden\nelephant\nrabbits\nmonkeys\n");
    boxes.answer(mb::OK);  // the build's message
    boxes.answer(mb::OK);  // the notice
    applyGlobals(QStringLiteral("TEACHER"));
    auto* frame = new frmSqbig;
    frame->Show();
    ASSERT_TRUE(processUntil([this] { return boxes.msgBoxes().size() == 2; }));
    EXPECT_EQ(boxes.msgBoxes().front().text, CannotBuildMessage());
    frmSquare* w = shownSquare();
    ASSERT_TRUE(w);
    auto in = probe(w);
    for (QAction* item : {in.mnuprintWL, in.mnuPrintW, in.mnuPrintAL, in.mnuPrintA}) {
        SCOPED_TRACE(item->text().toStdString());
        boxes.answer(mb::OK);
        const size_t shown = boxes.msgBoxes().size();
        item->trigger();
        EXPECT_TRUE(printer.documents().empty());
        ASSERT_EQ(boxes.msgBoxes().size(), shown + 1);
        const auto box = boxes.msgBoxes().back();
        EXPECT_EQ(box.text, QStringLiteral("There is no tavlorin to print.\r\n\r\nPlease use the 'File ... Open' menu "
                                           "to open a different wordlist, or choose another size from the 'Size' menu."));
        EXPECT_EQ(box.icon(), int(mb::Exclamation));
        EXPECT_EQ(mouse::pointer(), mouse::Default);
    }
    // A size the list fits: a square, and it prints.
    in.mnusize[8]->trigger();
    ASSERT_NE(in.square.GridLetters.at(1, 1), 0);
    in.mnuPrintA->trigger();
    EXPECT_EQ(printer.documents().size(), 1u);
}

}  // namespace
