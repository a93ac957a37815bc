// LoadWordList, the half of the word-list load that shows something (the hourglass, the
// message box), in a file of its own so that the reader in WordList.cpp needs no dialogs and
// its fuzz target builds from that file alone.
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
