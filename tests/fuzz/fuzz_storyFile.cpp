// Random bytes as a story text file of a three-page book with four blocks a page: the reader
// takes every text or leaves the book as it was, never crashes; in Writing every text it takes
// ends with a blank; and texts it took are written and read back as they were (quotes come
// back straight, and line ends inside a text as blanks).
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "book/BookFile.h"
#include "book/StoryFile.h"
#include "platform/Ansi.h"
#include "platform/WholeFile.h"

namespace {

const QString kTitle = QStringLiteral("01  Pip the Pup");
constexpr int kFrames = 3;
constexpr int kBlocks = 4;

BookData book() {
    BookData b;
    b.title = kTitle;
    b.frameCount = kFrames;
    b.MaxBlocks = kBlocks;
    b.frames.resize(kFrames);
    for (int f = 1; f <= kFrames; ++f)
        for (int i = 1; i <= kBlocks; ++i)
            b.setBlockText(i, f, QStringLiteral("old %1 %2 ").arg(f).arg(i));
    return b;
}

bool sameTexts(const BookData& a, const BookData& b, bool normalised) {
    for (int f = 1; f <= kFrames; ++f)
        for (int i = 1; i <= kBlocks; ++i) {
            QString t = a.BlockText(i, f);
            if (normalised) {
                for (QChar& c : t) {
                    if (c == u'\r' || c == u'\n')
                        c = u' ';
                    else if (c == ansi::chr(147) || c == ansi::chr(148))
                        c = u'"';
                }
            }
            if (t != b.BlockText(i, f))
                return false;
        }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzfolder::setUp();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzzfolder::write(QStringLiteral("TEXT/STORY.TXT"), bytes);
    const QString path = fuzzfolder::path(QStringLiteral("TEXT/STORY.TXT"));
    for (const bool writing : {false, true}) {
        BookData read = book();
        const storyfile::ReadResult r = storyfile::read(path, kTitle, read, kBlocks, writing, writing);
        if (r.status != storyfile::ReadResult::Ok) {
            if (!sameTexts(read, book(), false))
                __builtin_trap();
            continue;
        }
        for (int f = 1; f <= kFrames; ++f)
            for (int i = 1; i <= kBlocks; ++i)
                if (writing && !read.BlockText(i, f).endsWith(u' '))
                    __builtin_trap();
        const QString again = fuzzfolder::path(QStringLiteral("TEXT/AGAIN.TXT"));
        if (!wholefile::replace(again, storyfile::encode(kTitle, read, kBlocks)))
            __builtin_trap();
        BookData back = book();
        if (storyfile::read(again, kTitle, back, kBlocks, writing, false).status != storyfile::ReadResult::Ok ||
            !sameTexts(read, back, true))
            __builtin_trap();
    }
    return 0;
}
