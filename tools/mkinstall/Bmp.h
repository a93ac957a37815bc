#pragma once
// Our own BMP writers, so that every picture of the installation has a known depth and the same
// bytes on every run.
#include <QByteArray>
#include <QImage>

namespace mkinstall {

// 24 bits per pixel, rows bottom-up, each padded to four bytes.
QByteArray bmp24(const QImage& image);

// 8 bits per pixel with a palette. The palette holds the image's own colours in ascending
// order when there are at most 256 of them; otherwise a fixed colour cube, each pixel taking
// its nearest entry.
QByteArray bmp8(const QImage& image);

}  // namespace mkinstall
