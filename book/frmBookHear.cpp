// Hearing the page: the sentence with each word underlined as it is spoken, a single word on a
// click or the Clue button, the typed text of Writing spoken, and Tell story, which hears every
// page in turn. Every wait yields (or sleeps) without spinning, and every wait ends at once
// when the window has gone: code that resumes after one holds a guarded pointer and touches
// nothing once the window is unloaded.
#include <QPointer>
#include <algorithm>
#include <functional>

#include "book/frmBook.h"
#include "core/Activity.h"
#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Voice.h"
#include "core/frmKest.h"
#include "core/frmNoData.h"
#include "platform/Boxes.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/GraphicalButton.h"
#include "platform/Lang.h"
#include "platform/Screen.h"
#include "platform/Twips.h"
#include "platform/WaveDevice.h"

namespace {

// The pauses of Tell story, seconds: before each page is heard, and after it (Reading, Writing).
constexpr double kPauseBeforeHearing = 1.1;
constexpr double kPauseAfterReading = 1.5;
constexpr double kPauseAfterWriting = 0.5;
// The longest Tell story waits for a page to be drawn and for its hearing to end.
constexpr double kFrameWait = 8.0;
constexpr double kHearingWait = 15.0;
// The underline walk ends this long after the sentence's sound, whatever its marks say: a
// mark far past the sound (a shifted field, a damaged file) must not keep the window busy.
constexpr double kWalkSlack = 1.0;
// A page whose sound could not be opened has only its marks to go by; no sentence of a page
// runs longer than this.
constexpr double kSilentWalkLimit = 30.0;
// A pause sleeps in slices no longer than this, so it ends close to its time.
constexpr double kPauseSlice = 0.01;

bool gone(const QPointer<frmBook>& self) { return !self || self->isUnloaded(); }

// Yields to the event queue once; false when the window has gone meanwhile.
bool yieldOnce(const QPointer<frmBook>& self) {
    DoEvents();
    return !gone(self);
}

// Yields, then tests, again and again while keepWaiting() holds. False when the window has gone.
bool yieldWhile(const QPointer<frmBook>& self, const std::function<bool()>& keepWaiting) {
    do {
        if (!yieldOnce(self))
            return false;
    } while (keepWaiting());
    return true;
}

float roundedTimer() { return float(lang::RoundHalfEven(Timer())); }

// The monotonic time at which the clock of day passes roundedStart + seconds. Waits run on the
// monotonic clock, so a change of the clock of day cannot stretch them.
double deadlineFrom(float roundedStart, double seconds) {
    return appClock().monotonic() + (double(roundedStart) + seconds - double(Timer()));
}

}  // namespace

// ---- the sentence ----

void frmBook::cmdEar_Click() {
    if (gBusy == 1) {
        Beep();
        return;
    }
    if (!Shape2->isHidden())
        return;  // a clicked word is still being heard
    ++HearNesting;
    if (HearNesting > 1) {
        --HearNesting;
        return;
    }
    const bool stillHere = gActivity == activity::Writing ? speakTypedText() : hearSentence();
    if (stillHere)
        --HearNesting;
}

bool frmBook::hearSentence() {
    const QPointer<frmBook> self(this);
    MMControl1->Command(QStringLiteral("Prev"));
    MMControl1->Command(QStringLiteral("Play"));
    // The marks count from the start of the sound; the waits follow the steady clock, so
    // midnight neither cuts them short nor stretches them.
    const double start = appClock().monotonic();
    const double walkLimit =
        (MMControl1->Mode() == mci::ModeNotOpen ? kSilentWalkLimit : MMControl1->Length()) + kWalkSlack;
    auto walkOver = [start, walkLimit] { return appClock().monotonic() - start > walkLimit; };
    gBusy = 1;
    SentenceWalk = true;
    auto abandoned = [] {
        gBusy = 0;
        return false;
    };
    if (!yieldOnce(self))
        return abandoned();
    const int f = gFrame;
    const bool cloze = activity::isCloze(gActivity);
    if (FrameWordCount() == 0) {
        // Nothing to underline: the sentence is heard to its end.
        if (!yieldWhile(self, [this] { return MMControl1->Mode() == mci::ModePlay; }))
            return abandoned();
    }
    // The count is read afresh for every word: a resize lays the page out again meanwhile.
    for (int i = 1; i <= FrameWordCount() && !walkOver(); ++i) {
        UnderlinedWord = i;
        placeUnderline(Shape1, i);
        // The hidden cloze word is not underlined while its gap shows.
        Shape1->setVisible(!cloze || yellowfudge->isHidden() || i != ClozeWordIndex);
        if (!Shape1->isHidden())
            Shape1->repaint();
        // A word without its mark counts as 0: it passes at once.
        const double mark = Book.MarkTime(i, f);
        if (!yieldWhile(self, [start, mark, &walkOver] {
                return appClock().monotonic() - start <= mark && !walkOver();
            }))
            return abandoned();
    }
    SentenceWalk = false;
    UnderlinedWord = 0;
    if (!cmdNext->isHidden())
        cmdNext->setFocus();
    if (!cmdRestart->isHidden())
        cmdRestart->setFocus();  // on the last page the focus ends on Start
    gBusy = 0;
    Shape1->hide();
    return true;
}

