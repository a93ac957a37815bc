#pragma once
// What the main menu's window tests share: a small installation in a temporary folder (settings,
// two books, a help page), the globals set as the frame leaves them, the journal in a file of
// its own, and helpers that act on a modal dialog once it is up.
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "core/Activity.h"
#include "core/Globals.h"
#include "core/Registry.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/frmKest.h"
#include "menu/frmMenu.h"
#include "platform/Form.h"
#include "platform/GraphicalButton.h"
#include "platform/Journal.h"
#include "platform/Mouse.h"
#include "platform/Program.h"
#include "platform/Screen.h"
#include "support/FakeClock.h"
#include "support/SettingsFolder.h"
#include "support/StartedGlobals.h"
#include "support/TestEnv.h"
#include "support/WindowTest.h"

namespace menutest {

using testsupport::closeAllWindows;
using testsupport::findForm;
using testsupport::processUntil;
using testsupport::settle;
using testsupport::WhenShown;

// Every picture button enabled, as a teacher who allows everything sets it.
inline ActivitySettingsRecord allOn() {
    ActivitySettingsRecord s;
    s.Book.setText(QStringLiteral("01PIP"));
    s.ReadOn = s.WriteOn = s.TreasureOn = s.ClozeTypeOn = s.BookChoice = -1;
    s.SlideFlags = 1;
    s.ClozeChoose = 16 + 3;
    return s;
}

class MenuTest : public testsupport::WindowTest, protected testsupport::SettingsFolder {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        mouse::setPointer(mouse::Default);

        dir.write(QStringLiteral("DATA/01PIP.DAT"), QByteArray("book one"));
        dir.write(QStringLiteral("DATA/02HEN.DAT"), QByteArray("book two"));
        dir.write(QStringLiteral("Reader.html"),
                  QByteArray("<html><body><h1 id=\"topic-80\">The main menu</h1><p>Help.</p></body></html>"));
        global.TrackingOn = 0;
        teacher = allOn();
        writeGlobal();
        writeTeacher();

        applyGlobals();
    }
    // The globals as start-up and the frame's load leave them.
    void applyGlobals() {
        testsupport::startedGlobals(dir.path(), 800, 600);
        registry::reset();
        gMinShellWidth = 320;
        gMinShellHeight = 240;
        gBookFiles = {QStringLiteral("01PIP"), QStringLiteral("02HEN")};
        gBookCount = 2;
        gBookCode = QStringLiteral("01PIP");
        gUserName = QStringLiteral("Unknown");
        gSplashDone = 1;
        GlobalSettings = global;
        ActiveSettings = teacher;
        SavedSettings = teacher;
        gShellReady = -1;
        gStartChecksDone = -1;  // the display checks only where a test asks for them
        gScaleX = gScaleY = gScale = 1.0;
    }
    void closeAllWindowsAndReset() {
        closeAllWindows();
        applyGlobals();
    }

    // A menu on its own (no frame): 640 x 442 pixels is the design surface at 15 twips a pixel.
    frmMenu* openMenu(QSize size = testsupport::kDesignSize) { return testsupport::showWindow<frmMenu>(size); }

    // The frame as start-up shows it, with the main menu registered as the program does.
    frmKest* openFrame() {
        registry::setMainMenuOpener([] {
            auto* menu = new frmMenu;
            shell::showChild(menu, menu->menuBar());
        });
        gShellReady = 0;
        auto* frame = new frmKest;
        frame->Show();
        EXPECT_TRUE(processUntil([] { return gShellReady == -1 && findForm(QStringLiteral("frmMenu")); }));
        settle();
        return frame;
    }
    frmMenu* shownMenu() const { return qobject_cast<frmMenu*>(findForm(QStringLiteral("frmMenu"))); }
};

}  // namespace menutest
