#pragma once
// The teacher's password: kept scrambled in GlobalSettings.Password (8 characters).
#include <QString>

#include "core/Settings.h"

// The one key every program of the system scrambles with.
constexpr int kPasswordKey = 42;

// The clear text padded with blanks to w characters, scrambled: exactly w characters.
QString ScramblePassword(const QString& text, int w);
// The inverse for texts of codes 32..127; blanks trimmed from both ends.
QString DescramblePassword(const QString& text, int w);

// A stored password field of eight blanks or eight zero bytes (a record made by hand or never
// written) holds no password: no typeable password scrambles to either. Zero bytes ending the
// field (a file cut short) count as padding.
bool PasswordIsSet(const FixedText<8>& field);
// The clear password of a field, "" when none is set.
QString ClearPassword(const FixedText<8>& field);

// The same for GlobalSettings.Password.
bool PasswordIsSet();
QString CurrentPassword();
