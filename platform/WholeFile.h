#pragma once
// Files that are written whole and replaced whole (a story, a copy of the teacher's settings):
// the new content goes to a file of its own beside the old one and takes its name only once
// every byte of it is on the disk.
#include <QByteArray>
#include <QString>

namespace wholefile {

// Makes the bytes the whole content of path. False, with the old file (or none) as it was, when
// any of them could not be written: a full disk, a missing folder, a folder of that name.
bool replace(const QString& path, const QByteArray& bytes);

}  // namespace wholefile
