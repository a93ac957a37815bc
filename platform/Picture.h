#pragma once
// Pictures as the programs load them: a bitmap file by its path (a .DIB is a BMP, whatever
// its extension says). An empty path or a file that cannot be decoded gives a null image.
#include <QImage>
#include <QString>

QImage LoadPicture(const QString& path);

// The picture with every pixel of the key colour made clear, so that what lies beneath shows
// through: the pictures are drawn on a ground of one colour that is not part of the drawing.
// Only red, green and blue are compared. The result has an alpha channel (ARGB32).
QImage withClearKey(const QImage& picture, QRgb key);