bool frmBook::speakTypedText() {
    const QPointer<frmBook> self(this);
    gBusy = 1;
    QString spoken;
    if (gFrame == 1) {
        spoken = TextTitle->Text();
    } else {
        for (int i = 1; i <= MaxBlocks; ++i)
            if (!text[size_t(i)]->isHidden())
                spoken += text[size_t(i)]->Text();
    }
    // The frame shows the no-drop pointer while the voice speaks (Tell story leaves it alone).
    QPointer<frmKest> frame = TellingStory == 0 ? frmKest::instance() : nullptr;
    if (frame)
        frame->setCursor(Qt::ForbiddenCursor);
    SpeakText(spoken + QChar(0));
    if (frame)
        frame->unsetCursor();
    // The voice may have shown its message box: the window may be gone.
    if (gone(self) || !yieldOnce(self)) {
        gBusy = 0;
        return false;
    }
    gBusy = 0;
    return true;
}

void frmBook::placeUnderline(QWidget* bar, int word) {
    if (word < 1 || word > FrameWordCount())
        return;
    const int k = word - 1;
    const double top = Words.FrameWordTop[k] + Words.FrameWordHeight[k] - 105.0 * gScale;
    setGeometryTwips(bar, TwipRect{double(Words.FrameWordMarkLeft[k]), top, double(Words.FrameWordMarkWidth[k]),
                                   90.0 * gScale});
}

// ---- single words ----

void frmBook::cmdEarSmall_Click() {
    if (!Shape1->isHidden())
        return;  // the sentence is being heard
    playWordSound(gCurrentWord);
}

void frmBook::label_MouseDown(int index, int button, int shift, float x, float y) {
    (void)button;
    (void)shift;
    if (!Shape1->isHidden())
        return;
    const ActivitySettingsRecord& s = ActiveSettings;
    if ((gActivity == activity::Reading && s.ReadHearWord == 0) ||
        (gActivity == activity::ClozeType && s.ClozeTypeSound == 0) ||
        (gActivity == activity::ClozeClick && s.ClozeChooseSound == 0))
        return;
    if (index < 1 || index >= int(label.size()))
        return;
    const Label* l = label[size_t(index)];
    const int px = int(lang::RoundHalfEven(l->x() * screen::twipsPerPixelX() + double(x)));
    const int py = int(lang::RoundHalfEven(l->y() * screen::twipsPerPixelY() + double(y)));
    int found = 0;
    for (int i = 1; i <= FrameWordCount(); ++i) {
        const int k = i - 1;
        if (Words.FrameWordLeft[k] <= px && px <= Words.FrameWordLeft[k] + Words.FrameWordWidth[k] &&
            Words.FrameWordTop[k] <= py && py <= Words.FrameWordTop[k] + Words.FrameWordHeight[k])
            found = i;  // the last word that holds the point wins
    }
    if (found < 1)
        return;
    const QString word = Words.FrameWords[found - 1];
    ClickedWord = found;
    placeUnderline(Shape2, found);
    const bool cloze = activity::isCloze(gActivity);
    Shape2->setVisible(!cloze || yellowfudge->isHidden() || found != ClozeWordIndex);
    if (!Shape2->isHidden())
        Shape2->repaint();
    if (!playWordSound(word))
        return;
    Shape2->hide();
}

