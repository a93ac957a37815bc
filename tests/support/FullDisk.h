#pragma once
// A disk that really fills up: a small tmpfs of the test's own, mounted on a temporary folder,
// and a filler file that takes its room. Mounting needs root; where it is refused the folder
// is an ordinary one, and fill() stands in with the file size limit (NoWrites), which fails
// the same writes on the same files, though not by the disk's blocks. The test runs either way.
#include <QString>
#include <memory>

#include "support/FileSizeLimit.h"
#include "support/TestEnv.h"

namespace testsupport {

class FullDisk {
public:
    explicit FullDisk(qint64 size = 256 * 1024);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // The disk's folder, with TempDir's file(), write() and read(). The filler lies in the
    // folder's root: a test keeps its own files in a folder below it.
    const TempDir& folder() const { return dir_; }
    QString path() const { return dir_.path(); }

    // True when the folder is a disk of its own; false when the size limit stands in.
    bool real() const { return mounted_; }

    // Leaves room for a new file of `room` bytes at the most. On the disk of its own the filler
    // takes every block but the ones that file needs, so no file can grow past its last block.
    // Otherwise no file may be written at or past `room` bytes.
    void fill(qint64 room = 0);
    // The room back: the filler gone, or the limit lifted.
    void empty();

private:
    TempDir dir_;
    bool mounted_ = false;
    std::unique_ptr<NoWrites> limit_;
};

}  // namespace testsupport
