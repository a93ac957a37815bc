// USERS.DAT: loading what is there, saving what the count says, and the fatal path.
#include <QFile>
#include <gtest/gtest.h>

#include "RecordFixture.h"
#include "core/Globals.h"
#include "core/Users.h"

namespace {

QByteArray records(const QStringList& texts) {
    QByteArray b;
    for (const QString& t : texts)
        b += t.toLatin1().left(16).leftJustified(16, ' ');
    return b;
}

class UsersFile : public coretest::ProgramFolder {};

TEST_F(UsersFile, LoadTakesTheNamesTheCountPromises) {
    struct Case {
        QByteArray file;
        QStringList names;
    };
    const Case cases[] = {
        {records({" 0"}), {"0"}},
        {records({" 0", "Stale"}), {"0"}},
        {records({" 2", "Ann", "Bob", "Cy"}), {"2", "Ann", "Bob"}},  // the third record is left over
        {records({"", "Ann"}), {""}},                                // no number: no names
        {records({"x3", "Ann"}), {"x3"}},
        {records({"-2", "Ann"}), {"-2"}},
        {records({" 3", "  Ann  "}) + "Bob", {" 2", "Ann", "Bob"}},  // promised but missing: what is there
        {records({" 1"}) + "Christopher Robin", {"1", "Christopher Robi"}},
        {records({" 2"}) + "\xE9mile", {" 1", QString::fromUtf8("émile")}},
    };
    for (const Case& c : cases) {
        dir.write("USERS.DAT", c.file);
        LoadUsers();
        EXPECT_EQ(UserNames, c.names) << c.file.toStdString();
        EXPECT_EQ(mouse::pointer(), mouse::Default);
    }
}

TEST_F(UsersFile, AMissingOrEmptyFileIsFatalAndLeftBehindEmpty) {
    for (bool missing : {true, false}) {
        if (missing)
            QFile::remove(dir.file("USERS.DAT"));
        else
            dir.write("USERS.DAT", {});
        coretest::expectFatal([] { LoadUsers(); }, "This file is missing or unavailable:", dir.path() + "/USERS.DAT");
        EXPECT_TRUE(QFile::exists(dir.file("USERS.DAT")));
        EXPECT_EQ(dir.read("USERS.DAT"), QByteArray());
    }
}

TEST_F(UsersFile, ACountBeyondAnIntegerIsFatal) {
    dir.write("USERS.DAT", records({"99999", "Ann"}));
    coretest::expectFatal([] { LoadUsers(); }, "This file is missing or unavailable:", dir.path() + "/USERS.DAT");
}

// A deleted name leaves nothing of itself in the file, not even behind the last name.
TEST_F(UsersFile, SaveWritesTheCountedNamesAndNothingBehindThem) {
    dir.write("users.dat", records({" 3", "Ann", "Bob", "Cy"}));
    LoadUsers();
    UserNames = QStringList{" 2", "Ann", "Cy"};
    ASSERT_TRUE(SaveUsers());
    EXPECT_EQ(dir.read("users.dat"), records({" 2", "Ann", "Cy"}));
    LoadUsers();
    EXPECT_EQ(UserNames, (QStringList{"2", "Ann", "Cy"}));

    UserNames = QStringList{" 1", "Christopher Robin Milne", "ignored"};
    ASSERT_TRUE(SaveUsers());
    EXPECT_EQ(dir.read("users.dat"), records({" 1", "Christopher Robi"}));
    EXPECT_EQ(mouse::pointer(), mouse::Default);
}

TEST_F(UsersFile, ACountThatDoesNotMatchTheListIsNotWritten) {
    dir.write("USERS.DAT", records({" 1", "Ann"}));
    const QStringList bad[] = {{" 3", "Ann"}, {"-1", "Ann"}, {"99999", "Ann"}, {}};
    for (const QStringList& list : bad) {
        UserNames = list;
        testsupport::ScopedDialogs dialogs;
        dialogs.answer(mb::OK);
        EXPECT_FALSE(SaveUsers());
        EXPECT_EQ(dialogs.msgBoxes().size(), 1u);
        EXPECT_EQ(dir.read("USERS.DAT"), records({" 1", "Ann"}));
    }
}

// A count below zero loads as no names; the list as loaded is saved as it was, not refused as
// a write that failed.
TEST_F(UsersFile, AListLoadedWithANegativeCountSavesAsItWas) {
    dir.write("USERS.DAT", records({"-3", "Stale"}));
    LoadUsers();
    ASSERT_EQ(UserNames, QStringList{"-3"});
    testsupport::ScopedDialogs dialogs;
    EXPECT_TRUE(SaveUsers());
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_EQ(dir.read("USERS.DAT"), records({"-3"}));
}

TEST_F(UsersFile, AFailedSaveSaysSo) {
    dir.file("USERS.DAT/inside");
    UserNames = QStringList{" 1", "Ann"};
    testsupport::ScopedDialogs dialogs;
    dialogs.answer(mb::OK);
    dialogs.setOnBox([](const auto&) { EXPECT_EQ(mouse::pointer(), mouse::Default); });
    EXPECT_FALSE(SaveUsers());
    coretest::expectCantWrite(dialogs, "It was not possible to save the alterations about user names to the file\r\n" +
                                           dir.path() +
                                           "/USERS.DAT\r\n\r\nAny changes you have made will be cancelled.");
    EXPECT_EQ(UserNames, (QStringList{" 1", "Ann"}));
}

TEST_F(UsersFile, RandomFilesLoadOrEndCleanly) {
    std::mt19937 rng(11);
    for (int round = 0; round < 60; ++round) {
        const int length = std::uniform_int_distribution<int>(1, 200)(rng);
        QByteArray bytes = coretest::randomBytes(rng, length);
        if (round % 2)  // a plausible count half the time
            bytes.replace(0, std::min(length, 3), QByteArray::number(round % 20).leftJustified(3, ' ').left(length));
        dir.write("USERS.DAT", bytes);
        testsupport::ScopedDialogs dialogs;
        dialogs.answer(mb::OK);
        dialogs.allowUnused();
        try {
            LoadUsers();
        } catch (const ProgramEnded& e) {
            EXPECT_EQ(e.status, 1);
            EXPECT_EQ(dialogs.msgBoxes().size(), 1u);
            continue;
        }
        EXPECT_TRUE(dialogs.calls().empty());
        ASSERT_GE(UserNames.size(), 1);
        EXPECT_LE((UserNames.size() - 1) * 16, std::max(0, length - 16) + 15);
        EXPECT_EQ(dir.read("USERS.DAT"), bytes);
    }
}

}  // namespace
