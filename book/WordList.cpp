#include "book/WordList.h"

#include "platform/ItemInput.h"
#include "platform/Lang.h"

namespace {

WordListItems readItems(ItemInput& in) {
    WordListItems result;
    QString item;
    if (!in.next(item)) {
        result.state = WordListItems::NoHeader;
        return result;
    }
    if (lang::UCase(lang::Trim(item)) != QLatin1String("*WORDLIST*")) {
        result.state = WordListItems::NotAWordList;
        return result;
    }
    result.state = WordListItems::Read;
    while (in.next(item)) {
        item = lang::Trim(item);
        if (lang::UCase(item) == QLatin1String("*END*"))
            break;
        result.items.append(item);
    }
    return result;
}

}  // namespace

WordListItems ReadWordListItems(const QString& path) {
    std::optional<ItemInput> in = ItemInput::open(path);
    if (!in)
        return WordListItems{};  // Unreadable
    return readItems(*in);
}

WordListItems ParseWordListItems(const QByteArray& content) {
    ItemInput in(content);
    return readItems(in);
}

ClozeWordListLoad::Outcome DecideClozeWordList(WordListItems::State state, int wordCount) {
    // The order matters: a missing file reads as too few words, as it always has.
    if (state == WordListItems::NotAWordList)
        return ClozeWordListLoad::NotSuitable;
    if (wordCount < 4)
        return ClozeWordListLoad::TooFewWords;
    if (state == WordListItems::Unreadable)
        return ClozeWordListLoad::Unreadable;
    return ClozeWordListLoad::Loaded;
}

QString ClozeWordListMessage(ClozeWordListLoad::Outcome outcome, const QString& path) {
    const QString crlf = QStringLiteral("\r\n");
    switch (outcome) {
    case ClozeWordListLoad::NotSuitable:
        return "The file" + crlf + crlf + path + crlf + crlf + "is not a suitable wordlist file.";
    case ClozeWordListLoad::TooFewWords:
        return "The file" + crlf + crlf + path + crlf + crlf + "does not contain enough words.";
    case ClozeWordListLoad::Unreadable:
        return "Unable to load the file" + crlf + crlf + path;
    case ClozeWordListLoad::Loaded:
        break;
    }
    return QString();
}

ClozeWordListLoad ReadClozeWordList(const QString& path) {
    return ClozeWordListFrom(ReadWordListItems(path), path);
}

ClozeWordListLoad ClozeWordListFrom(const WordListItems& read, const QString& path) {
    ClozeWordListLoad result;
    if (read.state == WordListItems::Read) {
        for (const QString& item : read.items)
            if (item.size() > 2)
                result.words.append(lang::LCase(item));
    }
    result.outcome = DecideClozeWordList(read.state, static_cast<int>(result.words.size()));
    result.message = ClozeWordListMessage(result.outcome, path);
    return result;
}
