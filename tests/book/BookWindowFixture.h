#pragma once
// What the book window tests share: the sample installation of the build (three books with
// their pictures and sounds), the globals as the frame leaves them for Reading, the journal in
// a file of its own, a small installation of its own for books made in the test, and helpers
// to open the window at a given size and to wait for the events it posts.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

#include "BookEncoder.h"
#include "book/frmBook.h"
#include "core/Globals.h"
#include "core/Registry.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/WindowShaping.h"
#include "platform/Form.h"
#include "platform/Journal.h"
#include "platform/Mouse.h"
#include "platform/Program.h"
#include "platform/Screen.h"
#include "support/FakeClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnv.h"

namespace booktest {

inline void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

using testsupport::closeAllWindows;

// The sample installation the build makes.
inline QString sampleInstallation() {
    const QString build = qEnvironmentVariable("KESTROW_BUILD");
    return QDir(build.isEmpty() ? QStringLiteral(".") : build).filePath(QStringLiteral("installation"));
}

inline const QStringList& sampleBooks() {
    static const QStringList books{QStringLiteral("01PIP"), QStringLiteral("08FROG"), QStringLiteral("12BEAR")};
    return books;
}

// The window size (pixels, 15 twips each) at which the page has these scale factors.
inline QSize sizeForScale(double sx, double sy) {
    return QSize(int(std::lround(9600 * sx / 15)), int(std::lround(6630 * sy / 15)));
}

class BookWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        closeAllWindows();
        qputenv("KESTROW_JOURNAL", journalDir.file(QStringLiteral("journal.txt")).toLocal8Bit());
        journal::reset();
        ASSERT_TRUE(QFileInfo(sampleInstallation() + QStringLiteral("/TEACHER.DAT")).isFile())
            << "the sample installation is missing: " << sampleInstallation().toStdString();
        useInstallation(sampleInstallation());
    }
    void TearDown() override {
        closeAllWindows();
        registry::setMainMenuOpener({});
        screen::clearOverride();
        qunsetenv("KESTROW_JOURNAL");
        journal::reset();
    }

    // The globals as start-up, the frame and the menu leave them for Reading.
    void useInstallation(const QString& root) {
        resetGlobals();
        screen::setOverride(1024, 768, 96, 24);
        mouse::setPointer(mouse::Default);
        gProgramRoot = root;
        gDataRoot = root;
        gCrLf = QStringLiteral("\r\n");
        gLf = QStringLiteral("\n");
        gDesignWidth = 9600;
        gDesignHeight = 6630;
        gResizeAnyState = -1;
        gShellReady = -1;
        gColourBits = 24;
        gActivity = 1;
        gBookCode = QStringLiteral("01PIP");
        QFile teacher(root + QStringLiteral("/TEACHER.DAT"));
        if (teacher.open(QIODevice::ReadOnly))
            ActiveSettings = ActivitySettingsRecord::decode(teacher.readAll());
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
    frmBook* openBook(QSize size = QSize(640, 442)) {
        shaping::setScaleFactors(size.width() * 15, size.height() * 15);
        auto* book = new frmBook;
        book->resize(size);
        book->Show();
        settle();
        return book;
    }

    void resizeBook(frmBook* book, QSize size) {
        book->resize(size);
        settle();
    }

    QStringList journalOf(const QString& kind) const {
        QStringList out;
        const QString text = QString::fromUtf8(journalDir.read(QStringLiteral("journal.txt")));
        for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
            const QString rest = line.section(u'\t', 1);
            if (rest.section(u'\t', 0, 0) == kind)
                out << rest;
        }
        return out;
    }

    // A book of the test's own in `own`: its file, a picture file for every picture name
    // (named in `missing` are left out), a sentence sound for every frame and the cover.
    void writeOwnBook(const QString& code, const bookenc::Book& book, const QStringList& missing = {}) {
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

    static QByteArray readFile(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        return f.readAll();
    }

    int menuOpened = 0;
    testsupport::TempDir own;
    testsupport::TempDir journalDir;
    testsupport::ScopedFakeClock clock;
    testsupport::ScopedDialogs boxes;
};

}  // namespace booktest
