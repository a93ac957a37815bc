#pragma once
// Texts on disk are one byte per character in Windows-1252; in memory they are QString.
#include <QByteArray>
#include <QString>

namespace ansi {

// Bytes to text. The five bytes 1252 leaves undefined (81 8D 8F 90 9D) map to the
// control characters of the same number, so every byte survives a round trip.
QString decode(const QByteArray& bytes);

// Text to bytes; a character 1252 cannot hold becomes '?'.
QByteArray encode(const QString& text);

// The 1252 code (0..255) of one character, '?' (63) when it has none: Asc.
int code(QChar c);

// The character of a 1252 code (0..255): Chr$.
QChar chr(int code);

}  // namespace ansi
