#pragma once
// What the book window tests share on top of testsupport::WindowTest: the sample installation
// of the build (three books with their pictures and sounds), the globals as the frame leaves
// them for Reading, an installation of the test's own for the books it builds from the pieces
// below (or the small book, where the sample pages are incidental), the end of a told story,
// and helpers to open the window at a given size.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <source_location>

#include "BookEncoder.h"
#include "book/frmBook.h"
#include "core/Activity.h"
#include "core/Globals.h"
#include "core/Registry.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/WindowShaping.h"
#include "platform/Boxes.h"
#include "platform/Form.h"
#include "platform/GraphicalButton.h"
#include "platform/Journal.h"
#include "platform/Mouse.h"
#include "platform/Program.h"
#include "platform/Screen.h"
#include "support/BookProbe.h"
#include "support/FakeClock.h"
#include "support/Press.h"
#include "support/StartedGlobals.h"
#include "support/TestEnv.h"
#include "support/WindowTest.h"

using testsupport::click;

namespace booktest {

using testsupport::closeAllWindows;
using testsupport::probe;
using testsupport::readFile;
using testsupport::sampleInstallation;
using testsupport::settle;

inline const QStringList& sampleBooks() {
    static const QStringList books{QStringLiteral("01PIP"), QStringLiteral("08FROG"), QStringLiteral("12BEAR")};
    return books;
}

inline bool shown(const QWidget* w) { return !w->isHidden(); }

// The window once a told story has ended, however it ended: back on the first page, nothing
// busy, the page buttons back and Stop gone.
inline void expectAtRestAfterStory(const frmBook* b, std::source_location at = std::source_location::current()) {
    const ::testing::ScopedTrace trace(at.file_name(), int(at.line()), "after the story");
    auto in = probe(b);
    EXPECT_EQ(gFrame, 1);
    EXPECT_EQ(gBusy, 0);
    EXPECT_EQ(in.TellingStory, 0);
    EXPECT_EQ(in.PageButtonsShown, -1);
    EXPECT_FALSE(shown(in.cmdCancel));
    EXPECT_TRUE(shown(in.cmdNext));
    EXPECT_TRUE(shown(in.cmdMenu));
}

// The window size (pixels, 15 twips each) at which the page has these scale factors.
inline QSize sizeForScale(double sx, double sy) {
    return QSize(int(std::lround(9600 * sx / 15)), int(std::lround(6630 * sy / 15)));
}

// ---- books of the test's own ----

// The title block of their title pages.
inline const bookenc::Block kOwnTitle{1500, 300, 7320, 780, 1500, QStringLiteral("Own Book")};

// A line of text at `top` twips, where the sample books put theirs.
inline bookenc::Block line(int top, const QString& text, int width = 8160) {
    return {1080, top, width, 690, 1080, text};
}

// A page of the blocks and pictures, with a timing mark every 0.4 s, one for each word.
inline bookenc::Frame page(const QList<bookenc::Block>& blocks, const QList<bookenc::Picture>& pictures = {},
                           const QString& link = QString()) {
    bookenc::Frame f;
    f.blocks = blocks;
    f.pictures = pictures;
    for (const bookenc::Block& b : blocks)
        for (int k = 0; k < b.text.split(u' ', Qt::SkipEmptyParts).size(); ++k)
            f.marks.append(0.4 * (f.marks.size() + 1));
    f.link = link;
    return f;
}

// "Own Book" of the pages, the first of them its title page.
inline bookenc::Book bookOf(const QList<bookenc::Frame>& frames, int fontSize = 28) {
    bookenc::Book b;
    b.title = QStringLiteral("Own Book");
    b.fontSize = fontSize;
    b.frames = frames;
    return b;
}

// Its title page, then one line of text a page, a timing mark for each word.
inline bookenc::Book ownBook(const QStringList& pages) {
    bookenc::Frame title;
    title.blocks = {kOwnTitle};
    title.marks = {0.3, 0.5};
    bookenc::Book book = bookOf({title});
    for (const QString& text : pages) {
        bookenc::Frame f;
        f.blocks = {line(4500, text)};
        for (qsizetype k = 0; k < text.split(u' ', Qt::SkipEmptyParts).size(); ++k)
            f.marks.append(0.2 * double(k + 1));
        book.frames.append(f);
    }
    return book;
}

// The book for the tests to which the sample pages are incidental, with the parts they look
// at: a title page with its cover, a page of two lines and a picture, then the last page, of
// one line and a picture.
inline bookenc::Book smallBook() {
    const bookenc::Picture picture{1560, 240, 4200, 3750, QStringLiteral("PIC")};
    return bookOf({page({kOwnTitle}, {{2460, 1320, 4200, 3750, QStringLiteral("COVER")}}),
                   page({line(4500, QStringLiteral("Pip the pup sat.")),
                         line(5340, QStringLiteral("He sat on a mat."))},
                        {picture}),
                   page({line(4500, QStringLiteral("The end."))}, {picture})});
}

class BookWindowTest : public testsupport::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(testsupport::sampleInstallationIsBuilt());
        useInstallation(sampleInstallation());
    }
    // The globals as start-up, the frame and the menu leave them for Reading.
    void useInstallation(const QString& root) {
        testsupport::readerGlobals(root);
        gActivity = activity::Reading;
        gBookCode = QStringLiteral("01PIP");
        ActiveSettings = testsupport::storedTeacher(root);
        ActiveSettings.ReadHearSentence = -1;
        ActiveSettings.ReadHearWord = -1;
        ActiveSettings.ReadPrint = -1;
        ActiveSettings.ReadTellStory = -1;
        ActiveSettings.WriteHearSentence = -1;
        ActiveSettings.WriteTellStory = -1;
        ActiveSettings.WriteStartWithText = -1;
        SavedSettings = ActiveSettings;
        menuOpened = 0;
        registry::setMainMenuOpener([this] { ++menuOpened; });
    }

    // Opens the window for gBookCode and gActivity at the given size and lets it show its first
    // page. The scale factors are those of that size, as the frame would have set them.
    frmBook* openBook(QSize size = testsupport::kDesignSize) { return testsupport::showScaledWindow<frmBook>(size); }

    // Opens the window and turns to frame f.
    frmBook* openAt(int f) {
        frmBook* b = openBook();
        while (gFrame < f)
            click(probe(b).cmdNext);
        EXPECT_EQ(gFrame, f);
        return b;
    }

    void resizeBook(frmBook* book, QSize size) {
        book->resize(size);
        settle();
    }

    // The book as OWN in an installation of its own, `own`, which the test then uses (the
    // globals as useInstallation() leaves them, the book OWN).
    void useOwnBook(const bookenc::Book& book, const QStringList& missing = {}) {
        writeOwnBook(book, missing);
        useInstallation(own.path());
        gBookCode = QStringLiteral("OWN");
    }

    // The book as OWN in `own`: its file, a picture file for every picture name (named in
    // `missing` are left out), a sentence sound for every frame and the cover.
    void writeOwnBook(const bookenc::Book& book, const QStringList& missing = {}) {
        const QString code = QStringLiteral("OWN");
        const QString sample = sampleInstallation();
        own.write(QStringLiteral("DATA/") + code + QStringLiteral(".DAT"), bookenc::encodeBook(book));
        const QByteArray picture = readFile(sample + QStringLiteral("/BMPS/01PIP/COLPIP04.BMP"));
        const QByteArray sound = readFile(sample + QStringLiteral("/WAVS/01PIP/SNT01.WAV"));
        own.write(QStringLiteral("BMPS/") + code + u'/' + code + QStringLiteral(".DIB"), picture);
        for (int f = 1; f <= book.frames.size(); ++f) {
            own.write(QStringLiteral("WAVS/%1/SNT%2.WAV").arg(code).arg(f % 100, 2, 10, QChar(u'0')), sound);
            for (const bookenc::Picture& p : book.frames[f - 1].pictures)
                if (!missing.contains(p.name))
                    own.write(QStringLiteral("BMPS/") + code + u'/' + p.name + QStringLiteral(".BMP"), picture);
        }
        own.write(QStringLiteral("TEACHER.DAT"), readFile(sample + QStringLiteral("/TEACHER.DAT")));
        own.write(QStringLiteral("Reader.html"), readFile(sample + QStringLiteral("/Reader.html")));
        own.write(QStringLiteral("WAVS/CLICK.WAV"), sound);
    }

    int menuOpened = 0;
    testsupport::TempDir own;
};

}  // namespace booktest
