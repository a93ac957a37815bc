#include "platform/Picture.h"

#include <QImageReader>

QImage LoadPicture(const QString& path) {
    if (path.isEmpty())
        return QImage();
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}
