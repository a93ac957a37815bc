#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/Paths.h"
#include "support/TestEnv.h"

using testsupport::TempDir;

namespace {

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        tmp.write("Data/Books/Book01.DAT", "book");
        tmp.write("WORDLIST/_001_030.TXT", "list");
        QDir().mkpath(tmp.path() + "/Text");
    }
    QString root() const { return tmp.path(); }
    TempDir tmp;
};

TEST_F(PathsTest, MatchesEveryComponentIgnoringCase) {
    const QString want = root() + "/Data/Books/Book01.DAT";
    for (const char* spelled : {"DATA/BOOKS/BOOK01.DAT", "data/books/book01.dat", "Data/Books/Book01.DAT",
                                "dAtA/bOoKs/BoOk01.dAt"}) {
        EXPECT_EQ(resolvePath(root(), spelled), want) << spelled;
    }
    EXPECT_EQ(resolvePath(root(), "wordlist/_001_030.txt"), root() + "/WORDLIST/_001_030.TXT");
}

TEST_F(PathsTest, AcceptsBackslashesAndIgnoresLeadingOrDoubledSeparators) {
    const QString want = root() + "/Data/Books/Book01.DAT";
    for (const char* spelled : {"DATA\\BOOKS\\BOOK01.DAT", "\\DATA\\BOOKS\\BOOK01.DAT", "/data/books/book01.dat",
                                "DATA\\\\Books//book01.dat", "data/books\\BOOK01.DAT"}) {
        EXPECT_EQ(resolvePath(root(), spelled), want) << spelled;
    }
    EXPECT_EQ(resolvePath(root() + "/", "DATA\\BOOKS\\BOOK01.DAT"), want);
}

TEST_F(PathsTest, ExactSpellingWinsOverAnotherCase) {
    tmp.write("Data/a.dat", "lower");
    tmp.write("Data/A.DAT", "upper");
    EXPECT_EQ(resolvePath(root(), "DATA/a.dat"), root() + "/Data/a.dat");
    EXPECT_EQ(resolvePath(root(), "DATA/A.DAT"), root() + "/Data/A.DAT");
    // Neither spelling: one of the two, the same every time.
    const QString other = resolvePath(root(), "data/a.Dat");
    EXPECT_TRUE(other == root() + "/Data/a.dat" || other == root() + "/Data/A.DAT") << other.toStdString();
    EXPECT_EQ(resolvePath(root(), "data/a.Dat"), other);
}

TEST_F(PathsTest, MissingComponentsKeepTheirSpelling) {
    // An existing folder found by case, a new file under the spelled name.
    EXPECT_EQ(resolvePath(root(), "TEXT\\MyStory.TXT"), root() + "/Text/MyStory.TXT");
    // Below a missing folder nothing is looked up.
    EXPECT_EQ(resolvePath(root(), "data/NEW/Book01.DAT"), root() + "/Data/NEW/Book01.DAT");
    // The spelled name is what a writer then creates, and the next lookup finds it.
    const QString created = resolvePath(root(), "text/New.txt");
    QFile f(created);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(resolvePath(root(), "TEXT/NEW.TXT"), root() + "/Text/New.txt");
}

TEST_F(PathsTest, EmptyRelativeNameIsTheRoot) {
    EXPECT_EQ(resolvePath(root(), ""), root());
    EXPECT_EQ(resolvePath(root(), "\\"), root());
}

TEST_F(PathsTest, FileExistsAndLengthAreForRegularFilesOnly) {
    const QString book = root() + "/Data/Books/Book01.DAT";
    EXPECT_TRUE(fileExists(book));
    EXPECT_EQ(fileLength(book), 4);
    tmp.write("empty.dat", "");
    EXPECT_TRUE(fileExists(root() + "/empty.dat"));
    EXPECT_EQ(fileLength(root() + "/empty.dat"), 0);
    EXPECT_FALSE(fileExists(root() + "/Data"));
    EXPECT_EQ(fileLength(root() + "/Data"), -1);
    EXPECT_FALSE(fileExists(root() + "/nothing.dat"));
    EXPECT_EQ(fileLength(root() + "/nothing.dat"), -1);
    EXPECT_FALSE(fileExists(QString()));
}

}  // namespace
