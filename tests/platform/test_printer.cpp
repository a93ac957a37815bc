#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include "platform/Journal.h"
#include "platform/Printer.h"
#include "support/RecordingPrinter.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnv.h"

using testsupport::RecordingPrinter;
using testsupport::ScopedDialogs;
using testsupport::ScopedPrinter;

namespace {

TEST(PrinterModel, ScaleModesConvertBetweenTwipsAndPrinterPixels) {
    ScopedPrinter p(600, 4800, 6600);
    EXPECT_EQ(p.ScaleMode(), Printer::Twips);
    EXPECT_DOUBLE_EQ(p.TwipsPerPixelX(), 2.4);
    EXPECT_DOUBLE_EQ(p.TwipsPerPixelY(), 2.4);
    EXPECT_DOUBLE_EQ(p.ScaleWidth(), 4800 * 2.4);
    EXPECT_DOUBLE_EQ(p.ScaleHeight(), 6600 * 2.4);
    const double wTwips = p.TextWidth("Kestrow");
    p.setCurrentX(100);
    p.setScaleMode(Printer::Pixels);
    EXPECT_DOUBLE_EQ(p.CurrentX(), 0) << "a new scale mode starts at the top left";
    EXPECT_DOUBLE_EQ(p.ScaleLeft(), 0);
    EXPECT_DOUBLE_EQ(p.ScaleTop(), 0);
    EXPECT_DOUBLE_EQ(p.ScaleWidth(), 4800);
    EXPECT_DOUBLE_EQ(p.ScaleHeight(), 6600);
    EXPECT_NEAR(p.TextWidth("Kestrow") * 2.4, wTwips, 1e-6);

    // In twips, a drawing at 1440 twips lands one inch (600 pixels) in.
    p.setScaleMode(Printer::Twips);
    p.setCurrentX(1440);
    p.setCurrentY(720);
    p.Print("inch");
    p.EndDoc();
    ASSERT_EQ(p.documents().size(), 1u);
    const auto t = p.documents()[0].texts();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_NEAR(t[0].x, 600, 1e-6);
    EXPECT_NEAR(t[0].y, 300, 1e-6);
}

TEST(PrinterModel, FontMeasuresGrowWithTheSizeAndFollowTheResolution) {
    ScopedPrinter p300(300, 2400, 3300);
    p300.setScaleMode(Printer::Pixels);
    p300.setFontName("Arial");
    p300.setFontSize(12);
    const double h300 = p300.TextHeight("Tg");
    const double w300 = p300.TextWidth("Kestrow Readers");
    // 12 points at 300 dpi: the cell is about 1.15 em = 57 pixels.
    EXPECT_NEAR(h300, 12.0 / 72 * 300 * 1.15, 6);
    p300.setFontSize(24);
    EXPECT_NEAR(p300.TextHeight("Tg"), 2 * h300, 3);
    EXPECT_NEAR(p300.TextWidth("Kestrow Readers"), 2 * w300, 6);
    p300.setFontBold(true);
    EXPECT_GT(p300.TextWidth("Kestrow Readers"), 2 * w300);

    RecordingPrinter p600(600, 4800, 6600);
    p600.setScaleMode(Printer::Pixels);
    p600.setFontSize(12);
    EXPECT_NEAR(p600.TextHeight("Tg"), 2 * h300, 3);
    p600.setFontSize(0.1);
    EXPECT_DOUBLE_EQ(p600.FontSize(), 1) << "a size below one point is one point";
}

TEST(PrinterModel, PrintPutsTheCellTopAtCurrentYAndMovesDownALine) {
    ScopedPrinter p(600, 4800, 1000);
    p.setScaleMode(Printer::Pixels);
    p.setFontName("Courier New");
    p.setFontSize(12);
    const double line = p.TextHeight("x");
    p.setCurrentX(250);
    p.setCurrentY(40);
    p.Print("first");
    EXPECT_DOUBLE_EQ(p.CurrentX(), 0);
    EXPECT_NEAR(p.CurrentY(), 40 + line, 1e-9);
    p.Print();  // an empty line prints nothing but moves down
    p.Print("third");

    // The page holds (1000 - 40) / line lines; the rest go on to a second page from the top.
    for (int i = 0; i < 20; ++i)
        p.Print(QString("line %1").arg(i));
    ASSERT_TRUE(p.EndDoc());
    const auto& doc = p.documents().at(0);
    const auto t = doc.texts();
    ASSERT_EQ(t.size(), 22u);
    EXPECT_NEAR(t[0].x, 250, 1e-9);
    EXPECT_NEAR(t[0].y, 40, 1e-9);
    EXPECT_EQ(t[0].fontName, "Courier New");
    EXPECT_NEAR(t[1].y, 40 + 2 * line, 1e-9);
    EXPECT_NEAR(t[1].x, 0, 1e-9);
    // Where each of the 23 lines (the empty one included) should stand.
    int page = 1;
    double y = 40;
    std::vector<std::pair<int, double>> expected;
    for (int i = 0; i < 23; ++i) {
        if (i > 0 && y + line > 1000) {
            ++page;
            y = 0;
        }
        if (i != 1)
            expected.emplace_back(page, y);
        y += line;
    }
    ASSERT_GE(page, 2) << "the lines must overflow the first page";
    for (size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(t[i].page, expected[i].first) << t[i].text.toStdString();
        EXPECT_NEAR(t[i].y, expected[i].second, 1e-6) << t[i].text.toStdString();
        EXPECT_LE(t[i].y + line, 1000 + 1e-6) << t[i].text.toStdString() << " runs past the bottom";
    }
    EXPECT_EQ(doc.pages, page);
}

TEST(PrinterModel, PicturesLinesBoxesNewPagesAndDocuments) {
    ScopedPrinter p(600, 4800, 6600);
    EXPECT_TRUE(p.EndDoc()) << "ending an empty document sends nothing";
    EXPECT_TRUE(p.documents().empty());

    p.setScaleMode(Printer::Pixels);
    QImage pic(10, 20, QImage::Format_RGB32);
    pic.fill(Qt::red);
    p.PaintPicture(pic, 100, 200, 300, 400);
    p.setDrawWidth(3);
    p.Line(10, 20, 110, 20);
    EXPECT_DOUBLE_EQ(p.CurrentX(), 110);
    p.setDrawWidth(0);
    EXPECT_EQ(p.DrawWidth(), 1);
    p.Box(5, 6, 70, 80, Qt::black);
    p.NewPage();
    EXPECT_DOUBLE_EQ(p.CurrentY(), 0);
    p.FilledBox(1, 2, 3, 4, QColor(0, 255, 255));
    EXPECT_EQ(p.pageCount(), 2);
    ASSERT_TRUE(p.EndDoc());
    EXPECT_EQ(p.pageCount(), 0);

    ASSERT_EQ(p.documents().size(), 1u);
    const auto& ops = p.documents()[0].ops;
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[0].kind, RecordingPrinter::Op::Picture);
    EXPECT_EQ(ops[0].picture.size(), QSize(10, 20));
    EXPECT_DOUBLE_EQ(ops[0].w, 300);
    EXPECT_DOUBLE_EQ(ops[0].h, 400);
    EXPECT_EQ(ops[1].kind, RecordingPrinter::Op::Line);
    EXPECT_EQ(ops[1].width, 3);
    EXPECT_DOUBLE_EQ(ops[1].w, 100);
    EXPECT_EQ(ops[2].kind, RecordingPrinter::Op::Box);
    EXPECT_EQ(ops[2].width, 1);
    EXPECT_EQ(ops[2].page, 1);
    EXPECT_EQ(ops[3].kind, RecordingPrinter::Op::FilledBox);
    EXPECT_EQ(ops[3].page, 2);
    EXPECT_EQ(ops[3].colour, QColor(0, 255, 255));
    EXPECT_EQ(p.documents()[0].pages, 2);

