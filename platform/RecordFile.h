#pragma once
// Random-access record files: opened read/write, created only where the caller says so,
// never truncated unless written whole, closed within each call.
#include <QByteArray>
#include <QString>
#include <optional>

namespace recordfile {

// Reads up to len bytes from offset. A file shorter than offset + len gives what is there.
// nullopt when the file cannot be opened; createIfMissing leaves a missing file behind empty.
std::optional<QByteArray> read(const QString& path, qint64 offset, qint64 len, bool createIfMissing);

// Writes the bytes at offset, creating the file when it is missing; bytes beyond stay.
// False when the file could not be opened or written completely; a write that fails for want
// of room to grow leaves the old bytes as they were.
bool write(const QString& path, qint64 offset, const QByteArray& bytes);

// The bytes as the whole file: written as write() writes them at offset 0, then the file ends
// where they end, so nothing of a longer old content stays behind. False when either step fails.
bool writeWhole(const QString& path, const QByteArray& bytes);

}  // namespace recordfile
