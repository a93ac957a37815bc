// Saves that cannot complete, made to fail for real by a file size limit: settings, users and
// log keep their old bytes, say so where they say anything, and read back as they were. A disk
// may take nothing or part of a longer file before it is full; both are tried.
#include <gtest/gtest.h>

#include "RecordFixture.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/Users.h"

namespace {

class FailedWrite : public coretest::ProgramFolder {
protected:
    // Runs save with the file unable to grow (or to grow by only a few bytes) and checks that it
    // is left as it was; the boxes shown meanwhile are returned.
    std::vector<testsupport::ScriptedDialogs::Call> failing(const QString& file, int boxes,
                                                            const std::function<void()>& save) {
        const QByteArray before = dir.read(file);
        std::vector<testsupport::ScriptedDialogs::Call> shown;
        for (const rlim_t room : {rlim_t(0), rlim_t(5)}) {
            SCOPED_TRACE("room to grow " + std::to_string(room));
            {
                coretest::NoWrites full(rlim_t(before.size()) + room);
                testsupport::ScopedDialogs dialogs;
                for (int i = 0; i < boxes; ++i)
                    dialogs.answer(mb::OK);
                save();
                shown = dialogs.msgBoxes();
            }
            EXPECT_EQ(dir.read(file), before);
        }
        return shown;
    }
};

TEST_F(FailedWrite, GlobalSettingsKeepTheOldRecord) {
    const QByteArray shortRecord = coretest::patterned(100);  // an older, shorter record
    dir.write("GLOBSET.DAT", shortRecord);
    LoadGlobalSettings();
    const auto boxes = failing("GLOBSET.DAT", 1, [] {
        GlobalSettings.TrackingOn = 1;
        GlobalSettings.DataFolder.setText("/media/books");
        SaveGlobalSettings(1);
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Can't write");
    EXPECT_EQ(GlobalSettings, GlobalSettingsRecord::decode(shortRecord));  // read back from disk
}

TEST_F(FailedWrite, ActivitySettingsKeepTheOldRecord) {
    const QByteArray shortRecord = coretest::patterned(150, 3);
    dir.write("ANN.DAT", shortRecord);
    LoadSettingsFile("ANN.DAT");
    bool written = true;
    const auto boxes = failing("ANN.DAT", 1, [&] {
        SavedSettings.ReadOn = -1;
        SavedSettings.ReservedNumber8 = 77;
        written = SaveSettingsFile("ANN.DAT", 1);
    });
    EXPECT_FALSE(written);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Can't write");
    LoadSettingsFile("ANN.DAT");
    EXPECT_EQ(SavedSettings, ActivitySettingsRecord::decode(shortRecord));
}

TEST_F(FailedWrite, TheUserListKeepsItsOldNames) {
    dir.write("USERS.DAT", testsupport::usersFile({"Ann", "Ben"}));
    LoadUsers();
    bool written = true;
    const auto boxes = failing("USERS.DAT", 1, [&] {
        UserNames = QStringList{" 3", "Ann", "Ben", "Cy"};
        written = SaveUsers();
    });
    EXPECT_FALSE(written);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Can't write");
    LoadUsers();
    EXPECT_EQ(UserNames, (QStringList{"2", "Ann", "Ben"}));
}

TEST_F(FailedWrite, TheLogKeepsItsOldText) {
    const QString before = LogHeader() + "=====\r\nLog for Ann\r\n\r\nA1\r\n";
    dir.write("LOG.DAT", testsupport::logFile(before));
    bool appended = true;
    failing("LOG.DAT", 0, [&] { appended = AppendSessionToLog("A2 and a longer entry", "Ann"); });
    EXPECT_FALSE(appended);
    bool saved = true;
    const auto boxes = failing("LOG.DAT", 1, [&] {
        LogText = before + "edited in the viewer\r\n";
        saved = SaveLog();
    });
    EXPECT_FALSE(saved);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Can't write");
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(LogText, before);
}

}  // namespace
