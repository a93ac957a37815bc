#include "support/FullDisk.h"

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace testsupport {

namespace {

const char kFiller[] = "/filler";

// The free bytes of the file system at path; -1 when it cannot be asked.
qint64 freeBytes(const QString& path) {
    struct statvfs s {};
    if (::statvfs(QFile::encodeName(path).constData(), &s) != 0)
        return -1;
    return qint64(s.f_bavail) * qint64(s.f_frsize);
}

}  // namespace

FullDisk::FullDisk(qint64 size) {
    const QByteArray options = "size=" + QByteArray::number(size) + ",mode=0700";
    mounted_ = ::mount("kestrow-full-disk", QFile::encodeName(dir_.path()).constData(), "tmpfs",
                       MS_NOSUID | MS_NODEV | MS_NOEXEC, options.constData()) == 0;
    if (!mounted_) {
        static bool told = false;
        if (!told)
            std::cerr << "FullDisk: no tmpfs could be mounted (" << std::strerror(errno)
                      << "); the file size limit stands in for the full disk\n";
        told = true;
    }
}

FullDisk::~FullDisk() {
    limit_.reset();
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

void FullDisk::fill(qint64 room) {
    if (!mounted_) {
        limit_ = std::make_unique<NoWrites>(rlim_t(room));
        return;
    }
    const QByteArray filler = QFile::encodeName(dir_.path() + QLatin1String(kFiller));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    const QByteArray chunk(64 * 1024, '\0');
    while (::write(fd, chunk.constData(), size_t(chunk.size())) > 0) {
    }
    const int full = errno;
    // Whole blocks go back, as many as a file of `room` bytes takes.
    const qint64 block = ::sysconf(_SC_PAGESIZE);
    const qint64 back = (room + block - 1) / block * block;
    const off_t filled = ::lseek(fd, 0, SEEK_END);
    const bool cut = back == 0 || ::ftruncate(fd, filled - off_t(back)) == 0;
    ::close(fd);
    ASSERT_EQ(full, ENOSPC) << std::strerror(full);
    ASSERT_TRUE(cut) << std::strerror(errno);
    ASSERT_EQ(freeBytes(dir_.path()), back);
}

void FullDisk::empty() {
    limit_.reset();
    if (mounted_)
        QFile::remove(dir_.path() + QLatin1String(kFiller));
}

}  // namespace testsupport
