#include "core/frmSplash.h"

#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <optional>

#include "core/Globals.h"
#include "core/Layout.h"
#include "core/Registry.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/frmKest.h"
#include "core/frmNoData.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/Screen.h"
#include "platform/Twips.h"

namespace {

QPointer<frmSplash> gStartupSplash;
bool gSpeechQuestionOpen = false;

// The design size of the window in twips; it is sized from the screen and its controls scale
// with it.
constexpr int kDesignWidth = 5310;
constexpr int kDesignHeight = 4110;

constexpr double kMinimumSplashSeconds = 1.2;
constexpr int kKeyF2 = 113;

}  // namespace

frmSplash::frmSplash() : Form(QStringLiteral("frmSplash")) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    layout::setBackground(this, layout::paleYellow());
    setFocusPolicy(Qt::StrongFocus);

    Label1 = new Label(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setCaption(QStringLiteral("KESTROW READERS"));
    Label2 = new Label(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setCaption(QStringLiteral("talking books for young readers"));
    Label4 = new Label(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setCaption(QStringLiteral("Stories, pictures and voices made for Kestrow Readers.\n"
                                      "Reading, writing, cloze and word games."));
    Label3 = new Label(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    for (Label* l : {Label1, Label2, Label3, Label4})
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setForeColor(QColor(0, 0, 128));
    Label2->setForeColor(QColor(0, 128, 0));
    {
        // The subtitle is set in italics; the layout sets only family, size and weight.
        QFont f = Label2->font();
        f.setItalic(true);
        Label2->setFont(f);
    }

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->hide();
    on(cmdOK, &frmSplash::cmdOK_Click);

    TimerSplash = new QTimer(this);
    TimerSplash->setSingleShot(true);
    connect(TimerSplash, &QTimer::timeout, this, [this] { TimerSplash_Timer(); });

    setKeyPreview(true);
}

void frmSplash::Form_Load() {
    if (gSplashDone == 0) {
        SetStartupGlobals();
        gStartupSplash = this;
    }

    // Sized and centred on the screen on every load.
    const int sw = screen::widthTwips();
    const int sh = screen::heightTwips();
    const int w = int((qint64(sw) * kDesignWidth) / 9600);
    const int h = int((qint64(sh) * kDesignHeight) / 7200);
    moveTwips((sw - w) / 2, (sh - h) / 2, w, h);
    layoutControls();
    Label3->setCaption(gVersionText);
    // Every load, the About box too, brings the teacher edition's notice back once.
    gTeacherNoteShown = 0;

    if (gSplashDone == 1) {
        // The About box.
        TimerSplash->stop();
        cmdOK->show();
        cmdOK->setDefault(true);
        cmdOK->setFocus();
        return;
    }

    LoadGlobalSettings();
    const QString stored = GlobalSettings.DataFolder.text();
    GlobalSettings.DataFolder.setText(stored);
    if (stored.isEmpty()) {
        const QString commandLine = lang::Trim(StartupCommandLine());
        if (!commandLine.isEmpty())
            gDataRoot = DataFolderFromCommandLine(commandLine);
        // With no argument the program folder becomes the stored data folder. One that cannot
        // be stored so as to read back stays unknown: the next start looks for it the same way.
        if (const std::optional<QString> keep = StorableDataFolder(gDataRoot)) {
            GlobalSettings.DataFolder.setText(*keep);
            SaveGlobalSettings(0);
        }
    } else {
        gDataRoot = DataFolderFromStored(stored);
    }
    gDataRoot = WithoutTrailingSeparators(gDataRoot);
    TimerSplash->setInterval(100);
    TimerSplash->start();
    cmdOK->hide();
}

void frmSplash::layoutControls() {
    // The smaller ratio, so that nothing falls off the window on a wide or tall screen; the
    // design area, scaled, sits in the middle of a window of another shape.
    const CentredDesign design = centreDesign(kDesignWidth, kDesignHeight, twipsWidth(), twipsHeight());
    const double s = design.scale;
    auto place = [&](QWidget* c, double l, double t, double wd, double ht) {
        setGeometryTwips(c, design.place(TwipRect{l, t, wd, ht}));
    };
    place(Label1, 120, 480, 5070, 735);
    layout::setFont(Label1, 24 * s, true);
    place(Label2, 120, 1260, 5070, 495);
    layout::setFont(Label2, 14 * s, false);
    place(Label4, 240, 1980, 4830, 735);
    layout::setFont(Label4, 9 * s, false);
    place(Label3, 240, 2820, 4830, 375);
    layout::setFont(Label3, 9 * s, false);
    place(cmdOK, 2055, 3360, 1200, 450);
    layout::setFont(cmdOK, 9 * s, false);
}

void frmSplash::Form_QueryUnload(int& cancel, int unloadMode) {
    // No control box: the About box ends with OK, start-up by the frame window.
    if (unloadMode == unload::FormControlMenu)
        cancel = 1;
}

void frmSplash::Form_KeyDown(int& keyCode, int shift) {
    (void)shift;
    // The word-square programs have no speech engine to switch off.
    if (keyCode != kKeyF2 || gSpeechQuestionOpen || !gEditionName.isEmpty())
        return;
    gSpeechQuestionOpen = true;
    const QString cr2 = QStringLiteral("\r\r");
    const int answer = MsgBox(
        QStringLiteral("This software includes an artificial speech engine, used ONLY in the WRITING activity.") +
            cr2 +
            QStringLiteral("On some computers, this speech engine may clash with your system, causing the software "
                           "to fail to start properly.  You therefore have the option of disabling this speech "
                           "engine.") +
            cr2 +
            QStringLiteral("Your choice will apply to this and future settings - there is no need to disable the "
                           "engine every time you use this software.") +
            cr2 + QStringLiteral("Do you wish to DISABLE the speech engine?"),
        mb::YesNo + mb::Question, QStringLiteral("Kestrow Readers - Speech Engine Setting"));
    gSpeechQuestionOpen = false;
    GlobalSettings.SpeechDisabled = answer == mb::Yes ? -1 : 0;
    SaveGlobalSettings(-1);
}

void frmSplash::TimerSplash_Timer() {
    TimerSplash->stop();
    // The speech question holds start-up until it is answered.
    if (gSpeechQuestionOpen) {
        TimerSplash->start(100);
        return;
    }
    mouse::setPointer(mouse::Hourglass);
    // The word-square programs look for no book files: a one-second pause, then their frame.
    // Counted on the monotonic clock, so a start just after midnight still waits its second.
    if (!gEditionName.isEmpty()) {
        pause(1.0);
        if (Form* frame = registry::makeStartupFrame())
            frame->Show();
        return;
    }
    // The minimum time on screen counts from here, the data-folder questions included; on the
    // monotonic clock, so midnight does not cut it short.
    Clock& clock = appClock();
    const double startTime = clock.monotonic();
    const QString oldDataRoot = gDataRoot;
    QPointer<frmSplash> self(this);

    // Always the folder now in force: a folder typed in the dialog is listed afresh.
    std::optional<QStringList> files;
    for (;;) {
        files = ListBookFiles(gDataRoot);
        if (files && !files->isEmpty())
            break;
        gDialogRequest = QStringLiteral("STARTUP");
        ShowNoDataDialog();
        mouse::setPointer(mouse::Hourglass);
        if (self)
            repaint();
        RetryPause();
    }

    OfferToKeepDataFolder(oldDataRoot);

    BuildBookCatalogue(*files);

    // The frame is made, not yet loaded, while the splash is up: opening its sound players
    // takes a moment that the wait hides.
    QPointer<frmKest> frame = new frmKest;

    // The splash stays up at least a little while.
    const double left = kMinimumSplashSeconds - (clock.monotonic() - startTime);
    if (left > 0)
        waitYielding(left);

    if (frame)
        frame->Show();
}

void frmSplash::cmdOK_Click() { Unload(); }

void ShowAboutBox() {
    auto* about = new frmSplash;
    about->Show(true);
}

frmSplash* StartupSplash() {
    if (gStartupSplash && !gStartupSplash->isUnloaded())
        return gStartupSplash;
    return nullptr;
}

void UnloadSplash() {
    if (frmSplash* s = StartupSplash())
        s->Unload();
}

bool SpeechQuestionOpen() { return gSpeechQuestionOpen; }
