// The shown half of LoadWordList, apart from the reader so that the reader needs no dialogs.
#include "book/WordList.h"

#include "platform/Dialogs.h"
#include "platform/Mouse.h"

bool LoadWordList(const QString& path, QStringList& words) {
    mouse::setPointer(mouse::Hourglass);
    ClozeWordListLoad load = ReadClozeWordList(path);
    mouse::setPointer(mouse::Default);
    words = load.words;
    if (load.outcome == ClozeWordListLoad::Loaded)
        return true;
    MsgBox(load.message, mb::Exclamation);  // OK button only
    return false;
}
