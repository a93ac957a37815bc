#include "BookEncoder.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

#include "platform/Ansi.h"

namespace bookenc {
namespace {

int32_t addWrapping(int32_t key, int32_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(key) + static_cast<uint32_t>(v));
}

// The 1252 code of a character, refusing one the code page cannot hold.
int codeOf(QChar c) {
    const int code = ansi::code(c);
    if (code == '?' && c != u'?')
        throw EncodeError("character U+" + QString::number(c.unicode(), 16).toStdString() +
                          " has no Windows-1252 code");
    return code;
}

void checkField(const QString& field) {
    if (field.contains(u'\r') || field.contains(u'\n'))
        throw EncodeError("a field holds a line break: " + field.toStdString());
}

QString number(int v) { return QString::number(v); }

QString seconds(double v) {
    if (!std::isfinite(v))
        throw EncodeError("a timing mark is not a finite number");
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

QString storedText(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c == u'"' || c == ansi::chr(147) || c == ansi::chr(148))
            c = u'@';
    return out;
}

}  // namespace

int maxPictures(const Book& book) {
    int m = 0;
    for (const Frame& f : book.frames)
        m = std::max(m, static_cast<int>(f.pictures.size()));
    return m;
}

int maxBlocks(const Book& book) {
    int m = 0;
    for (const Frame& f : book.frames)
        m = std::max(m, static_cast<int>(f.blocks.size()));
    return m;
}

int maxMarks(const Book& book) {
    int m = 0;
    for (const Frame& f : book.frames)
        m = std::max(m, static_cast<int>(f.marks.size()));
    return m;
}

QStringList headerFields(const Book& book) {
    return {book.title,
            number(static_cast<int>(book.frames.size())),
            number(maxPictures(book)),
            number(maxBlocks(book)),
            number(maxMarks(book)),
            number(book.fontSize),
            QStringLiteral("0"),
            QStringLiteral("0"),
            QStringLiteral("0"),
            QStringLiteral("0")};
}

QStringList frameFields(const Book& book, int f) {
    const Frame& frame = book.frames.at(f - 1);
    QStringList fields;
    fields << QStringLiteral("==========FRAME %1").arg(f);
    fields << number(static_cast<int>(frame.blocks.size()));
    for (const Block& b : frame.blocks)
        fields << number(b.left) << number(b.top) << number(b.width) << number(b.height)
               << number(b.labelLeft) << storedText(b.text);
    fields << QStringLiteral("==========PICTURES");
    fields << number(static_cast<int>(frame.pictures.size()));
    for (const Picture& p : frame.pictures)
        fields << number(p.left) << number(p.top) << number(p.width) << number(p.height) << p.name;
    fields << QStringLiteral("==========MARKS");
    fields << number(static_cast<int>(frame.marks.size()));
    for (double t : frame.marks)
        fields << seconds(t);
    fields << QStringLiteral("==========LINK");
    fields << (frame.link.isEmpty() ? QStringLiteral("NEXT") : "NEXT " + frame.link);
    return fields;
}

QByteArray scrambleText(const QString& text, int32_t& key) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const int d = codeOf(ch);
        int r = -1;
        switch (d) {
        case '\n': r = 0; break;
        case '\r': r = 1; break;
        case ' ': r = 2; break;
        case '!': r = 3; break;
        default: break;
        }
        if (r >= 0) {
            // The low code is read as ((c + 7) - key Mod 4) Mod 4; 1 to 4 covers every
            // remainder and none of them ends an item or a line.
            int c = 1;
            while (((c + 7) - (key % 4)) % 4 != r)
                ++c;
            out.append(static_cast<char>(c));
            continue;
        }
        if (d > 220)
            throw EncodeError("character code " + std::to_string(d) + " cannot be stored in a book file");
        int64_t c = (static_cast<int64_t>(d) + key) % 221;
        if (c < 0)
            c += 221;
        out.append(static_cast<char>(35 + c));
        key = addWrapping(key, d);
    }
    return out;
}

QByteArray encodeRecords(const QString& magic, const QList<QStringList>& records) {
    checkField(magic);
    if (magic.contains(u'"'))
        throw EncodeError("the magic record holds a double quote");
    QByteArray plain;
    for (QChar c : magic)
        plain.append(static_cast<char>(codeOf(c)));

    int32_t key = 0;
    for (char c : plain)
        key = addWrapping(key, static_cast<unsigned char>(c));
    if (key == 0)
        throw EncodeError("an empty magic record gives no key");

    const QByteArray crlf("\r\n");
    QByteArray out = '"' + plain + '"' + crlf;
    for (const QStringList& fields : records) {
        if (key == 0)
            throw EncodeError("the running key came round to 0, which the reader takes as a new start");
        for (const QString& f : fields)
            checkField(f);
        out += '"' + scrambleText(fields.join(QStringLiteral("\r\n")), key) + '"' + crlf;
    }
    return out;
}

QByteArray encodeBook(const Book& book) {
    QList<QStringList> records;
    records.append(headerFields(book));
    for (int f = 1; f <= book.frames.size(); ++f)
        records.append(frameFields(book, f));
    return encodeRecords(book.magic, records);
}

}  // namespace bookenc
