#include "platform/Lang.h"

#include <charconv>
#include <locale.h>
#include <stdlib.h>
#include <chrono>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace lang {

QString LTrim(const QString& s) {
    qsizetype b = 0;
    while (b < s.size() && s[b] == u' ')
        ++b;
    return s.mid(b);
}

QString RTrim(const QString& s) {
    qsizetype e = s.size();
    while (e > 0 && s[e - 1] == u' ')
        --e;
    return s.left(e);
}

QString Trim(const QString& s) { return LTrim(RTrim(s)); }

namespace {

char16_t upperOf(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)  // à..þ without ÷
        return c - 0x20;
    switch (c) {
    case 0x0161: return 0x0160;  // š
    case 0x0153: return 0x0152;  // œ
    case 0x017E: return 0x017D;  // ž
    case 0x00FF: return 0x0178;  // ÿ
    default: return c;
    }
}

char16_t lowerOf(char16_t c) {
    if (c >= u'A' && c <= u'Z')
        return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)  // À..Þ without ×
        return c + 0x20;
    switch (c) {
    case 0x0160: return 0x0161;
    case 0x0152: return 0x0153;
    case 0x017D: return 0x017E;
    case 0x0178: return 0x00FF;
    default: return c;
    }
}

template <typename F>
QString mapChars(const QString& s, F f) {
    QString out = s;
    QChar* d = out.data();
    for (qsizetype i = 0; i < out.size(); ++i)
        d[i] = QChar(f(d[i].unicode()));
    return out;
}

}  // namespace

QString UCase(const QString& s) { return mapChars(s, upperOf); }
QString LCase(const QString& s) { return mapChars(s, lowerOf); }

namespace {

// Reads the characters of the number one by one, skipping the blanks the original skips
// anywhere inside it.
class ValReader {
public:
    explicit ValReader(const QString& s) : s_(s) {}
    char16_t peek() {
        while (i_ < s_.size() && (s_[i_] == u' ' || s_[i_] == u'\t' || s_[i_] == u'\n'))
            ++i_;
        return i_ < s_.size() ? s_[i_].unicode() : 0;
    }
    void take() { ++i_; }

private:
    const QString& s_;
    qsizetype i_ = 0;
};

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int hexDigit(char16_t c) {
    if (isDigit(c))
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

}  // namespace

double Val(const QString& s) {
    ValReader r(s);
    if (r.peek() == u'&') {
        r.take();
        int base = 8;
        const char16_t p = r.peek();
        if (p == u'h' || p == u'H') {
            base = 16;
            r.take();
        } else if (p == u'o' || p == u'O') {
            r.take();
        } else {
            return 0;
        }
        // Read as an unsigned value; a long run of digits simply grows the double.
        double v = 0;
        for (;;) {
            const int d = hexDigit(r.peek());
            if (d < 0 || d >= base)
                break;
            v = v * base + d;
            r.take();
        }
        return v;
    }

    // Gather the number's text in plain ASCII for the conversion below.
    std::string text;
    if (r.peek() == u'-') {
        text += '-';
        r.take();
    } else if (r.peek() == u'+') {
        r.take();
    }
    bool digits = false;
    while (isDigit(r.peek())) {
        text += static_cast<char>(r.peek());
        digits = true;
        r.take();
    }
    if (r.peek() == u'.') {
        text += '.';
        r.take();
        while (isDigit(r.peek())) {
            text += static_cast<char>(r.peek());
            digits = true;
            r.take();
        }
    }
    if (!digits)
        return 0;
    const char16_t e = r.peek();
    if (e == u'e' || e == u'E' || e == u'd' || e == u'D') {
        r.take();
        std::string exp = "e";
        if (r.peek() == u'-' || r.peek() == u'+') {
            exp += static_cast<char>(r.peek());
            r.take();
        }
        bool expDigits = false;
        while (isDigit(r.peek())) {
            exp += static_cast<char>(r.peek());
            expDigits = true;
            r.take();
        }
        if (expDigits)
            text += exp;
    }
    // strtod in the C locale: a decimal point whatever the user's locale, and values too
    // large or too small for a double saturate to infinity or zero.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const double v = strtod_l(text.c_str(), nullptr, cLocale);
    return v;
}

double RoundHalfEven(double v) {
    if (!std::isfinite(v))
        return v;
    const double f = std::floor(v);
    const double diff = v - f;
    if (diff < 0.5)
        return f;
    if (diff > 0.5)
        return f + 1;
    return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

namespace {

template <typename T>
std::optional<T> roundInto(double v) {
    const double r = RoundHalfEven(v);
    if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
          r <= static_cast<double>(std::numeric_limits<T>::max())))
        return std::nullopt;  // also NaN
    return static_cast<T>(r);
}

}  // namespace

