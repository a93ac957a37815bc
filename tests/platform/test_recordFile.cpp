#include <gtest/gtest.h>

#include <QFile>

#include "platform/RecordFile.h"
#include "support/TestEnv.h"

using testsupport::TempDir;

namespace {

TEST(RecordFile, ReadsAtAnOffsetAndShortFilesGiveWhatIsThere) {
    TempDir tmp;
    tmp.write("r.dat", "0123456789");
    const QString p = tmp.path() + "/r.dat";
    EXPECT_EQ(recordfile::read(p, 0, 4, false), std::optional<QByteArray>("0123"));
    EXPECT_EQ(recordfile::read(p, 6, 4, false), std::optional<QByteArray>("6789"));
    EXPECT_EQ(recordfile::read(p, 8, 4, false), std::optional<QByteArray>("89"));
    EXPECT_EQ(recordfile::read(p, 10, 4, false), std::optional<QByteArray>(""));
    EXPECT_EQ(recordfile::read(p, 50, 4, false), std::optional<QByteArray>(""));
    EXPECT_EQ(tmp.read("r.dat"), QByteArray("0123456789"));  // reading changes nothing
}

TEST(RecordFile, MissingFileIsCreatedOnlyWhenAsked) {
    TempDir tmp;
    const QString p = tmp.path() + "/new.dat";
    EXPECT_EQ(recordfile::read(p, 0, 8, false), std::nullopt);
    EXPECT_FALSE(QFile::exists(p));
    EXPECT_EQ(recordfile::read(p, 0, 8, true), std::optional<QByteArray>(""));
    EXPECT_TRUE(QFile::exists(p));
    EXPECT_EQ(QFile(p).size(), 0);
    // A missing folder cannot be created into.
    EXPECT_EQ(recordfile::read(tmp.path() + "/no/such.dat", 0, 8, true), std::nullopt);
}

TEST(RecordFile, WriteNeverTruncatesAndFillsGapsWithZeros) {
    TempDir tmp;
    tmp.write("r.dat", "AAAAAAAAAA");
    const QString p = tmp.path() + "/r.dat";
    ASSERT_TRUE(recordfile::write(p, 2, "bb"));
    EXPECT_EQ(tmp.read("r.dat"), QByteArray("AAbbAAAAAA"));
    ASSERT_TRUE(recordfile::write(p, 8, "cccc"));
    EXPECT_EQ(tmp.read("r.dat"), QByteArray("AAbbAAAAcccc"));
    ASSERT_TRUE(recordfile::write(p, 14, "d"));
    EXPECT_EQ(tmp.read("r.dat"), QByteArray("AAbbAAAAcccc\0\0d", 15));
    EXPECT_EQ(recordfile::read(p, 2, 2, false), std::optional<QByteArray>("bb"));
}

TEST(RecordFile, WriteCreatesAMissingFileButNotItsFolder) {
    TempDir tmp;
    const QString p = tmp.path() + "/w.dat";
    ASSERT_TRUE(recordfile::write(p, 3, "xy"));
    EXPECT_EQ(tmp.read("w.dat"), QByteArray("\0\0\0xy", 5));
    EXPECT_FALSE(recordfile::write(tmp.path() + "/missing/w.dat", 0, "xy"));
    EXPECT_FALSE(recordfile::write(tmp.path(), 0, "xy"));  // a folder is no record file
    EXPECT_EQ(recordfile::read(tmp.path(), 0, 2, false), std::nullopt);
}

TEST(RecordFile, ReadOnlyFileCanStillBeRead) {
    TempDir tmp;
    tmp.write("ro.dat", "locked");
    const QString p = tmp.path() + "/ro.dat";
    QFile::setPermissions(p, QFileDevice::ReadOwner);
    EXPECT_EQ(recordfile::read(p, 0, 6, false), std::optional<QByteArray>("locked"));
    if (!QFile(p).open(QIODevice::ReadWrite)) {  // root may write anyway
        EXPECT_FALSE(recordfile::write(p, 0, "x"));
    }
    QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace
