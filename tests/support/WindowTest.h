#pragma once
// What every window test starts from and leaves behind: no window of the test before, the
// globals and the registry hooks as a program finds them before its start-up, the screen of
// the machine, the journal in a file of its own, the fake clock and scripted boxes. A header
// of its own, as the support library does not link the core.
#include <QSize>
#include <QStringList>
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/Registry.h"
#include "core/Shell.h"
#include "core/WindowShaping.h"
#include "core/frmKest.h"
#include "platform/Screen.h"
#include "support/FakeClock.h"
#include "support/JournalFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnv.h"

namespace testsupport {

// The design surface of 9600 x 6630 twips at 15 twips a pixel.
inline constexpr QSize kDesignSize{640, 442};

// A new window of the kind at `size` pixels, shown, with the events of its showing run.
template <class W>
W* showWindow(QSize size = kDesignSize) {
    auto* w = new W;
    w->resize(size);
    w->Show();
    settle();
    return w;
}

// The same for a child of the frame, with the scale factors the frame would set for that size.
template <class W>
W* showScaledWindow(QSize size = kDesignSize) {
    shaping::setScaleFactors(size.width() * 15, size.height() * 15);
    return showWindow<W>(size);
}

// The reading program's frame as start-up shows it for a child's activity (no name asked, no
// log kept, no speech engine), once it is ready or the wait for it is over: the caller checks
// gShellReady.
inline frmKest* showStartedFrame() {
    GlobalSettings.UserNameFlags = 0;
    GlobalSettings.TrackingOn = 0;
    GlobalSettings.SpeechDisabled = -1;
    gShellReady = 0;
    auto* frame = new frmKest;
    frame->Show();
    for (int i = 0; i < 200 && gShellReady != -1; ++i)
        settle();
    return frame;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        closeAllWindows();
        resetGlobals();
        registry::reset();
        screen::clearOverride();
        journalFile.start();
    }
    void TearDown() override {
        closeAllWindows();
        registry::reset();
        screen::clearOverride();
        journalFile.stop();
    }

    // The journal lines written so far, each without its time field.
    QStringList journalLines() const { return journalFile.lines(); }
    // The lines of one kind, whole.
    QStringList journalOf(const QString& kind) const { return journalFile.of(kind); }

    JournalFile journalFile;
    ScopedFakeClock clock;
    ScopedDialogs boxes;
};

}  // namespace testsupport
