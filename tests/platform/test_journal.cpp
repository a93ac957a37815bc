#include <QFile>
#include <gtest/gtest.h>

#include "platform/Journal.h"
#include "support/TestEnv.h"

namespace {

// Points the journal at a fresh file for one test and switches it off afterwards.
class JournalTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("KESTROW_JOURNAL", path().toLocal8Bit());
        journal::reset();
    }
    void TearDown() override {
        qunsetenv("KESTROW_JOURNAL");
        journal::reset();
    }
    QString path() const { return dir_.path() + "/journal.txt"; }
    QList<QByteArray> lines() const {
        QList<QByteArray> l = dir_.read("journal.txt").split('\n');
        EXPECT_TRUE(l.last().isEmpty()) << "the last line must be complete";
        l.removeLast();
        return l;
    }

    testsupport::TempDir dir_;
};

TEST(JournalEscape, EscapesBackslashAndLineBreaksAndTabs) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"plain", "plain"},
        {"a\\b", "a\\\\b"},
        {"line1\r\nline2", "line1\\r\\nline2"},
        {"lone\rcr", "lone\\rcr"},
        {"tab\there", "tab\\there"},
        {"\\n is not a break", "\\\\n is not a break"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(journal::escape(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST_F(JournalTest, WritesTabSeparatedLinesWithTimeKindAndEscapedFields) {
    ASSERT_TRUE(journal::enabled());
    journal::write("msgbox", {"Kestrow", "Can't write\r\nthe log", "RetryCancel", "exclamation", "Retry"});
    journal::write("speak", {QString::fromUtf8("caf\u00e9 \u00df\tend")});
    journal::write("beep");

    const QList<QByteArray> l = lines();
    ASSERT_EQ(l.size(), 3);
    QList<QByteArray> f = l[0].split('\t');
    ASSERT_EQ(f.size(), 7);
    bool ok = false;
    const qlonglong ms = f[0].toLongLong(&ok);
    EXPECT_TRUE(ok) << f[0].toStdString();
    EXPECT_GE(ms, 0);
    EXPECT_EQ(f.mid(1), QList<QByteArray>({"msgbox", "Kestrow", "Can't write\\r\\nthe log", "RetryCancel",
                                           "exclamation", "Retry"}));
    f = l[1].split('\t');
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(f[2], QByteArray("caf\xc3\xa9 \xc3\x9f\\tend"));  // UTF-8
    EXPECT_EQ(l[2].split('\t').mid(1), QList<QByteArray>({"beep"}));
    // Times never go back.
    EXPECT_LE(l[0].split('\t')[0].toLongLong(), l[2].split('\t')[0].toLongLong());
}

TEST_F(JournalTest, EachLineIsInTheFileAsSoonAsItIsWritten) {
    journal::write("show", {"frmMenu", "Main menu"});
    // Read while the journal is still open: nothing may wait in a buffer.
    ASSERT_EQ(lines().size(), 1);
    journal::write("unload", {"frmMenu"});
    ASSERT_EQ(lines().size(), 2);
}

TEST_F(JournalTest, AppendsToAnExistingJournal) {
    dir_.write("journal.txt", "12\texit\t0\n");
    journal::reset();
    journal::write("exit", {"1"});
    const QList<QByteArray> l = lines();
    ASSERT_EQ(l.size(), 2);
    EXPECT_EQ(l[0], "12\texit\t0");
    EXPECT_TRUE(l[1].endsWith("\texit\t1"));
}

TEST_F(JournalTest, WithoutTheVariableNothingIsWritten) {
    qunsetenv("KESTROW_JOURNAL");
    journal::reset();
    EXPECT_FALSE(journal::enabled());
    journal::write("beep");
    EXPECT_FALSE(QFile::exists(path()));
}

}  // namespace
