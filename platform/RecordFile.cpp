#include "platform/RecordFile.h"

#include <QFile>

namespace recordfile {

namespace {

// Past the end of the file the gap reads back as zero bytes.
bool writeAt(QFile& f, qint64 offset, const QByteArray& bytes) {
    return f.seek(offset) && f.write(bytes) == bytes.size() && f.flush();
}

}  // namespace

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
    // Creates a missing file, never truncates. Unbuffered, so that nothing of a failed write is
    // left in a buffer to reach the disk later.
    if (!f.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    // What lies past the present end goes first: when the disk cannot take it, the old bytes are
    // still as they were, never half replaced by a record that did not fit. What part of it did
    // get there is cut off again, or a reader of the whole record would take it for the new one.
    const qint64 size = f.size();
    const qint64 end = offset + bytes.size();
    const qint64 inside = qBound<qint64>(0, size - offset, bytes.size());
    if (end > size && !writeAt(f, offset + inside, bytes.mid(inside))) {
        f.resize(size);
        return false;
    }
    return inside == 0 || writeAt(f, offset, bytes.left(inside));
}

bool writeWhole(const QString& path, const QByteArray& bytes) {
    if (!write(path, 0, bytes))
        return false;
    QFile f(path);
    return f.size() == bytes.size() || f.resize(bytes.size());
}

}  // namespace recordfile
