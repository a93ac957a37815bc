#include "book/StoryFile.h"

#include <QRegularExpression>
#include <algorithm>

#include "book/BookFile.h"
#include "book/Quotes.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "platform/Ansi.h"
#include "platform/ItemInput.h"
#include "platform/Paths.h"

namespace storyfile {

namespace {
const QString kHeader = QStringLiteral("Text for ");
const QString kCrLf = QStringLiteral("\r\n");

// Where the file's own name starts in a path of either separator.
qsizetype nameStart(const QString& path) { return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1; }

// Line ends as an editor may have left them (LF alone, or CR alone) become CR LF.
QString withCrLfLineEnds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), kCrLf);
    return text;
}

// The book number a catalogue title begins with: two digits and two blanks ("08  Frog on a
// Log"), or two digits, "X" and a blank ("01X The Ant Hill").
QString withoutBookNumber(const QString& title) {
    static const QRegularExpression number(QStringLiteral("^[0-9]{2}(  |X )(?=.)"));
    return QString(title).remove(number);
}

// A block line may not break the file's line structure: a CR or LF inside a text (pasted, say)
// would shift every following block on reading, so line ends travel as blanks.
QString oneLine(QString text) {
    for (QChar& c : text)
        if (c == u'\r' || c == u'\n')
            c = u' ';
    return text;
}
}  // namespace

QByteArray encode(const QString& bookTitle, const BookData& book, int maxBlocks) {
    QString s = kHeader + bookTitle + kCrLf;
    for (int f = 1; f <= book.frameCount; ++f)
        for (int b = 1; b <= maxBlocks; ++b)
            s += ConvertQuotesToMarkers(oneLine(book.BlockText(b, f))) + kCrLf;
    return ansi::encode(u'"' + s + u'"' + kCrLf);
}

ReadResult read(const QString& path, const QString& bookTitle, BookData& book, int maxBlocks, bool writing,
                bool curlyQuotes) {
    ReadResult result;
    std::optional<ItemInput> input = ItemInput::open(path);
    QString content;
    if (!input || !input->next(content))
        return result;  // NotSuitable
    gRecordBuffer = withCrLfLineEnds(content);
    const QString line = NextLine();
    if (!line.startsWith(kHeader)) {
        gRecordBuffer.clear();
        return result;
    }
    // A title that begins with this book's title is this book's.
    const QString rest = line.mid(kHeader.size());
    if (!rest.startsWith(bookTitle)) {
        gRecordBuffer.clear();
        result.status = ReadResult::OtherBook;
        result.writtenFor = withoutBookNumber(rest);
        return result;
    }
    for (int f = 1; f <= book.frameCount; ++f) {
        int quoteToggle = 0;
        for (int b = 1; b <= maxBlocks; ++b) {
            QString text = ConvertQuotes(NextLine(), 1, quoteToggle, curlyQuotes);
            if (writing && !text.endsWith(u' '))
                text += u' ';
            book.setBlockText(b, f, text);
        }
    }
    gRecordBuffer.clear();
    result.status = ReadResult::Ok;
    return result;
}

QString withDefaultExtension(const QString& path) {
    // Only the file's own name counts: a dot in a folder name must not leave the file without
    // the extension the Open dialog lists.
    return path.mid(nameStart(path)).contains(u'.') ? path : path + QStringLiteral(".TXT");
}

QString existingFile(const QString& path) {
    const qsizetype start = nameStart(path);
    const QString found = resolvePath(path.left(start), path.mid(start));
    return start > 0 && fileExists(found) ? found : QString();
}

QString replaceQuestion(const QString& path) {
    return path.mid(nameStart(path)) + QStringLiteral(" already exists.") + kCrLf +
           QStringLiteral("Do you want to replace it?");
}

QString saveFailedMessage(const QString& path) {
    return QStringLiteral("It was not possible to save the file") + kCrLf + kCrLf + path;
}

QString notSuitableMessage() { return QStringLiteral("This is not a suitable text file for this book."); }

QString otherBookMessage(const QString& writtenFor) {
    return QStringLiteral("This is not a suitable text file.") + kCrLf + kCrLf + QStringLiteral("It was written for ") +
           u'"' + writtenFor + u'"' + u'.';
}

}  // namespace storyfile
