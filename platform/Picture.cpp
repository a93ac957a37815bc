#include "platform/Picture.h"

#include <QImageReader>

QImage LoadPicture(const QString& path) {
    if (path.isEmpty())
        return QImage();
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QImage withClearKey(const QImage& picture, QRgb key) {
    QImage img = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb rgb = key & RGB_MASK;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & RGB_MASK) == rgb)
                line[x] = 0;
    }
    return img;
}
