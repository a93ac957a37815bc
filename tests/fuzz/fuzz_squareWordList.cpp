// Random bytes as the word-square program's word list: every word it keeps is three or more
// capitals, the outcome follows from the words, and reading the file gives what reading its
// bytes gives.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "square/SquareWordList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzfolder::setUp();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString name = QStringLiteral("WORDLIST/MY.LIST.TXT");
    const SquareWordListRead r = SquareWordListFrom(bytes, fuzzfolder::path(name));
    if (r.stem != QLatin1String("MY"))
        __builtin_trap();
    for (const QString& w : r.words) {
        if (w.size() < 3)
            __builtin_trap();
        for (QChar c : w)
            if (c < u'A' || c > u'Z')
                __builtin_trap();
    }
    switch (r.outcome) {
    case SquareWordListRead::Loaded:
        if (r.words.size() < 4)
            __builtin_trap();
        break;
    case SquareWordListRead::TooFewWords:
        if (r.words.size() > 3)
            __builtin_trap();
        break;
    case SquareWordListRead::NotSuitable:
        if (!r.words.isEmpty())
            __builtin_trap();
        break;
    case SquareWordListRead::Unreadable: __builtin_trap();  // bytes in hand can always be read
    }
    fuzzfolder::write(name, bytes);
    const SquareWordListRead fromFile = ReadSquareWordList(fuzzfolder::path(name));
    if (fromFile.outcome != r.outcome || fromFile.words != r.words || fromFile.stem != r.stem)
        __builtin_trap();
    return 0;
}