void frmBook::startWordSound(const QString& word) {
    WaveDevice& device = *MMControl2;
    device.Command(QStringLiteral("Close"));
    device.DeviceType = QStringLiteral("WaveAudio");
    // A word without its sound is silent: no file, no open device, no wait.
    device.FileName = FindDataFile(QStringLiteral("WAVS\\WDS\\") + FileKey(word) + QStringLiteral(".WAV"), 0);
    device.Command(QStringLiteral("Open"));
    device.Command(QStringLiteral("Play"));
}

bool frmBook::playWordSound(const QString& word) {
    const QPointer<frmBook> self(this);
    startWordSound(word);
    while (MMControl2->Mode() == mci::ModePlay)
        if (!yieldOnce(self))
            return false;
    return true;
}

// ---- Tell story ----

void frmBook::mnuPlayAll_Click() {
    if (!activity::tellsStory(gActivity))
        return;
    // Never a second story inside the first, nor one on top of a sentence being heard.
    if (TellingStory != 0 || gBusy == 1) {
        Beep();
        return;
    }
    const QPointer<frmBook> self(this);
    PageButtonsShown = 0;
    StopRequested = 0;
    cmdCancel->show();
    TellingStory = -1;

    // The window went away in the middle (the program closed): whatever was busy is over.
    auto abandoned = [] { gBusy = 0; };
    auto stopped = [this] { return StopRequested == -1; };
    const int frames = gFrameCount;
    for (int f = 1; f <= frames; ++f) {
        gFrame = f;
        float start = roundedTimer();
        double until = deadlineFrom(start, kFrameWait);
        ShowFrame();
        if (gone(self))
            return abandoned();
        cmdCancel->setFocus();
        if (!yieldWhile(self, [&] { return appClock().monotonic() <= until && gBusy != 0 && !stopped(); }))
            return abandoned();
        if (stopped())
            break;

        gBusy = 1;
        if (!pauseWithoutYielding(roundedTimer(), kPauseBeforeHearing))
            return abandoned();
        gBusy = 0;
        if (stopped())
            break;

        cmdEar_Click();
        if (gone(self))
            return abandoned();
        start = roundedTimer();
        until = deadlineFrom(start, kHearingWait);
        if (!yieldWhile(self, [&] { return appClock().monotonic() <= until && gBusy != 0 && !stopped(); }))
            return abandoned();

        gBusy = 1;
        if (stopped())
            break;
        if (!pauseWithoutYielding(roundedTimer(), gActivity == activity::Writing ? kPauseAfterWriting : kPauseAfterReading))
            return abandoned();
        gBusy = 0;
    }

    if (!yieldOnce(self))
        return abandoned();
    TellingStory = 0;
    cmdCancel->hide();
    gBusy = 1;
    gFrame = 1;
    PageButtonsShown = -1;
    ShowFrame();
    gBusy = 0;
}

bool frmBook::pauseWithoutYielding(float roundedStart, double seconds) {
    const QPointer<frmBook> self(this);
    const double until = deadlineFrom(roundedStart, seconds);
    for (;;) {
        if (gone(self))
            return false;
        const double left = until - appClock().monotonic();
        if (left < 0 || StopRequested == -1)
            return true;
        // Sleeps: a pause costs no CPU.
        pause(std::clamp(left, 0.001, kPauseSlice));
    }
}

void frmBook::cmdCancel_Click() {
    StopRequested = -1;
    cmdCancel->hide();
    cmdCancel->repaint();
}

bool frmBook::hearingRefusesClose(int unloadMode) {
    if (TellingStory != 0) {
        // The program closing takes the story with it; any other close waits for its end.
        if (unloadMode == unload::FormMDIForm || unloadMode == unload::AppWindows) {
            StopRequested = -1;
            return false;
        }
        return true;
    }
    return busyHoldsWindow();
}

// The sentence's walk notices the window gone and ends: a child may always leave it.
bool frmBook::busyHoldsWindow() const { return gBusy == 1 && !SentenceWalk; }

void frmBook::replaceUnderlines() {
    if (!Shape1->isHidden())
        placeUnderline(Shape1, UnderlinedWord);
    if (!Shape2->isHidden())
        placeUnderline(Shape2, ClickedWord);
}
