// Replacing a whole file: the new bytes take the old file's place only once all of them are on
// the disk; a disk that fills up on the way, or a path that cannot take a file, leaves the old
// file whole and nothing beside it.
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "platform/WholeFile.h"
#include "support/FullDisk.h"

namespace {

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(WholeFile, OnAFullDiskTheOldFileStaysWhole) {
    const QByteArray old(368, 'o');
    const struct {
        qint64 room;  // what the disk still takes
        int length;   // of the new content
    } cases[] = {{0, 5}, {4096, 3 * 4096}, {4096, 4097}};
    for (const auto& c : cases) {
        SCOPED_TRACE("room " + std::to_string(c.room) + ", new length " + std::to_string(c.length));
        testsupport::FullDisk disk;
        disk.folder().write(QStringLiteral("TEXT/S.TXT"), old);
        const QString path = disk.path() + QStringLiteral("/TEXT/S.TXT");
        disk.fill(c.room);
        EXPECT_FALSE(wholefile::replace(path, QByteArray(c.length, 'n')));
        EXPECT_EQ(disk.folder().read(QStringLiteral("TEXT/S.TXT")), old);
        EXPECT_EQ(entries(disk.path() + QStringLiteral("/TEXT")), QStringList{QStringLiteral("S.TXT")});
    }
}

TEST(WholeFile, APathThatCannotTakeTheFileLeavesWhatIsThere) {
    testsupport::TempDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("TEXT/BUSY.TXT"));  // a folder of that name
    EXPECT_FALSE(wholefile::replace(dir.path() + QStringLiteral("/TEXT/BUSY.TXT"), "new"));
    EXPECT_TRUE(QFileInfo(dir.path() + QStringLiteral("/TEXT/BUSY.TXT")).isDir());
    EXPECT_FALSE(wholefile::replace(dir.path() + QStringLiteral("/NOFOLDER/NEW.TXT"), "new"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/NOFOLDER")));
    EXPECT_EQ(entries(dir.path() + QStringLiteral("/TEXT")), QStringList{QStringLiteral("BUSY.TXT")});
}

TEST(WholeFile, ANewContentReplacesAllOfTheOld) {
    testsupport::TempDir dir;
    dir.write(QStringLiteral("OLD.TXT"), "a longer old story");
    const QString path = dir.path() + QStringLiteral("/OLD.TXT");
    EXPECT_TRUE(wholefile::replace(path, "new"));
    EXPECT_EQ(dir.read(QStringLiteral("OLD.TXT")), QByteArray("new"));
    EXPECT_TRUE(wholefile::replace(dir.path() + QStringLiteral("/NEW.TXT"), "first"));
    EXPECT_EQ(dir.read(QStringLiteral("NEW.TXT")), QByteArray("first"));
    EXPECT_EQ(entries(dir.path()), (QStringList{QStringLiteral("NEW.TXT"), QStringLiteral("OLD.TXT")}));
}

}  // namespace
