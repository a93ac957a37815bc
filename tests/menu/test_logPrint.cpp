// Printing the tracking log, all of it or the selected part, on a recording printer.
#include <QAction>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "TeacherFixture.h"
#include "menu/frmLog.h"
#include "platform/Mouse.h"
#include "platform/Printer.h"
#include "support/Press.h"
#include "support/RecordingPrinter.h"

using testsupport::choose;

using teachertest::logFile;
using teachertest::TeacherTest;
using testsupport::showWindow;
using Op = testsupport::RecordingPrinter::Op;

namespace {

const QString kLog = QStringLiteral(
    "Kestrow Readers - Log File\r\n\r\n=====\r\nLog for Anna\r\n9:00 am.  Reading  2 mins\r\n=====\r\n"
    "Log for Bob\r\n10:00 am.  Writing  3 mins\r\n");

class LogPrintTest : public TeacherTest {
protected:
    void SetUp() override {
        TeacherTest::SetUp();
        dir.write(QStringLiteral("USERS.DAT"), teachertest::usersFile({"Anna", "Bob"}));
        GlobalSettings.TrackingOn = 1;
    }
    frmLog* openLog(const QString& log) {
        dir.write(QStringLiteral("LOG.DAT"), logFile(log));
        return showWindow<frmLog>();
    }
    void select(frmLog* l, const QString& from, const QString& to) {
        const QString box = l->txtlog->toPlainText();
        QTextCursor c = l->txtlog->textCursor();
        c.setPosition(int(box.indexOf(from)));
        c.setPosition(int(box.indexOf(to) + to.size()), QTextCursor::KeepAnchor);
        l->txtlog->setTextCursor(c);
    }
};

TEST_F(LogPrintTest, PrintAllPutsTheHeaderThenEveryLineIndented) {
    testsupport::ScopedPrinter printer(600, 4760, 6800);
    frmLog* l = openLog(kLog);
    l->mnuPrintall->trigger();
    EXPECT_EQ(mouse::pointer(), mouse::Default);
    ASSERT_EQ(printer.documents().size(), 1u);
    const auto t = printer.documents()[0].texts();
    const QStringList pieces = kLog.split("\r\n");  // the last piece, after the last line end, is empty
    ASSERT_EQ(t.size(), size_t(1 + pieces.size()));

    const Op& header = t[0];
    EXPECT_EQ(header.text.trimmed(), "Kestrow Readers");
    EXPECT_EQ(header.fontName, "Arial");
    EXPECT_DOUBLE_EQ(header.fontSize, 8);
    EXPECT_DOUBLE_EQ(header.y, 0);
    printer.setScaleMode(Printer::Pixels);  // what was recorded is in printer pixels
    printer.setFontName("Arial");
    printer.setFontSize(8);
    const double headerLine = printer.TextHeight("K");
    const double blank = printer.TextWidth(" ");
    EXPECT_GT(printer.TextWidth(header.text), printer.ScaleWidth() - 2 * blank - 1e-6);
    EXPECT_LE(printer.TextWidth(header.text), printer.ScaleWidth() - blank + 1e-6);

    printer.setFontName("Courier New");
    printer.setFontSize(12);
    const double line = printer.TextHeight("K");
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const Op& o = t[size_t(i + 1)];
        SCOPED_TRACE(pieces[i].toStdString());
        EXPECT_EQ(o.text, "      " + pieces[i]);
        EXPECT_EQ(o.fontName, "Courier New");
        EXPECT_DOUBLE_EQ(o.fontSize, 12);
        EXPECT_DOUBLE_EQ(o.x, 0);
        // Two empty lines below the header, then a line each.
        EXPECT_NEAR(o.y, headerLine + (2 + i) * line, 1e-6);
    }
}

TEST_F(LogPrintTest, ALongLogRunsOnToNewPagesWithTheHeaderOnTheFirstOnly) {
    QString log = QStringLiteral("Kestrow Readers - Log File\r\n\r\n");
    for (int i = 1; i <= 150; ++i)
        log += QStringLiteral("9:%1 am.  Reading  1 mins\r\n").arg(i % 60, 2, 10, QChar(u'0'));
    testsupport::ScopedPrinter printer(300, 2380, 3400);
    frmLog* l = openLog(log);
    choose(l->mnuPrintall);
    ASSERT_EQ(printer.documents().size(), 1u);
    const auto& doc = printer.documents()[0];
    const auto t = doc.texts();
    ASSERT_EQ(t.size(), size_t(1 + 152 + 1));
    printer.setScaleMode(Printer::Pixels);
    printer.setFontName("Courier New");
    printer.setFontSize(12);
    const double line = printer.TextHeight("K");
    EXPECT_GE(doc.pages, 2);
    int headers = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        headers += t[i].text.trimmed() == "Kestrow Readers";
        EXPECT_LE(t[i].y + line, 3400 + 1e-6) << i;
        if (i > 0 && t[i].page != t[i - 1].page) {
            EXPECT_EQ(t[i].page, t[i - 1].page + 1);
            EXPECT_DOUBLE_EQ(t[i].y, 0) << "a new page starts at the top";
        }
    }
    EXPECT_EQ(headers, 1);
    EXPECT_EQ(t.back().page, doc.pages);
}

TEST_F(LogPrintTest, PrintSelectionPrintsOnlyTheSelectedLinesOrWarns) {
    testsupport::ScopedPrinter printer;
    frmLog* l = openLog(kLog);
    boxes.answer(mb::OK);
    l->mnuPrintsel->trigger();
    EXPECT_TRUE(printer.documents().empty());
    auto shown = boxes.msgBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "No text selected");

    select(l, "Log for Anna", "2 mins");
    l->mnuPrintsel->trigger();
    ASSERT_EQ(printer.documents().size(), 1u);
    std::vector<QString> lines = printer.documents()[0].lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "      Log for Anna");
    EXPECT_EQ(lines[2], "      9:00 am.  Reading  2 mins");
}

TEST_F(LogPrintTest, NoPrinterIsToldAndNothingPrints) {
    testsupport::ScopedPrinter printer;
    printer.setAvailable(false);
    frmLog* l = openLog(kLog);
    boxes.answer(mb::OK);
    choose(l->mnuPrintall);
    EXPECT_TRUE(printer.documents().empty());
    EXPECT_EQ(printer.pageCount(), 0);
    const auto shown = boxes.msgBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "No printer");
    EXPECT_EQ(mouse::pointer(), mouse::Default);
}

}  // namespace
