#include "square/frmSqbig.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include "core/Activity.h"
#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Registry.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/Startup.h"
#include "core/frmNoData.h"
#include "core/frmSplash.h"
#include "core/frmWarning.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Program.h"
#include "platform/Screen.h"
#include "platform/WaveDevice.h"
#include "square/SquareSettings.h"
#include "square/frmSquare.h"

namespace {
QPointer<frmSqbig> gSquareFrame;
}

frmSqbig::frmSqbig() : frmKest(QStringLiteral("frmSqbig")) {
    setCaption(QStringLiteral("Tavlorin"));
    // The frame's File menu holds Exit alone.
    mnuFile->removeAction(mnuMenu);
    mnuFile->removeAction(mnuBlank1);
    mnuHelpSearch->setText(QStringLiteral("&Search for help on..."));
    gSquareFrame = this;
}

frmSqbig* frmSqbig::instance() {
    if (gSquareFrame && gSquareFrame->isLoaded() && !gSquareFrame->isUnloaded())
        return gSquareFrame;
    return nullptr;
}

void OpenFramePlayer(WaveDevice& player, const QString& relativeName) {
    player.Command(QStringLiteral("Close"));
    player.DeviceType = QStringLiteral("WaveAudio");
    player.FileName = FindDataFile(relativeName, 1);
    player.Command(QStringLiteral("Open"));
}

void frmSqbig::Form_Load() {
    placeFrame();
    colourCheck();
    if (isUnloaded())
        return;

    gMDIForm = this;
    OpenFramePlayer(*MM_Yes, QStringLiteral("WAVS\\YES.WAV"));
    OpenFramePlayer(*MM_No, QStringLiteral("WAVS\\NO.WAV"));

    if (!IsTeacherEdition(gEditionName)) {
        if (!askUserName())
            return;
        StartSession();
    }

    // The pupil edition too uses the teacher's record, whatever UserNameFlags says.
    LoadTeacherSettings(QStringLiteral("TEACHER.DAT"));
    ActiveSettings = SavedSettings;
    gSplashDone = 1;
}

void frmSqbig::colourCheck() {
    if (colourChecked_)
        return;
    colourChecked_ = true;
    gColourBits = screen::colourBits();
    const double colours = gColourBits >= 31 ? 2147483648.0 : double(int64_t(1) << gColourBits);
    if (colours >= 256) {
        if (GlobalSettings.NoColourWarning == -1) {
            GlobalSettings.NoColourWarning = 0;
            SaveGlobalSettings(0);
        }
    } else if (GlobalSettings.NoColourWarning == 0) {
        gWarningKind = QStringLiteral("Colour");
        ShowWarningDialog();
    }
}

void frmSqbig::Form_Unload(int& cancel) {
    (void)cancel;
    if (unloaded_)
        return;
    unloaded_ = true;
    Help(SquareHelpFile(), help::Quit, 0);
    MM_Yes->Command(QStringLiteral("Close"));
    MM_No->Command(QStringLiteral("Close"));
    if (gSquareMode != squaremode::Teacher && !gSessionText.isEmpty() && GlobalSettings.TrackingOn == 1) {
        gActivityLog = ActivityLine(QStringLiteral("   Word squares"), gSessionStart, SessionClock());
        WriteSessionToLog();
    }
    // A start-up splash still up goes with the frame.
    UnloadSplash();
}

QString SquareHelpFile() {
    // Before the word-square window has set it, the edition decides.
    QString name = gHelpFileName;
    if (name.isEmpty())
        name = IsTeacherEdition(gEditionName) ? QStringLiteral("SQTEACH.HLP") : QStringLiteral("SQPUP.HLP");
    return MakeFilePath(gProgramRoot, name);
}

void frmSqbig::mnuHelpContents_Click() { Help(SquareHelpFile(), help::Contents, 0); }

void frmSqbig::mnuHelpSearch_Click() { Help(SquareHelpFile(), help::PartialKey, 0); }

void SetUpSquareProgram(const QString& editionWord) {
    gEditionName = editionWord;
    setAppTitle(QStringLiteral("Tavlorin"));
    registry::setStartupFrameMaker([]() -> Form* { return new frmSqbig; });
    // The frame's first activation shows its one working window.
    registry::setMainMenuOpener([] { OpenSquareWindow(); });
}

int RunSquareProgram(int argc, char** argv, const QString& editionWord) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavlorin"));
    // The program ends through its frame window, never because a window happened to close.
    QApplication::setQuitOnLastWindowClosed(false);

    QStringList args = QApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    SetStartupArguments(QApplication::applicationDirPath(), args.join(u' '));

    SetUpSquareProgram(editionWord);
    installTerminationHandler([] { UnloadFrameAndEnd(0, unload::FormControlMenu); });

    auto* splash = new frmSplash;
    splash->Show();
    return app.exec();
}
