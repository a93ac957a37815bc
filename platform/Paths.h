#pragma once
#include <QString>

// Turns a stored relative name (either separator; a leading separator is ignored) into a real
// path under root, matching every component without regard to letter case; an exact match
// wins over a case-insensitive one. Components that do not exist keep their spelled form, so a
// new file is created under the spelled name.
QString resolvePath(const QString& root, const QString& relative);

// True when the path names an existing regular file.
bool fileExists(const QString& path);

// The size of a file in bytes, -1 when it does not exist.
qint64 fileLength(const QString& path);
