#include "core/Password.h"

#include "core/Globals.h"
#include "platform/Lang.h"

namespace {

// The text followed by w blanks, cut to w characters.
QString padded(const QString& text, int w) {
    if (w <= 0)
        return {};
    return (text + lang::Space(w)).left(w);
}

// Only the running key modulo 96 matters, so it is kept reduced: the same characters come out
// as with the full sum, for any width, without overflow.
int mod96(long long v) {
    const int m = static_cast<int>(v % 96);
    return m < 0 ? m + 96 : m;
}

}  // namespace

QString ScramblePassword(const QString& text, int w) {
    const QString s = padded(text, w);
    int key = kPasswordKey;
    QString out;
    for (int i = 1; i <= w; ++i) {
        const int f = mod96(key + 7LL * i);
        const int c = ansi::code(s[i - 1]);
        const int h = c >= 32 ? (c + f) % 96 + 32 : c;
        out += ansi::chr(h);
        key = mod96(f + h);
    }
    return out;
}

QString DescramblePassword(const QString& text, int w) {
    const QString s = padded(text, w);
    int key = kPasswordKey;
    QString out;
    for (int i = 1; i <= w; ++i) {
        const int f = mod96(key + 7LL * i);
        const int g = ansi::code(s[i - 1]);
        key = mod96(f + g);
        // The one code in 32..127 that scrambles to g.
        const int x = g >= 32 ? mod96(g - 32 - f - 32) + 32 : g;
        out += ansi::chr(x);
    }
    return lang::Trim(out);
}

QString ClearPassword(const FixedText<8>& field) {
    const QByteArray raw = field.bytes();
    if (raw == QByteArray(8, ' ') || raw == QByteArray(8, '\0'))
        return {};
    // Zero bytes at the end are what a file cut short inside the field leaves; they descramble
    // to themselves and are padding, as blanks are.
    QString clear = DescramblePassword(field.rawText(), 8);
    while (clear.endsWith(QChar(0)))
        clear.chop(1);
    return lang::Trim(clear);
}

bool PasswordIsSet(const FixedText<8>& field) { return !ClearPassword(field).isEmpty(); }

bool PasswordIsSet() { return PasswordIsSet(GlobalSettings.Password); }

QString CurrentPassword() { return ClearPassword(GlobalSettings.Password); }