std::optional<int16_t> CInt(double v) { return roundInto<int16_t>(v); }
std::optional<int32_t> CLng(double v) { return roundInto<int32_t>(v); }

std::optional<int64_t> IntDiv(double a, double b) {
    // Operands are taken into 64 bits (wider than the original's 32, never narrower);
    // a value that does not fit gives nullopt like a zero divisor.
    const double ra = RoundHalfEven(a);
    const double rb = RoundHalfEven(b);
    constexpr double lim = 9223372036854775808.0;  // 2^63
    if (!(ra >= -lim && ra < lim && rb >= -lim && rb < lim))
        return std::nullopt;
    const auto x = static_cast<int64_t>(ra);
    const auto y = static_cast<int64_t>(rb);
    if (y == 0 || (x == std::numeric_limits<int64_t>::min() && y == -1))
        return std::nullopt;
    return x / y;
}

QString Str(double v) {
    if (v == 0)
        return QStringLiteral(" 0");  // also -0
    if (std::isnan(v))
        return QStringLiteral(" NaN");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral(" Inf") : QStringLiteral("-Inf");
    // %g with 15 digits chooses fixed or exponent form exactly as the original does
    // (exponent form from 1E+15 and below 1E-04), dropping trailing zeros.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    std::string t(buf, res.ptr);
    for (char& c : t)
        if (c == 'e')
            c = 'E';
    if (t.rfind("0.", 0) == 0)
        t.erase(0, 1);
    else if (t.rfind("-0.", 0) == 0)
        t.erase(1, 1);
    if (t[0] != '-')
        t.insert(t.begin(), ' ');
    return QString::fromLatin1(t.data(), static_cast<qsizetype>(t.size()));
}

QString FormatSessionTime(const QDateTime& t) {
    static const char* const kMonths[12] = {"January", "February", "March",     "April",
                                            "May",     "June",     "July",      "August",
                                            "September", "October", "November", "December"};
    const QDate d = t.date();
    const QTime tm = t.time();
    int h = tm.hour() % 12;
    if (h == 0)
        h = 12;
    const int month = d.month();
    const QString monthName =
        month >= 1 && month <= 12 ? QString::fromLatin1(kMonths[month - 1]) : QString();
    return QStringLiteral("%1:%2 %3, %4 %5 %6")
        .arg(h)
        .arg(tm.minute(), 2, 10, QLatin1Char('0'))
        .arg(tm.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm"))
        .arg(d.day())
        .arg(monthName)
        .arg(d.year());
}

namespace {
std::mt19937& generator() {
    static std::mt19937 g;
    return g;
}
}  // namespace

float Rnd() {
    // 24 random bits fill a float's mantissa exactly, so 1.0 can never come out.
    return static_cast<float>(generator()() >> 8) * (1.0f / 16777216.0f);
}

void Randomize(uint32_t seed) { generator().seed(seed); }

void RandomizeFromClock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    std::random_device rd;
    std::seed_seq seq{static_cast<uint32_t>(now), static_cast<uint32_t>(now >> 32), rd()};
    generator().seed(seq);
}

QString Space(int n) { return n > 0 ? QString(n, u' ') : QString(); }

}  // namespace lang
