#include "platform/WholeFile.h"

#include <QSaveFile>
#include <unistd.h>

namespace wholefile {

bool replace(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered: a buffered write only fills memory and meets the full disk inside commit(),
    // which then gives the old file up for a short one. So each write reaches the file system
    // here and says whether it got there, and fsync asks for the blocks a file system
    // allocates only when it writes back. On any failure the destructor throws the new file away.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size() || ::fsync(file.handle()) != 0) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace wholefile
