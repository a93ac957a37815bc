// Random bytes as a word list file.
#include <cstddef>
#include <cstdint>

#include "book/WordList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const WordListItems items = ParseWordListItems(bytes);
    if (items.state != WordListItems::Read && !items.items.isEmpty())
        __builtin_trap();
    const ClozeWordListLoad load = ClozeWordListFrom(items, QStringLiteral("FUZZ.TXT"));
    if (load.words.size() > items.items.size())
        __builtin_trap();
    if ((load.outcome == ClozeWordListLoad::Loaded) != load.message.isEmpty())
        __builtin_trap();
    for (const QString& w : load.words)
        if (w.size() <= 2)
            __builtin_trap();
    return 0;
}