    // The next drawing begins a new document.
    p.Print("again");
    p.EndDoc();
    EXPECT_EQ(p.documents().size(), 2u);
}

TEST(PrinterReady, NoPrinterTellsTheUserAndPrintsNothing) {
    ScopedPrinter p;
    EXPECT_TRUE(printerReady());
    p.setAvailable(false);
    ScopedDialogs d;
    d.answer(mb::OK);
    EXPECT_FALSE(printerReady());
    const auto boxes = d.msgBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "No printer");
    EXPECT_TRUE(boxes[0].text.contains("no printer")) << boxes[0].text.toStdString();
    EXPECT_EQ(boxes[0].icon(), int(mb::Exclamation));
}

// The real device, writing PDF files under KESTROW_PRINT; pdftotext reads them back.
class PdfPrinting : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("KESTROW_PRINT", dir_.file("jobs").toLocal8Bit());
        qputenv("KESTROW_JOURNAL", dir_.file("journal.txt").toLocal8Bit());
        journal::reset();
    }
    void TearDown() override {
        qunsetenv("KESTROW_JOURNAL");
        journal::reset();
    }
    static QString pdfText(const QString& pdf) {
        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        EXPECT_TRUE(p.waitForFinished(20000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    testsupport::TempDir dir_;
};

TEST_F(PdfPrinting, EachJobBecomesTheNextNumberedPdfWithItsText) {
    Printer& p = printer();
    ASSERT_TRUE(p.isAvailable());
    p.setScaleMode(Printer::Pixels);
    EXPECT_DOUBLE_EQ(p.TwipsPerPixelX(), 2.4);
    EXPECT_GT(p.ScaleWidth(), 4000);
    EXPECT_GT(p.ScaleHeight(), p.ScaleWidth());
    p.setFontName("Arial");
    p.setFontSize(14);
    p.setCurrentX(300);
    p.setCurrentY(300);
    p.Print("Kestrow Readers first job");
    p.Box(200, 200, 3000, 400);
    p.NewPage();
    p.Print("Second page");
    ASSERT_TRUE(p.EndDoc());

    p.setScaleMode(Printer::Pixels);
    p.Print("Another job");
    ASSERT_TRUE(p.EndDoc());

    const QString first = dir_.path() + "/jobs/job-001.pdf";
    const QString second = dir_.path() + "/jobs/job-002.pdf";
    ASSERT_TRUE(QFile::exists(first));
    ASSERT_TRUE(QFile::exists(second));
    const QString text = pdfText(first);
    EXPECT_TRUE(text.contains("Kestrow Readers first job")) << text.toStdString();
    EXPECT_TRUE(text.contains("Second page")) << text.toStdString();
    EXPECT_EQ(text.count('\f'), 2) << "two pages";
    EXPECT_TRUE(pdfText(second).contains("Another job"));

    const QByteArray journal = dir_.read("journal.txt");
    EXPECT_TRUE(journal.contains(("\tprint\t" + first + "\t2\n").toUtf8())) << journal.toStdString();
    EXPECT_TRUE(journal.contains(("\tprint\t" + second + "\t1\n").toUtf8())) << journal.toStdString();
}

TEST_F(PdfPrinting, AJobThatCannotBeWrittenIsReportedNotSwallowed) {
    // A plain file where the job folder should be: the PDF cannot be created.
    dir_.write("blocked", "x");
    qputenv("KESTROW_PRINT", dir_.file("blocked").toLocal8Bit());
    ScopedDialogs d;
    d.answer(mb::OK);
    Printer& p = printer();
    p.setScaleMode(Printer::Pixels);
    p.Print("lost");
    EXPECT_FALSE(p.EndDoc());
    const auto boxes = d.msgBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Printing");
    EXPECT_TRUE(dir_.read("journal.txt").contains("\tprint\tfailed\t1\n"));
}

}  // namespace
