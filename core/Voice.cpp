#include "core/Voice.h"

#include "core/Globals.h"
#include "core/frmKest.h"
#include "platform/Dialogs.h"
#include "platform/Speech.h"
#include "platform/WaveDevice.h"

bool SpeakText(const QString& text) {
    // Speech switched on again in the About box finds no voice yet: make one now.
    if (GlobalSettings.SpeechDisabled == 0 && !gVoice)
        gVoice = SpeechVoice::create();
    if (GlobalSettings.SpeechDisabled != 0 || !gVoice) {
        MsgBox(QStringLiteral("The artificial speech engine has been disabled."), mb::OKOnly + mb::Exclamation,
               QStringLiteral("Kestrow Readers"));
        return false;
    }
    gVoice->Speak(text);
    return true;
}

void PlayClick() {
    frmKest* frame = frmKest::instance();
    if (!frame || !frame->MM_No)
        return;
    frame->MM_No->Command(QStringLiteral("Prev"));
    frame->MM_No->Command(QStringLiteral("Play"));
}
