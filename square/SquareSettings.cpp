#include "square/SquareSettings.h"

#include <algorithm>

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/Voice.h"
#include "core/frmKest.h"
#include "platform/Dialogs.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/RecordFile.h"
#include "platform/WaveDevice.h"

int StartColumns(int squareFlags) {
    const int c = squareFlags & squareflag::SizeMask;
    // Sizes beyond the Size menu's pupil items are read as the nearest one.
    return c == 0 ? 4 : std::clamp(c, 4, 10);
}

int16_t EncodeSquareFlags(int sizeIndex, bool mayChooseSize, bool mayLoadLists, bool sayWords, bool lowerCase) {
    int flags = std::clamp(sizeIndex, 0, 6) + 4;
    if (!mayChooseSize)
        flags += squareflag::SizeLocked;
    if (!mayLoadLists)
        flags += squareflag::OpenLocked;
    if (!sayWords)
        flags += squareflag::Silent;
    if (!lowerCase)
        flags += squareflag::UpperCase;
    return int16_t(flags);
}

bool FitsStartList(const QString& stem) {
    return !stem.isEmpty() && stem != u"*DUMMY*" && decltype(ActivitySettingsRecord::SquareWordList)::holds(stem);
}

bool IsTeacherEdition(const QString& editionName) { return lang::UCase(editionName).contains(u"TEACHER"); }

void LoadTeacherSettings(const QString& fileName) {
    // The shared reader: an unusable file ends the program with the settings message.
    LoadSettingsFile(fileName);
}

bool SaveTeacherSettings(const QString& fileName, int showMessage) {
    const QString path = ProgramFile(fileName);
    const bool ok = recordfile::write(path, 0, SavedSettings.encode());
    if (!ok && showMessage == 1) {
        mouse::setPointer(mouse::Default);
        MsgBox(QStringLiteral("It was not possible to save the settings file") + gCrLf + path,
               mb::OKOnly + mb::Exclamation);
    }
    return ok;
}

void PlayYesSound() {
    frmKest* frame = frmKest::instance();
    if (!frame || !frame->MM_Yes)
        return;
    frame->MM_Yes->Command(QStringLiteral("Prev"));
    frame->MM_Yes->Command(QStringLiteral("Play"));
}

void PlayNoSound() { PlayClick(); }
