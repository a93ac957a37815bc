#pragma once
// What the word-game window tests share: the sample installation of the build (its word lists,
// word sounds, game pictures and the losing sound), the globals as the frame and the menu leave
// them for a game, the journal in a file of its own, and helpers to open the window with a
// word list of the test's own and to play letters.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>

#include "core/Activity.h"
#include "core/Globals.h"
#include "core/Registry.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/WindowShaping.h"
#include "games/frmHangman.h"
#include "platform/GraphicalButton.h"
#include "platform/Journal.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/Screen.h"
#include "support/FakeClock.h"
#include "support/HangmanProbe.h"
#include "support/StartedGlobals.h"
#include "support/TestEnv.h"
#include "support/WindowTest.h"

namespace gametest {

using testsupport::readFile;
using testsupport::sampleInstallation;
using testsupport::settle;

class GameWindowTest : public testsupport::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        const QString sample = sampleInstallation();
        ASSERT_TRUE(testsupport::sampleInstallationIsBuilt());
        // An installation of the test's own: the sample's pictures and sounds, lists of its own.
        const QDir from(sample);
        for (const QString& folder : {QStringLiteral("BMPS"), QStringLiteral("WAVS"), QStringLiteral("WAVS/WDS")})
            for (const QString& name : QDir(from.filePath(folder)).entryList(QDir::Files))
                own.write(folder + u'/' + name, readFile(from.filePath(folder + u'/' + name)));
        own.write(QStringLiteral("TEACHER.DAT"), readFile(from.filePath(QStringLiteral("TEACHER.DAT"))));
        own.write(QStringLiteral("Reader.html"), readFile(from.filePath(QStringLiteral("Reader.html"))));
        for (const QString& name : QDir(from.filePath(QStringLiteral("WORDLIST"))).entryList(QDir::Files))
            own.write(QStringLiteral("WORDLIST/") + name, readFile(from.filePath(QStringLiteral("WORDLIST/") + name)));

        testsupport::readerGlobals(own.path());
        gBookCode = QStringLiteral("01pip");  // as TEACHER.DAT keeps it
        ActiveSettings = ActivitySettingsRecord::decode(readFile(own.path() + QStringLiteral("/TEACHER.DAT")));
        ActiveSettings.TreasureSay = 0;
        ActiveSettings.SlideFlags = 1 + 4 + 8 + 16;  // not said at the start: the tests count plays
        SavedSettings = ActiveSettings;
        menuOpened = 0;
        registry::setMainMenuOpener([this] { ++menuOpened; });
        lang::Randomize(7);
    }
    // A word list of the test's own as WORDLIST\<code>.TXT, the current book's list.
    void writeList(const QStringList& words, const QString& code = QStringLiteral("01PIP")) {
        QByteArray text = "*WORDLIST*\r\n";
        for (const QString& w : words)
            text += w.toLatin1() + "\r\n";
        text += "*END*\r\n";
        own.write(QStringLiteral("WORDLIST/") + code + QStringLiteral(".TXT"), text);
    }

    // Opens the window for the activity the menu asks for (activity::TreasureRequested or activity::Slide) at the size
    // whose scale factors are 1 (640 x 442 pixels of 15 twips).
    frmHangman* open(int activity, QSize size = testsupport::kDesignSize) {
        gActivity = activity;
        return testsupport::showScaledWindow<frmHangman>(size);
    }

    // Types the letters of a text as keys pressed where the window has its focus.
    static void type(frmHangman* game, const QString& letters) {
        QWidget* focused = game->focusWidget();
        QTest::keyClicks(focused ? focused : game, letters);
    }

    static QColor back(const QWidget* w) { return w->palette().color(QPalette::Window); }
    static QColor fore(const QWidget* w) { return w->palette().color(QPalette::WindowText); }

    int countSounds(const QString& pattern) const { return int(journalOf(QStringLiteral("sound")).filter(pattern).size()); }

    int menuOpened = 0;
    testsupport::TempDir own;
};

}  // namespace gametest
