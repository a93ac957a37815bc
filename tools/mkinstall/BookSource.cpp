#include "BookSource.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QRect>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <map>

#include "Scene.h"

namespace mkinstall {
namespace {

// What the book window and the printed page leave free: the button column is 705 twips wide
// and the printed page starts at 730; the credits line of the title page lies here.
constexpr int kPageLeft = 730;
constexpr int kPageWidth = 9600;
constexpr int kPageHeight = 6630;
const QRect kCredits(2100, 6120, 6150, 300);
constexpr int kMaxWordsPerPage = 50;

[[noreturn]] void fail(const QString& file, int line, const QString& message) {
    const QString where = line > 0 ? QStringLiteral("%1:%2: ").arg(file).arg(line) : file + QStringLiteral(": ");
    throw SourceError((where + message).toStdString());
}

QStringList tokens(const QString& line) {
    return line.split(u' ', Qt::SkipEmptyParts);
}

int toInt(const QString& file, int line, const QString& token, const char* what) {
    bool ok = false;
    const int v = token.toInt(&ok);
    if (!ok)
        fail(file, line, QStringLiteral("%1 must be a whole number, not \"%2\"").arg(QLatin1String(what), token));
    return v;
}

// The text after the first n blank-separated tokens of a line.
QString restAfter(const QString& line, int n) {
    qsizetype i = 0;
    for (int k = 0; k < n; ++k) {
        while (i < line.size() && line[i] == u' ')
            ++i;
        while (i < line.size() && line[i] != u' ')
            ++i;
    }
    while (i < line.size() && line[i] == u' ')
        ++i;
    QString rest = line.mid(i);
    while (rest.endsWith(u' '))
        rest.chop(1);
    return rest;
}

QStringList sourceLines(const QByteArray& content) {
    QString text = QString::fromUtf8(content);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(u'\t', QStringLiteral("    "));
    return text.split(u'\n');
}

QString twinName(const QString& name) {
    return name.mid(3) + QStringLiteral("BW");
}

QRect rectOf(const SourceBlock& b) {
    return QRect(b.left, b.top, b.width, b.height);
}

QRect rectOf(const SourcePicture& p) {
    return QRect(p.left, p.top, p.width, p.height);
}

QFont bookFont(int points) {
    QFont font(QStringLiteral("Liberation Sans"));
    // One pixel stands for one twip: 20 twips to the point.
    font.setPixelSize(points * 20);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The label shows curly quotes where the source has "@".
QString shownText(const QString& text) {
    QString out;
    bool open = true;
    for (QChar c : text) {
        if (c == u'@') {
            out += open ? QChar(0x201C) : QChar(0x201D);
            open = !open;
        } else {
            out += c;
        }
    }
    return out;
}

// An indented line under a picture: its kind, then numbers and words in any order.
SceneItem parseSceneItem(const QString& file, int lineNo, const QStringList& t) {
    SceneItem item;
    item.kind = t[0];
    item.line = lineNo;
    for (int k = 1; k < t.size(); ++k) {
        bool ok = false;
        const double v = t[k].toDouble(&ok);
        if (ok)
            item.numbers.push_back(v);
        else
            item.words << t[k];
    }
    const QString problem = sceneItemError(item);
    if (!problem.isEmpty())
        fail(file, lineNo, problem);
    return item;
}

// The left, top, width and height a text or picture statement begins with.
template <class Placed>
void readBox(const QString& file, int lineNo, const QStringList& t, Placed& into) {
    into.left = toInt(file, lineNo, t[1], "left");
    into.top = toInt(file, lineNo, t[2], "top");
    into.width = toInt(file, lineNo, t[3], "width");
    into.height = toInt(file, lineNo, t[4], "height");
}

SourceBlock parseTextBlock(const QString& file, int lineNo, const QString& line, const QStringList& t) {
    if (t.size() < 7)
        fail(file, lineNo, QStringLiteral("text takes left, top, width, height, label left and the text"));
    SourceBlock b;
    readBox(file, lineNo, t, b);
    b.labelLeft = toInt(file, lineNo, t[5], "label left");
    b.text = restAfter(line, 6);
    b.text.replace(u'"', u'@');
    return b;
}

SourcePicture parsePicture(const QString& file, int lineNo, const QStringList& t) {
    if (t.size() != 7)
        fail(file, lineNo, QStringLiteral("picture takes left, top, width, height, name and 8 or 24"));
    SourcePicture p;
    readBox(file, lineNo, t, p);
    p.name = t[5];
    p.bits = toInt(file, lineNo, t[6], "the bits per pixel");
    p.line = lineNo;
    return p;
}

// A text block or picture of a page, and how a message names it.
struct Placed {
    QRect rect;
    QString what;
};

void checkBookAsAWhole(const SourceBook& book) {
    if (book.title.isEmpty())
        fail(book.file, 0, QStringLiteral("the book has no title"));
    if (book.fontSize < 8 || book.fontSize > 72)
        fail(book.file, 0, QStringLiteral("the font size must lie between 8 and 72 points"));
    if (book.pages.size() < 6 || book.pages.size() > 12)
        fail(book.file, 0, QStringLiteral("a book has 6 to 12 pages, this one %1").arg(book.pages.size()));
}

// The names of all the book's pictures, each of which may be used once.
QSet<QString> pictureNames(const SourceBook& book) {
    QSet<QString> names;
    for (const SourcePage& page : book.pages)
        for (const SourcePicture& p : page.pictures) {
            if (names.contains(p.name))
                fail(book.file, p.line, QStringLiteral("the picture name %1 is used twice").arg(p.name));
            names.insert(p.name);
        }
    return names;
}

void checkTextBlocks(const SourceBook& book, const SourcePage& page, bool titlePage, double lineHeight,
                     std::vector<Placed>& placed) {
    const QString& file = book.file;
    const int line = page.line;
    int words = 0;
    int quotes = 0;
    for (const SourceBlock& b : page.blocks) {
        const QString what = QStringLiteral("the text \"%1\"").arg(b.text);
        if (b.text.isEmpty())
            fail(file, line, QStringLiteral("a text line is empty"));
        for (QChar c : b.text)
            if (c.unicode() < 32 || c.unicode() > 126)
                fail(file, line, what + QStringLiteral(" holds a character the book file cannot keep"));
        words += int(b.text.split(u' ', Qt::SkipEmptyParts).size());
        quotes += int(b.text.count(u'@'));
        if (b.labelLeft < b.left || b.labelLeft >= b.left + b.width)
            fail(file, line, what + QStringLiteral(": the label must start inside the block"));
        if (b.height < lineHeight)
            fail(file, line, what + QStringLiteral(": the block is lower than a line of the font"));
        // Some room for the screen font's hinting, which widens text a little.
        const double width = textWidthTwips(shownText(b.text), book.fontSize);
        const int room = b.left + b.width - b.labelLeft;
        if (width * 1.08 > room)
            fail(file, line, what + QStringLiteral(" is %1 twips wide, its label %2").arg(int(width)).arg(room));
        if (titlePage && &b == &page.blocks.front() && width / 2 > 5160 - kPageLeft)
            fail(file, line, QStringLiteral("the title is too wide to centre on the page"));
        placed.push_back({rectOf(b), what});
    }
    if (words > kMaxWordsPerPage)
        fail(file, line, QStringLiteral("a page holds at most %1 words").arg(kMaxWordsPerPage));
    if (quotes % 2 != 0)
        fail(file, line, QStringLiteral("the quotation marks of a page must pair up"));
}

void checkPictures(const QString& file, const SourcePage& page, const QSet<QString>& names,
                   std::vector<Placed>& placed) {
    static const QRegularExpression pictureName(QStringLiteral("^[A-Z0-9]{1,8}$"));
    for (const SourcePicture& p : page.pictures) {
        const QString what = QStringLiteral("the picture %1").arg(p.name);
        if (!pictureName.match(p.name).hasMatch())
            fail(file, p.line, what + QStringLiteral(": a name is 1 to 8 capital letters or digits"));
        if (p.name.startsWith(QStringLiteral("COL"))) {
            const QString twin = twinName(p.name);
            if (p.name.size() < 4 || twin.size() > 8 || names.contains(twin))
                fail(file, p.line, what + QStringLiteral(": its black-and-white twin %1 cannot be named").arg(twin));
        }
        if (p.bits != 8 && p.bits != 24)
            fail(file, p.line, what + QStringLiteral(": a picture has 8 or 24 bits per pixel"));
        // Unstretched, a picture shows at its own size: 15 twips to the pixel.
        if (p.width % 15 != 0 || p.height % 15 != 0 || p.width <= 0 || p.height <= 0)
            fail(file, p.line, what + QStringLiteral(": width and height must be multiples of 15 twips"));
        if (p.scene.empty())
            fail(file, p.line, what + QStringLiteral(" draws nothing"));
        placed.push_back({rectOf(p), what});
    }
}

// Everything stays on the page, off the buttons and the title page's credits, and apart.
void checkPlacement(const QString& file, int line, bool titlePage, const std::vector<Placed>& placed) {
    for (size_t i = 0; i < placed.size(); ++i) {
        const QRect& r = placed[i].rect;
        if (r.left() < kPageLeft || r.top() < 0 || r.x() + r.width() > kPageWidth ||
            r.y() + r.height() > kPageHeight)
            fail(file, line, placed[i].what + QStringLiteral(" leaves the page or covers the buttons"));
        if (titlePage && r.intersects(kCredits))
            fail(file, line, placed[i].what + QStringLiteral(" covers the credits line"));
        for (size_t k = i + 1; k < placed.size(); ++k)
            if (r.intersects(placed[k].rect))
                fail(file, line, placed[i].what + QStringLiteral(" overlaps ") + placed[k].what);
    }
}

// The last page leads back to the first.
void checkNextLink(const QString& file, const SourcePage& page, const SourcePage& following) {
    const bool linked = std::any_of(following.pictures.begin(), following.pictures.end(),
                                    [&](const SourcePicture& p) { return p.name == page.next; });
    if (!linked)
        fail(file, page.line, QStringLiteral("next must name a picture of the following page"));
}

}  // namespace

double textWidthTwips(const QString& text, int points) {
    return QFontMetricsF(bookFont(points)).horizontalAdvance(text);
}

double lineHeightTwips(int points) {
    return QFontMetricsF(bookFont(points)).height();
}

SourceBook parseBookSource(const QString& file, const QByteArray& content) {
    SourceBook book;
    book.file = file;
    book.code = QFileInfo(file).completeBaseName().toLower();
    const QStringList lines = sourceLines(content);
    SourcePage* page = nullptr;
    SourcePicture* picture = nullptr;
    for (int n = 0; n < lines.size(); ++n) {
        const int lineNo = n + 1;
        const QString& raw = lines[n];
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList t = tokens(line);
        if (raw.startsWith(u' ')) {
            if (!picture)
                fail(file, lineNo, QStringLiteral("a drawing line must follow a picture"));
            picture->scene.push_back(parseSceneItem(file, lineNo, t));
            continue;
        }
        picture = nullptr;
        const QString& key = t[0];
        if (key == u"title") {
            book.title = restAfter(line, 1);
        } else if (key == u"font") {
            if (t.size() != 2)
                fail(file, lineNo, QStringLiteral("font takes one size in points"));
            book.fontSize = toInt(file, lineNo, t[1], "the font size");
        } else if (key == u"page") {
            book.pages.emplace_back();
            page = &book.pages.back();
            page->line = lineNo;
        } else if (key == u"text" || key == u"picture" || key == u"next") {
            if (!page)
                fail(file, lineNo, QStringLiteral("\"%1\" before the first page").arg(key));
            if (key == u"text") {
                page->blocks.push_back(parseTextBlock(file, lineNo, line, t));
            } else if (key == u"picture") {
                page->pictures.push_back(parsePicture(file, lineNo, t));
                picture = &page->pictures.back();
            } else {
                if (t.size() != 2)
                    fail(file, lineNo, QStringLiteral("next takes one picture name"));
                page->next = t[1];
            }
        } else {
            fail(file, lineNo, QStringLiteral("unknown statement \"%1\"").arg(key));
        }
    }
    return book;
}

void checkBook(const SourceBook& book) {
    checkBookAsAWhole(book);
    const QSet<QString> names = pictureNames(book);
    const double lineHeight = lineHeightTwips(book.fontSize);
    for (size_t f = 0; f < book.pages.size(); ++f) {
        const SourcePage& page = book.pages[f];
        const bool titlePage = f == 0;
        if (page.blocks.empty() || page.blocks.size() > 3)
            fail(book.file, page.line, QStringLiteral("a page has one to three text lines"));
        if (page.pictures.empty() || page.pictures.size() > 2)
            fail(book.file, page.line, QStringLiteral("a page has one or two pictures"));
        std::vector<Placed> placed;
        checkTextBlocks(book, page, titlePage, lineHeight, placed);
        checkPictures(book.file, page, names, placed);
        checkPlacement(book.file, page.line, titlePage, placed);
        checkNextLink(book.file, page, book.pages[(f + 1) % book.pages.size()]);
    }
}

SourceWordList parseWordListSource(const QString& file, const QByteArray& content) {
    SourceWordList list;
    list.file = file;
    list.stem = QFileInfo(file).completeBaseName().toLower();
    static const QRegularExpression word(QStringLiteral("^[a-z]{3,}$"));
    const QStringList lines = sourceLines(content);
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        for (const QString& t : tokens(line)) {
            if (t.startsWith(u'+')) {
                list.includes << t.mid(1).toLower();
                continue;
            }
            const QString w = t.toLower();
            // The word games and the word squares take only words of three or more letters.
            if (!word.match(w).hasMatch())
                fail(file, n + 1, QStringLiteral("\"%1\" is not a word of three or more letters").arg(t));
            list.words << w;
        }
    }
    return list;
}

std::vector<SourceWordList> resolveWordLists(const std::vector<SourceWordList>& lists) {
    std::map<QString, const SourceWordList*> byStem;
    for (const SourceWordList& l : lists)
        byStem[l.stem] = &l;
    std::vector<SourceWordList> out;
    for (const auto& [stem, list] : byStem) {
        SourceWordList resolved = *list;
        QSet<QString> seen;
        QStringList pending = list->includes;
        while (!pending.isEmpty()) {
            const QString s = pending.takeFirst();
            if (seen.contains(s))
                continue;
            seen.insert(s);
            const auto it = byStem.find(s);
            if (it == byStem.end() || s == stem)
                fail(list->file, 0, QStringLiteral("cannot take in the list \"%1\"").arg(s));
            resolved.words << it->second->words;
            pending << it->second->includes;
        }
        resolved.words.removeDuplicates();
        resolved.words.sort();
        resolved.includes.clear();
        if (resolved.words.size() < 20)
            fail(list->file, 0, QStringLiteral("a word list needs at least 20 words"));
        out.push_back(resolved);
    }
    return out;
}

}  // namespace mkinstall
