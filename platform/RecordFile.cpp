#include "platform/RecordFile.h"

#include <QFile>

namespace recordfile {

std::optional<QByteArray> read(const QString& path, qint64 offset, qint64 len, bool createIfMissing) {
    if (offset < 0)
        return std::nullopt;
    QFile f(path);
    // Read/write as the original opened its record files; a file we may only read is still
    // read. ExistingOnly keeps a missing file from being created unless asked.
    QIODevice::OpenMode mode = QIODevice::ReadWrite;
    if (!createIfMissing)
        mode |= QIODevice::ExistingOnly;
    if (!f.open(mode) && !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (len <= 0 || offset >= f.size())
        return QByteArray();
    if (!f.seek(offset))
        return std::nullopt;
    const QByteArray bytes = f.read(len);
    if (bytes.isNull() && f.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool write(const QString& path, qint64 offset, const QByteArray& bytes) {
    if (offset < 0)
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))  // creates a missing file, never truncates
        return false;
    if (!f.seek(offset))  // past the end the gap reads back as zero bytes
        return false;
    if (f.write(bytes) != bytes.size())
        return false;
    return f.flush();
}

}  // namespace recordfile
