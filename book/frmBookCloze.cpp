// The two cloze activities in the book window: the answer box of Cloze (type) with its
// letter-by-letter check, red flash and focus-keeping timer, and the candidates of Cloze
// (click), which the Choices window offers. The page's word is chosen and covered by
// SetupFrameWords (frmBook.cpp); the rules themselves are in book/Cloze.
#include <QApplication>
#include <QPointer>
#include <QTimer>

#include "book/Cloze.h"
#include "book/frmBook.h"
#include "book/frmCloze.h"
#include "core/Globals.h"
#include "core/Voice.h"
#include "core/frmKest.h"
#include "platform/Boxes.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/GraphicalButton.h"
#include "platform/Lang.h"

namespace {

constexpr int kFocusInterval = 2000;  // ms: the box takes the focus back this often
constexpr int kFlashInterval = 1000;  // ms: a wrong letter shows red this long

void setTextColour(TextBox* box, const QColor& c) {
    QPalette p = box->palette();
    p.setColor(QPalette::Text, c);
    box->setPalette(p);
    box->repaint();
}

}  // namespace

// ---- Cloze (type) ----

void frmBook::CheckClozeAnswer() {
    const QPointer<frmBook> self(this);
    TextLoading = -1;
    const cloze::AnswerCheck check = cloze::checkAnswer(Cloze->Text(), gCurrentWord);
    if (!check.allRight) {
        PlayClick();
        setTextColour(Cloze, QColor(255, 0, 0));
        ClozeFlashDone = 0;
        cloze_timer->stop();
        cloze_timer->setInterval(kFlashInterval);
        cloze_timer->start();
        // The timer's first tick ends the flash; what is typed meanwhile is dropped with the
        // wrong letter.
        while (ClozeFlashDone != -1) {
            DoEvents();
            if (!self || isUnloaded())
                return;
        }
        setTextColour(Cloze, Qt::black);
    }
    Cloze->setText(check.good);
    Cloze->setSelStart(int(check.good.size()));
    TextLoading = 0;
}

void frmBook::Cloze_Change() {
    if (TextLoading == -1)
        return;
    const QPointer<frmBook> self(this);
    CheckClozeAnswer();
    if (!self || isUnloaded())
        return;
    if (!cloze::isSolved(Cloze->Text(), gCurrentWord))
        return;
    cmdEarSmall_Click();
    if (!self || isUnloaded())
        return;
    Cloze->hide();
    yellowfudge->hide();
    showSolvedPageButtons();
}

void frmBook::Cloze_KeyPress(int& keyAscii) {
    if (cloze::swallowsKey(keyAscii, int(Cloze->Text().size()), int(gCurrentWord.size())))
        keyAscii = 0;
}

void frmBook::Cloze_Click() {
    if (ActiveSettings.ClozeTypeSound == -1)
        cmdEarSmall_Click();
}

void frmBook::cloze_timer_Timer() {
    if (cloze_timer->interval() == kFocusInterval) {
        cloze_timer->stop();
        if (!Cloze->isHidden()) {
            Cloze->setFocus();
            Cloze->setSelStart(int(Cloze->Text().size()));
        }
        cloze_timer->start();
    } else if (cloze_timer->interval() == kFlashInterval) {
        cloze_timer->stop();
        ClozeFlashDone = -1;
        cloze_timer->setInterval(kFocusInterval);
        cloze_timer->start();
    }
}

// ---- both ----

void frmBook::showSolvedPageButtons() {
    cmdBack->setVisible(gFrame != 1);
    const bool last = gFrame == gFrameCount;
    cmdNext->setVisible(!last);
    cmdRestart->setVisible(last);
    cmdEarSmall->hide();
    // The Choices window may hold the activation after a pick: the focus comes back here.
    QWidget* target = !cmdNext->isHidden() ? cmdNext : !cmdRestart->isHidden() ? cmdRestart : nullptr;
    if (!target)
        return;
    if (QApplication::activeWindow() != window())
        window()->activateWindow();
    target->setFocus();
}

// ---- Cloze (click) ----

void frmBook::PrepareClozeWords(QString& word) {
    if (!ChoicesWindow)
        return;
    // A re-layout keeps the candidates and only lays them out again.
    if (gRelayout == 0) {
        word = cloze::stripToLetters(word);
        const QStringList drawn = cloze::drawChoices(
            word, ClozeWordList, gClozeLevel, [this](const QString& s) { return TextWidth(s); },
            [] { return lang::Rnd(); });
        ClozeChoices = QStringList(5);
        ClozeChoiceCount = int(drawn.size());
        for (int i = 1; i <= ClozeChoiceCount; ++i)
            ClozeChoices[i] = drawn[i - 1];
    }
    layoutChoices();
    if (gRelayout == 0)
        gClozeChoicesOpen = -1;
    // While the frame is minimised the window waits, hidden, for the frame to come back.
    frmKest* frame = frmKest::instance();
    if (frame && (frame->windowState() & Qt::WindowMinimized)) {
        ChoicesWindow->hide();
        return;
    }
    if (gClozeChoicesOpen == -1) {
        ChoicesWindow->show();
        placeChoicesWindow();
    }
}
