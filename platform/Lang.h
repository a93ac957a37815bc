#pragma once
// The small helpers of the original language, each in one place, with its exact rules.
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace lang {

// Removes blanks (code 32 only, not tabs or line ends).
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);

// Per character: a-z and the lower-case letters of Windows-1252 (à..þ without ÷, š, œ, ž, ÿ).
// Never changes the length ("ß" stays "ß").
QString UCase(const QString& s);
QString LCase(const QString& s);

// The numeric value of the leading numeric text, without regard to the locale:
// blanks, tabs and line feeds are skipped anywhere, then an optional sign, digits,
// one decimal point, an optional exponent (E or D); "&H"/"&O" prefixes give hex/octal.
// Anything else ends the number; no number gives 0.
double Val(const QString& s);

// Rounds to the nearest whole number, a half going to the even one.
double RoundHalfEven(double v);

// CInt: rounds half to even into 16 bits; nullopt when the result does not fit.
std::optional<int16_t> CInt(double v);
// CLng: the same into 32 bits.
std::optional<int32_t> CLng(double v);

// The "\" operator: both operands rounded half to even, then division truncated toward zero.
// Division by zero gives nullopt.
std::optional<int64_t> IntDiv(double a, double b);

// Str$: the number's shortest text (up to 15 significant digits) with a leading blank
// for values that are not negative; "0." is written as "." (" .5", "-.25").
QString Str(double v);

// Format(t, "h:nn am/pm, d mmmm yyyy"): "9:05 am, 10 December 2026", English month names.
QString FormatSessionTime(const QDateTime& t);

// Rnd: one generator for the program, numbers in [0, 1). Randomize seeds it.
float Rnd();
void Randomize(uint32_t seed);
void RandomizeFromClock();

// Space$(n).
QString Space(int n);

}  // namespace lang
