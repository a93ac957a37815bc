#include "square/SquareWordList.h"

#include <QFile>

#include "platform/ItemInput.h"
#include "platform/Lang.h"
#include "square/SquareBuilder.h"

namespace {

QString stemOf(const QString& path) {
    QString name = path;
    const qsizetype slash = std::max(name.lastIndexOf(u'\\'), name.lastIndexOf(u'/'));
    if (slash >= 0)
        name = name.mid(slash + 1);
    const qsizetype dot = name.indexOf(u'.');
    return dot >= 0 ? name.left(dot) : name;
}

SquareWordListRead readItems(ItemInput& input, const QString& path) {
    SquareWordListRead out;
    out.stem = stemOf(path);
    bool header = false;
    QString item;
    while (input.next(item)) {
        const QString upper = lang::UCase(lang::Trim(item));
        if (!header) {
            if (upper != u"*WORDLIST*")
                break;
            header = true;
            continue;
        }
        if (upper == u"*END*")
            break;
        if (upper.size() > 2 && IsCapitalsOnly(upper))
            out.words << upper;
    }
    if (!header)
        out.outcome = SquareWordListRead::NotSuitable;
    else if (out.words.size() > 3)
        out.outcome = SquareWordListRead::Loaded;
    else
        out.outcome = SquareWordListRead::TooFewWords;
    return out;
}

}  // namespace

SquareWordListRead SquareWordListFrom(const QByteArray& content, const QString& path) {
    ItemInput input(content);
    return readItems(input, path);
}

SquareWordListRead ReadSquareWordList(const QString& path) {
    std::optional<ItemInput> input = ItemInput::open(path);
    if (!input) {
        SquareWordListRead out;
        out.stem = stemOf(path);
        return out;
    }
    return readItems(*input, path);
}

QString SquareWordListMessage(SquareWordListRead::Outcome outcome, const QString& path) {
    const QString gap = QStringLiteral("\r\n\r\n");
    const QString openAnother = QStringLiteral("Use the 'File ... Open' menu to open another wordlist before continuing.");
    switch (outcome) {
    case SquareWordListRead::NotSuitable:
        return "The file" + gap + path + gap + "is not a suitable wordlist file." + gap + openAnother + gap +
               "For information about creating suitable wordlist files, see 'Creating Wordlists' under the 'Help' "
               "menu.";
    case SquareWordListRead::TooFewWords:
        return "The file" + gap + path + gap + "does not contain enough words." + gap + openAnother;
    case SquareWordListRead::Unreadable:
        return "Fatal error." + gap + "The file\r\n" + path + "\r\ndoes not exist or is not available." + gap +
               "If necessary, you should reinstall the software.";
    case SquareWordListRead::Loaded:
        break;
    }
    return {};
}
