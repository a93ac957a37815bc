#pragma once
// Pictures as the programs load them: a bitmap file by its path (a .DIB is a BMP, whatever
// its extension says). An empty path or a file that cannot be decoded gives a null image.
#include <QImage>
#include <QString>

QImage LoadPicture(const QString& path);
