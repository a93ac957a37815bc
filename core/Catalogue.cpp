#include "core/Catalogue.h"

#include <cstdint>

#include "core/Globals.h"
#include "core/Registry.h"
#include "platform/Ansi.h"
#include "platform/Dialogs.h"
#include "platform/Journal.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/Paths.h"
#include "platform/Program.h"

namespace {

struct CatalogueRow {
    const char* code;
    const char* title;
    const char* illustrator;
};

const char* const kAuthorLine = "by Hester Wren";

// The books the collection is installed with.
const CatalogueRow kCatalogue[] = {
    {"01pip", "01  Pip the Pup", "Nell Ashworth"},
    {"02hen", "02  The Red Hen", "Nell Ashworth"},
    {"03kite", "03  A Kite for Kim", "Tobias Penhallow"},
    {"04rain", "04  Rain Again", "Ruth Okonjo"},
    {"05fox", "05  Fox in a Box", "Nell Ashworth"},
    {"06bus", "06  The Big Bus", "Tobias Penhallow"},
    {"07cake", "07  Cake for Gran", "Ruth Okonjo"},
    {"08frog", "08  Frog on a Log", "Tobias Penhallow"},
    {"09moon", "09  Up to the Moon", "Nell Ashworth"},
    {"10snow", "10  Snow Day", "Ruth Okonjo"},
    {"11ship", "11  The Lost Ship", "Tobias Penhallow"},
    {"12bear", "12  Bear Can't Sleep", "Ruth Okonjo"},
    {"13seed", "13  The Little Seed", "Nell Ashworth"},
    {"14hat", "14  Whose Hat?", "Tobias Penhallow"},
    {"15owl", "15  Owl at Night", "Ruth Okonjo"},
    {"16rob", "16  Rob the Robot", "Nell Ashworth"},
    {"17park", "17  In the Park", "Tobias Penhallow"},
    {"18duck", "18  Duck and Drake", "Ruth Okonjo"},
    {"19band", "19  The Band", "Nell Ashworth"},
    {"20cave", "20  The Dark Cave", "Tobias Penhallow"},
    {"21farm", "21  Fun on the Farm", "Ruth Okonjo"},
    {"22king", "22  The Sad King", "Nell Ashworth"},
    {"23map", "23  The Old Map", "Tobias Penhallow"},
    {"24bike", "24  Meg's New Bike", "Ruth Okonjo"},
    {"25sea", "25  By the Sea", "Nell Ashworth"},
    {"26shop", "26  The Toy Shop", "Tobias Penhallow"},
    {"27wind", "27  The Wind", "Ruth Okonjo"},
    {"28nest", "28  The Nest", "Nell Ashworth"},
    {"29fair", "29  The Fair", "Tobias Penhallow"},
    {"30home", "30  Home at Last", "Ruth Okonjo"},
    {"01xant", "01X The Ant Hill", "Nell Ashworth"},
    {"02xbee", "02X Busy Bees", "Tobias Penhallow"},
    {"03xcat", "03X Cats", "Ruth Okonjo"},
    {"04xdino", "04X Dinosaurs", "Nell Ashworth"},
    {"05xegg", "05X From Egg to Hen", "Tobias Penhallow"},
    {"06xfish", "06X Fish", "Ruth Okonjo"},
    {"07xgrow", "07X How Plants Grow", "Nell Ashworth"},
    {"08xice", "08X Ice and Snow", "Tobias Penhallow"},
    {"09xjet", "09X Jets and Planes", "Ruth Okonjo"},
    {"10xsun", "10X The Sun", "Nell Ashworth"},
};

// Up to two leading zeros go: "001" -> "1", "000" -> "0", "100" -> "100".
QString dropLeadingZeros(QString digits) {
    for (int i = 0; i < 2 && digits.startsWith(u'0'); ++i)
        digits.remove(0, 1);
    return digits;
}

bool isUpperLetter(QChar c) { return c >= u'A' && c <= u'Z'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QString fatalText(const QString& detail, const QString& kind, QString& title) {
    const QString gap = QStringLiteral("\r\n\r\n");
    title = QStringLiteral("Kestrow Readers");
    // The word-square programs know two messages only (settings, and the plain one), under
    // their own title.
    const bool square = !gEditionName.isEmpty();
    if (square)
        title = appTitle();
    if (kind == u"file" && !square)
        return "Fatal error." + gap + "This file is missing or unavailable:" + gap + detail + gap +
               "If you are running from CD, the CD may have been removed.  Replace the CD and start again." +
               gap + "If all else fails, re-install the software.";
    if (kind == u"badfile" && !square)
        return "Fatal error." + gap + "This data file is corrupt (bad header information):" + gap + detail + gap +
               "Delete it, and then if necessary re-install the software.";
    if (kind == u"badframe" && !square)
        return "Fatal error." + gap + "This data file is corrupt (bad frame header):" + gap + detail + gap +
               "Delete it, and then if necessary re-install the software.";
    if (kind == u"settingload")
        return "Fatal error." + gap + "The settings file is missing, corrupt or unavailable:" + gap + detail + gap +
               "If necessary, re-install the software.";
    title = appTitle();
    return "Fatal error." + gap + "Error type: " + kind + gap + detail;
}

}  // namespace

QString GetBookTitle(const QString& stem) {
    gAuthor = QString::fromLatin1(kAuthorLine);
    gIllustrator.clear();

    QString key = lang::LCase(lang::Trim(stem));
    const qsizetype dot = key.indexOf(u'.');
    if (dot >= 0)
        key = key.left(dot);

    // A range stem names a word list or book group that spans several books.
    if (key.size() >= 5 && key[0] == u'_' && key[4] == u'_')
        return "Books " + dropLeadingZeros(key.mid(1, 3)) + " to " + dropLeadingZeros(key.mid(5, 3));

    for (const CatalogueRow& row : kCatalogue) {
        if (key == QLatin1String(row.code)) {
            gIllustrator = QString::fromLatin1(row.illustrator);
            return QString::fromLatin1(row.title);
        }
    }
    return {};
}

namespace {

// The key's letters (or, for a text that starts with a digit or has no letter, its letters and
// digits) before the rules for "A", long keys and "CON"; sum is the letters' codes.
QString letterKey(const QString& word, int64_t& sum) {
    sum = 0;
    if (word.isEmpty())
        return {};
    const QString upper = lang::UCase(word);
    QString key;
    for (QChar c : upper) {
        if (isUpperLetter(c)) {
            key += c;
            sum += c.unicode();
        }
    }
    if (isDigit(word[0]))
        key.clear();
    if (key.isEmpty()) {
        for (QChar c : upper)
            if (isUpperLetter(c) || isDigit(c))
                key += c;
    }
    return key;
}

}  // namespace

QString FileKey(const QString& word) {
    // Wide: a long text of letters must not wrap the sum.
    int64_t sum = 0;
    QString key = letterKey(word, sum);
    if (key == u"A")
        key = ActiveSettings.AasAy == -1 ? QStringLiteral("AY") : QStringLiteral("UH");
    if (key.size() > 8)
        key = key.left(6) + QStringLiteral("%1").arg(sum % 100, 2, 10, QChar(u'0'));
    if (key == u"CON")
        key = QStringLiteral("CON1");
    return key;
}

bool FileKeyFollowsA(const QString& word) {
    int64_t sum = 0;
    return letterKey(word, sum) == u"A";
}

bool IsAllLetters(const QString& text) {
    for (QChar c : lang::UCase(text))
        if (!isUpperLetter(c))
            return false;
    return true;
}

QString MakeFilePath(const QString& folder, const QString& name) {
    QString rel = name;
    rel.replace(u'\\', u'/');
    qsizetype lead = 0;
    while (lead < rel.size() && rel[lead] == u'/')
        ++lead;
    rel.remove(0, lead);
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + rel;
    return folder + u'/' + rel;
}

QString ProgramFile(const QString& name) { return resolvePath(gProgramRoot, name); }

bool BookFileReads(const QString& stem) {
    return fileLength(resolvePath(gDataRoot, QStringLiteral("DATA\\") + stem + QStringLiteral(".DAT"))) > 0;
}

void ShowFatalError(const QString& detail, const QString& kind) {
    journal::write(QStringLiteral("fatal"), {kind, detail});
    mouse::setPointer(mouse::Default);
    QString title;
    const QString text = fatalText(detail, kind, title);
    MsgBox(text, mb::OKOnly + (gEditionName.isEmpty() ? mb::Exclamation : mb::Critical), title);
    registry::unloadFrame();
    EndProgram(1);
}
