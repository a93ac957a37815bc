#pragma once
// What the word-square window tests share: a small installation (settings, users, log, three
// word lists and the sounds), the globals as start-up leaves them, the journal in a file of its
// own, and the frame of either edition opened as the program opens it.
#include <QApplication>
#include <QElapsedTimer>
#include <QPoint>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/Registry.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/StartupFixture.h"
#include "platform/Form.h"
#include "platform/Journal.h"
#include "platform/Mouse.h"
#include "platform/Program.h"
#include "platform/Screen.h"
#include "square/frmSqbig.h"
#include "square/frmSquare.h"
#include "support/FakeClock.h"
#include "support/ScriptedDialogs.h"
#include "support/SettingsFolder.h"
#include "support/SoundFiles.h"
#include "support/SquareProbe.h"
#include "support/StartedGlobals.h"
#include "support/TestEnv.h"

namespace squaretest {

using startuptest::findForm;
using startuptest::processUntil;
using startuptest::userRecords;
using startuptest::whenShown;
using testsupport::closeAllWindows;
using testsupport::probe;
using testsupport::settle;

inline const QByteArray kRangeList =
    "*WORDLIST*\r\ncat\r\ndog\r\nhen\r\npig\r\nsun\r\nrun\r\nfish\r\nball\r\ntree\r\nhome\r\nstars\r\nhappy\r\n"
    "night\r\ncomes\r\nwhat\r\nbird\r\ngood\r\njumps\r\n*END*\r\n";

class SquareTest : public testsupport::WindowTest, protected testsupport::SettingsFolder {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        dir.write(QStringLiteral("WORDLIST/_001_030.TXT"), kRangeList);
        dir.write(QStringLiteral("WORDLIST/01PIP.TXT"), "*WORDLIST*\npip,pup,this,has,big,red,ball,kicks\n");
        dir.write(QStringLiteral("WORDLIST/NOTES.TXT"), "just some notes\n");
        for (const char* wav : {"YES", "NO", "CHEER", "CLICK"})
            dir.write(QStringLiteral("WAVS/%1.WAV").arg(QLatin1String(wav)), testsupport::silentWav());
        dir.write(QStringLiteral("USERS.DAT"), userRecords({QStringLiteral("Ann"), QStringLiteral("Teacher")}));
        dir.write(QStringLiteral("LOG.DAT"), QByteArray(2, 0));
        teacher.Book.setText(QStringLiteral("01PIP"));
        teacher.AasAy = -1;
        writeTeacher();
        writeGlobal();
    }

    // The globals as the splash leaves them, for the edition.
    void applyGlobals(const QString& edition) {
        testsupport::startedGlobals(dir.path(), 800, 600);
        SetUpSquareProgram(edition);
        gMinShellWidth = 320;
        gMinShellHeight = 240;
        gVersionText = QStringLiteral("Version 5.0 November 2010");
        GlobalSettings = global;
    }

    // The frame of the edition, up to its word-square window with its first square.
    frmSquare* openEdition(const QString& edition) {
        applyGlobals(edition);
        auto* frame = new frmSqbig;
        frame->Show();
        EXPECT_TRUE(processUntil([] { return gShellReady == -1 && findForm(QStringLiteral("frmSquare")); }));
        auto* w = shownSquare();
        EXPECT_TRUE(w);
        EXPECT_TRUE(processUntil([w] { return w && probe(w).square.GridLetters.at(1, 1) != 0; }));
        settle();
        return w;
    }
    frmSquare* shownSquare() const { return qobject_cast<frmSquare*>(findForm(QStringLiteral("frmSquare"))); }

    // A press and release of the left button on the square's picture, at a point in twips.
    static void clickPicture(frmSquare* w, double xTwips, double yTwips) {
        const QPoint at(int(std::lround(xTwips / screen::twipsPerPixelX())),
                        int(std::lround(yTwips / screen::twipsPerPixelY())));
        QTest::mouseClick(probe(w).pic, Qt::LeftButton, {}, at);
    }
    // The same at the middle of a cell (1-based).
    static void clickCell(frmSquare* w, int col, int row) {
        auto in = probe(w);
        clickPicture(w, (col - 1) * in.CellWidth + in.CellWidth / 2.0, (row - 1) * in.CellHeight + in.CellHeight / 2.0);
    }
    // Clicks every letter of every placed word, word after word.
    static void solveAll(frmSquare* w) {
        const std::vector<Placement> placements = probe(w).square.Placements;
        for (const Placement& p : placements)
            for (int t = 0; t < p.word.size(); ++t)
                clickCell(w, p.direction == 0 ? p.col + t : p.col, p.direction == 0 ? p.row : p.row + t);
    }
};

}  // namespace squaretest
