#pragma once
// The tracking window's rules that need no window: finding a user's part of the log, the
// notice of a log near its limit, and the log's line ends in and out of the edit box.
#include <QString>

namespace logview {

// Above this many characters the window asks for some of the log to be deleted.
constexpr int kNearLimit = 25000;
bool nearLimit(const QString& log);

// Where the heading of the user's part begins: a whole line "Log for <name>", case-sensitive,
// so that Ann never lands in Anna's part; -1 when there is none. Line ends may be CR LF or LF.
qsizetype findUserSection(const QString& text, const QString& name);

// The log's CR LF line ends as the edit box keeps them (LF), and back.
QString toBox(const QString& log);
QString fromBox(const QString& box);

}  // namespace logview
