#include <gtest/gtest.h>

#include <QFile>

#include "platform/RecordFile.h"
#include "support/FileSizeLimit.h"
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

// A write that cannot complete leaves the file as it was: no old byte half replaced, and no
// part of a longer record behind the old bytes, which a reader of the whole record would take
// for the new one. Whether the disk takes nothing or part of the growth, false says so.
TEST(RecordFile, AWriteThatCannotCompleteLeavesTheFileAsItWas) {
    const QByteArray old("0123456789");
    struct Write {
        qint64 offset;
        QByteArray bytes;
    };
    const Write writes[] = {{0, "ABCDEFGHIJKLMNOP"}, {6, "ABCDEFGH"}, {14, "ABCDEF"}, {10, "AB"}, {2, "AB"}};
    for (const Write& w : writes) {
        for (rlim_t limit : {rlim_t(0), rlim_t(old.size()), rlim_t(old.size() + 3)}) {
            if (w.offset + w.bytes.size() <= qint64(limit))
                continue;  // there is room for it
            SCOPED_TRACE(std::to_string(w.offset) + " " + w.bytes.toStdString() + " limit " + std::to_string(limit));
            TempDir tmp;
            tmp.write("r.dat", old);
            {
                testsupport::NoWrites full(limit);
                EXPECT_FALSE(recordfile::write(tmp.path() + "/r.dat", w.offset, w.bytes));
            }
            EXPECT_EQ(tmp.read("r.dat"), old);
        }
    }
    // A write inside the file needs no room: a full disk takes it, and one that grows the file by
    // no more than the room there is.
    TempDir tmp;
    tmp.write("r.dat", old);
    {
        testsupport::NoWrites full(rlim_t(old.size() + 3));
        EXPECT_TRUE(recordfile::write(tmp.path() + "/r.dat", 2, "AB"));
        EXPECT_TRUE(recordfile::write(tmp.path() + "/r.dat", 9, "XYZ"));
    }
    EXPECT_EQ(tmp.read("r.dat"), QByteArray("01AB45678XYZ"));
}

}  // namespace
