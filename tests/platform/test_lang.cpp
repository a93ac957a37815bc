#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>
#include <clocale>
#include <cmath>
#include <limits>
#include <set>

#include "platform/Lang.h"

using namespace lang;

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(LangTrim, RemovesOnlyBlanks) {
    EXPECT_EQ(Trim(u("  a b  ")), u("a b"));
    EXPECT_EQ(Trim(u("\t a \t")), u("\t a \t"));
    EXPECT_EQ(Trim(u(" \r\nx\r\n ")), u("\r\nx\r\n"));
    EXPECT_EQ(LTrim(u("  a  ")), u("a  "));
    EXPECT_EQ(RTrim(u("  a  ")), u("  a"));
    EXPECT_EQ(Trim(u("     ")), QString());
    EXPECT_EQ(Trim(QString()), QString());
}

TEST(LangCase, AsciiAndCodePageLettersOnly) {
    struct Case {
        const char* lower;
        const char* upper;
    };
    const Case pairs[] = {
        {"abc xyz", "ABC XYZ"},
        {"àéîõü", "ÀÉÎÕÜ"},
        {"þð", "ÞÐ"},
        {"šœž", "ŠŒŽ"},
        {"ÿ", "Ÿ"},
    };
    for (const Case& c : pairs) {
        EXPECT_EQ(UCase(u(c.lower)), u(c.upper)) << c.lower;
        EXPECT_EQ(LCase(u(c.upper)), u(c.lower)) << c.upper;
    }
    // Signs that sit among the letters, and letters with no single-character partner.
    EXPECT_EQ(UCase(u("÷")), u("÷"));
    EXPECT_EQ(LCase(u("×")), u("×"));
    EXPECT_EQ(UCase(u("µ")), u("µ"));
    EXPECT_EQ(UCase(u("1-2_@[`{")), u("1-2_@[`{"));
    EXPECT_EQ(LCase(u("1-2_@[`{")), u("1-2_@[`{"));
}

TEST(LangCase, SharpSKeepsTheLength) {
    const QString s = u("straße");
    const QString up = UCase(s);
    EXPECT_EQ(up, u("STRAßE"));
    EXPECT_EQ(up.size(), s.size());
    EXPECT_EQ(LCase(u("STRAßE")), u("straße"));
}

TEST(LangVal, LeadingNumericText) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"12ab", 12},       {"", 0},          {" 2.5", 2.5},     {"1e3", 1000},
        {"&H1F", 31},       {"&h1f", 31},     {"&O17", 15},      {"&H", 0},
        {"&Hxyz", 0},       {"&O9", 0},       {"&X1", 0},        {"abc", 0},
        {"-7", -7},         {"+7", 7},        {"- 7", -7},       {"--7", 0},
        {"1 2 3", 123},     {"\t4\n5", 45},   {"1.5.2", 1.5},    {".5", 0.5},
        {"-.25", -0.25},    {".", 0},         {"-", 0},          {"1d2", 100},
        {"2E-2", 0.02},     {"1e", 1},        {"1e+", 1},        {"3e x", 3},
        {"1,000", 1},       {"\r5", 0},       {"007", 7},        {"1.e1", 10},
        {"e5", 0},          {"12 ab 3", 12},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Val(u(c.text)), c.value) << c.text;
}

TEST(LangVal, ExtremeExponentsSaturate) {
    EXPECT_TRUE(std::isinf(Val(u("1e999"))));
    EXPECT_GT(Val(u("1e999")), 0);
    EXPECT_LT(Val(u("-1e999")), 0);
    EXPECT_EQ(Val(u("1e-999")), 0);
    EXPECT_EQ(Val(u("0.") + QString(400, u'0') + u("1")), 0);
    EXPECT_EQ(Val(u("1") + QString(20, u'0')), 1e20);
}

TEST(LangVal, IgnoresTheLocale) {
    // A decimal-comma locale, in Qt and in C, must not change "2.5" either way. scripts/deps
    // makes the C locale; without it the C half would go untested, so its absence fails.
    const QLocale qold;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    const bool cLocaleSet = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE");
    const std::string point = std::localeconv()->decimal_point;
    EXPECT_DOUBLE_EQ(Val(u("2.5")), 2.5);
    EXPECT_DOUBLE_EQ(Val(u("2,5")), 2);
    EXPECT_EQ(Str(2.5), u(" 2.5"));
    std::setlocale(LC_NUMERIC, saved.c_str());
    QLocale::setDefault(qold);
    EXPECT_TRUE(cLocaleSet) << "no de_DE.UTF-8 C locale on this machine: scripts/deps makes it";
    EXPECT_EQ(point, ",") << "the C locale in force has no decimal comma";
}

TEST(LangRound, HalfGoesToEven) {
    struct Case {
        double in, out;
    };
    const Case cases[] = {
        {2.5, 2},   {3.5, 4},   {-2.5, -2}, {-3.5, -4}, {0.5, 0},     {-0.5, 0},
        {1.5, 2},   {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {7, 7},     {1e300, 1e300},
        {4503599627370495.5, 4503599627370496.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(LangConvert, CIntRangeAfterRounding) {
    EXPECT_EQ(CInt(32767.4), std::optional<int16_t>(32767));
    EXPECT_EQ(CInt(32767.5), std::nullopt);
    EXPECT_EQ(CInt(32766.5), std::optional<int16_t>(32766));
    EXPECT_EQ(CInt(-32768.5), std::optional<int16_t>(-32768));  // rounds to the even -32768
    EXPECT_EQ(CInt(-32769.5), std::nullopt);
    EXPECT_EQ(CInt(-1.5), std::optional<int16_t>(-2));
    EXPECT_EQ(CInt(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(CInt(std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(LangConvert, CLngRangeAfterRounding) {
    EXPECT_EQ(CLng(2147483647.4), std::optional<int32_t>(2147483647));
    EXPECT_EQ(CLng(2147483647.5), std::nullopt);
    EXPECT_EQ(CLng(-2147483648.5), std::optional<int32_t>(-2147483647 - 1));
    EXPECT_EQ(CLng(-2147483649.0), std::nullopt);
    EXPECT_EQ(CLng(40000), std::optional<int32_t>(40000));
    EXPECT_EQ(CLng(-std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(LangIntDiv, RoundsOperandsThenTruncates) {
    struct Case {
        double a, b;
        int64_t q;
    };
    const Case cases[] = {
        {7.5, 2, 4},    // 8 \ 2
        {-7, 2, -3},    // toward zero
        {7, -2, -3},    {-7, -2, 3},
        {6.5, 2.5, 3},  // 6 \ 2
        {5, 1.5, 2},    // 5 \ 2
        {1, 3, 0},      {-1, 3, 0},
        {1e15, 7, 142857142857142},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IntDiv(c.a, c.b), std::optional<int64_t>(c.q)) << c.a << " \\ " << c.b;
}

TEST(LangIntDiv, ZeroOrUnrepresentableGivesNothing) {
    EXPECT_EQ(IntDiv(5, 0), std::nullopt);
    EXPECT_EQ(IntDiv(5, 0.4), std::nullopt);   // the divisor rounds to 0
    EXPECT_EQ(IntDiv(5, -0.5), std::nullopt);  // and so does -0.5
    EXPECT_EQ(IntDiv(1e30, 3), std::nullopt);
    EXPECT_EQ(IntDiv(std::numeric_limits<double>::quiet_NaN(), 3), std::nullopt);
    EXPECT_EQ(IntDiv(-9223372036854775808.0, -1), std::nullopt);
}

TEST(LangStr, LeadingBlankAndShortestText) {
    struct Case {
        double v;
        const char* text;
    };
    const Case cases[] = {
        {3, " 3"},
        {-3, "-3"},
        {0, " 0"},
        {-0.0, " 0"},
        {0.5, " .5"},
        {-0.25, "-.25"},
        {12.75, " 12.75"},
        {0.1 + 0.2, " .3"},         // 15 significant digits hide the binary error
        {1.0 / 3, " .333333333333333"},
        {2.0 / 3, " .666666666666667"},
        {100000000000000.0, " 100000000000000"},
        {1e15, " 1E+15"},
        {-1.5e20, "-1.5E+20"},
        {0.0001, " .0001"},
        {0.00001, " 1E-05"},
        {1.25e-7, " 1.25E-07"},
        {32767, " 32767"},
        {-32768, "-32768"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Str(c.v), u(c.text)) << c.text;
}

TEST(LangStr, ValReadsStrBack) {
    for (double v : {0.5, -0.25, 3.0, 12.75, 1e15, -1.5e20, 0.00001, 1.25e-7})
        EXPECT_DOUBLE_EQ(Val(Str(v)), v) << v;
}

TEST(LangFormat, SessionTime) {
    struct Case {
        int y, mo, d, h, mi;
        const char* text;
    };
    const Case cases[] = {
        {2026, 12, 10, 9, 5, "9:05 am, 10 December 2026"},
        {2026, 1, 1, 0, 30, "12:30 am, 1 January 2026"},
        {2026, 6, 15, 12, 0, "12:00 pm, 15 June 2026"},
        {2026, 9, 30, 13, 7, "1:07 pm, 30 September 2026"},
        {1999, 2, 28, 23, 59, "11:59 pm, 28 February 1999"},
        {2030, 5, 9, 11, 59, "11:59 am, 9 May 2030"},
    };
    // English month names even where the default locale is not English.
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    for (const Case& c : cases)
        EXPECT_EQ(FormatSessionTime(QDateTime(QDate(c.y, c.mo, c.d), QTime(c.h, c.mi, 42))),
                  u(c.text));
    QLocale::setDefault(old);
}

TEST(LangRnd, SeededSequenceRepeatsAndStaysBelowOne) {
    Randomize(12345);
    std::vector<float> first;
    for (int i = 0; i < 1000; ++i)
        first.push_back(Rnd());
    Randomize(12345);
    std::set<float> distinct;
    double sum = 0;
    for (int i = 0; i < 1000; ++i) {
        const float r = Rnd();
        EXPECT_EQ(r, first[i]);
        EXPECT_GE(r, 0.0f);
        EXPECT_LT(r, 1.0f);
        distinct.insert(r);
        sum += r;
    }
    EXPECT_GT(distinct.size(), 990u);
    EXPECT_NEAR(sum / 1000, 0.5, 0.05);
    // Int(Rnd * n) covers 0..n-1, as the games use it.
    std::set<int> faces;
    for (int i = 0; i < 600; ++i)
        faces.insert(static_cast<int>(Rnd() * 6));
    EXPECT_EQ(faces, (std::set<int>{0, 1, 2, 3, 4, 5}));
    Randomize(54321);
    EXPECT_NE(Rnd(), first[0]);
}

TEST(LangSpace, Blanks) {
    EXPECT_EQ(Space(3), u("   "));
    EXPECT_EQ(Space(0), QString());
    EXPECT_EQ(Space(-2), QString());
}

}  // namespace
