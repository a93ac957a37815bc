#include "platform/Ansi.h"

namespace ansi {
namespace {

// Unicode of the bytes 80..9F; the rest of the code page is Latin-1 itself. The five
// bytes the code page leaves undefined keep their own number so that they survive.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

int codeOf(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u)
            return 0x80 + i;
    return '?';
}

}  // namespace

QString decode(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = chr(static_cast<unsigned char>(bytes[i]));
    return out;
}

// One byte per UTF-16 unit, so positions in the text and in the bytes agree; a character
// outside the basic plane becomes two '?'.
QByteArray encode(const QString& text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* d = out.data();
    const QChar* s = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i)
        d[i] = static_cast<char>(codeOf(s[i].unicode()));
    return out;
}

int code(QChar c) { return codeOf(c.unicode()); }

// Codes outside 0..255 are taken modulo 256 rather than failing.
QChar chr(int code) {
    code &= 0xFF;
    if (code >= 0x80 && code < 0xA0)
        return QChar(kHigh[code - 0x80]);
    return QChar(static_cast<char16_t>(code));
}

}  // namespace ansi
