// Random bytes as a book file: the reader must end with a book or a fatal kind, never crash,
// hang or allocate without bound. An input that starts with "P" is taken as the plain text of
// the records (records split by byte 1E, fields by CR LF) and scrambled first, so that the
// fields behind the scrambling are explored too.
#include <cstddef>
#include <cstdint>

#include "BookEncoder.h"
#include "book/BookFile.h"
#include "platform/Ansi.h"

namespace {

bool plainRecords(const QByteArray& input, QByteArray& file) {
    QList<QStringList> records;
    for (const QByteArray& record : input.mid(1).split('\x1e'))
        records.append(ansi::decode(record).split(QStringLiteral("\r\n")));
    try {
        file = bookenc::encodeRecords(QString::fromLatin1(kBookMagic), records);
    } catch (const bookenc::EncodeError&) {
        return false;  // text the format cannot hold
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (bytes.startsWith('P') && !plainRecords(bytes, bytes))
        return 0;
    for (const BookReadOptions& options : {BookReadOptions{1, 0, true}, BookReadOptions{2, -1, false}}) {
        const BookReadResult r = ReadBookBytes(bytes, QStringLiteral("FUZZ.DAT"), options);
        if (!r.ok) {
            if (r.fatalKind != QLatin1String("file") && r.fatalKind != QLatin1String("badfile") &&
                r.fatalKind != QLatin1String("badframe"))
                __builtin_trap();
            continue;
        }
        const BookData& b = r.book;
        if (b.frames.size() != b.frameCount || b.BlockRect(4, 1, 1) <= 0)
            __builtin_trap();
        // Walk the tables the way the window does, one slot past each edge. The sum only keeps
        // the reads from being optimised away: placements may be negative, so it has no sign.
        qsizetype total = 0;
        for (int f = 0; f <= b.frameCount + 1; ++f) {
            for (int i = 0; i <= b.MaxBlocks + 1; ++i)
                total += b.BlockText(i, f).size() + b.BlockRect(5, i, f);
            for (int j = 0; j <= b.MaxPictures + 1; ++j)
                total += b.PictureName(j, f).size() + b.PictureRect(1, j, f);
            for (int k = 0; k <= b.MaxMarks + 1; ++k)
                total += static_cast<qsizetype>(b.MarkTime(k, f) != 0);
            total += b.NextLink(f).size();
        }
        const int size = FitBookFontSize(b.BookFontSize, b.BlockRect(4, 1, 1), [](int s) { return s * 23.0; });
        if (size < 1 || size > b.BookFontSize)
            __builtin_trap();
        volatile qsizetype sink = total;
        (void)sink;
    }
    return 0;
}
