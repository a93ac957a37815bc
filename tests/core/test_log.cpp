// LOG.DAT: creation, sections, the size ceiling, unreadable logs, and NextLine.
#include <QFile>
#include <gtest/gtest.h>

#include "RecordFixture.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "platform/Ansi.h"

namespace {

const QString kHeader = "Kestrow Readers - Log File\r\n\r\n";

QString section(const QString& user) { return "=====\r\nLog for " + user + "\r\n\r\n"; }

class LogFile : public coretest::ProgramFolder {
protected:
    void writeLog(const QString& text) { dir.write("LOG.DAT", testsupport::logFile(text)); }
    QString fileText() const { return testsupport::logFileText(dir.read("LOG.DAT")); }
};

TEST_F(LogFile, LoadLogStartsAMissingOrEmptyLogWithItsHeader) {
    for (bool missing : {true, false}) {
        if (missing)
            QFile::remove(dir.file("LOG.DAT"));
        else
            dir.write("LOG.DAT", {});
        LogText = "old";
        ASSERT_TRUE(LoadLog());
        EXPECT_EQ(LogText, kHeader);
        EXPECT_EQ(LogText.size(), 30);
        const QByteArray file = dir.read("LOG.DAT");
        EXPECT_EQ(file.size(), 32);
        EXPECT_EQ(file, testsupport::logFile(kHeader));
        EXPECT_EQ(mouse::pointer(), mouse::Default);
    }
}

TEST_F(LogFile, AppendNeedsAnExistingLog) {
    EXPECT_FALSE(AppendSessionToLog("entry", "Ann"));
    EXPECT_FALSE(QFile::exists(dir.file("LOG.DAT")));
    dir.write("LOG.DAT", {});
    EXPECT_FALSE(AppendSessionToLog("entry", "Ann"));
    EXPECT_EQ(dir.read("LOG.DAT"), QByteArray());
}

TEST_F(LogFile, SessionsGoToTheEndOfTheirUsersSection) {
    ASSERT_TRUE(LoadLog());
    // Entries hold "Log" and "===" of their own: only whole separator and heading lines count.
    const std::pair<const char*, const char*> appends[] = {
        {"Ann", "A1 Reading  08  Frog on a Log  3"},
        {"Bob", "B1"},
        {"Ann", "A2 === Log"},
        {"Anna", "N1"},
        {"Ann", "A3"},
        {"ann", "a1"},
        {"Logan", "L1"},
        {"Anna", "N2"},
        {"Logan", "L2"},
        {"Bob", "B2\r\nReading  3\r\n"},
    };
    for (const auto& [user, entry] : appends)
        ASSERT_TRUE(AppendSessionToLog(entry, user)) << user;
    const QString expected = kHeader + section("Ann") + "A1 Reading  08  Frog on a Log  3\r\nA2 === Log\r\nA3\r\n" +
                             section("Bob") + "B1\r\nB2\r\nReading  3\r\n\r\n" + section("Anna") + "N1\r\nN2\r\n" +
                             section("ann") + "a1\r\n" + section("Logan") + "L1\r\nL2\r\n";
    EXPECT_EQ(LogText, expected);
    EXPECT_EQ(fileText(), expected);
}

// A name that begins another user's name, written after it: its heading must not be taken for a
// part of the longer one's.
TEST_F(LogFile, AShortNameNeverLandsInTheSectionOfALongerOneBeforeIt) {
    ASSERT_TRUE(LoadLog());
    const std::pair<const char*, const char*> appends[] = {
        {"Anna", "N1"}, {"Ann", "A1"}, {"Anna", "N2"}, {"Ann", "A2"}, {"An", "X1"},
    };
    for (const auto& [user, entry] : appends)
        ASSERT_TRUE(AppendSessionToLog(entry, user)) << user;
    EXPECT_EQ(fileText(), kHeader + section("Anna") + "N1\r\nN2\r\n" + section("Ann") + "A1\r\nA2\r\n" +
                              section("An") + "X1\r\n");
}

TEST_F(LogFile, ASectionWithoutItsSeparatorEndsAtTheNextHeading) {
    // Edited by the teacher: no separator before Bob, no line end at the very end.
    writeLog(kHeader + section("Ann") + "A1\r\nLog for Bob\r\n\r\nB1");
    ASSERT_TRUE(AppendSessionToLog("A2", "Ann"));
    ASSERT_TRUE(AppendSessionToLog("B2", "Bob"));
    ASSERT_TRUE(AppendSessionToLog("C1", "Cy"));
    EXPECT_EQ(fileText(), kHeader + section("Ann") + "A1\r\nA2\r\nLog for Bob\r\n\r\nB1\r\nB2\r\n" + section("Cy") +
                              "C1\r\n");
}

TEST_F(LogFile, AHeadingInsideALineIsNoSection) {
    writeLog(kHeader + "note: Log for Ann\r\n");
    ASSERT_TRUE(AppendSessionToLog("A1", "Ann"));
    EXPECT_EQ(fileText(), kHeader + "note: Log for Ann\r\n" + section("Ann") + "A1\r\n");
}

// A teacher who clears the log does so for privacy: nothing of the old sessions may stay in the
// file behind the new text, whichever way the log was written.
TEST_F(LogFile, AShorterTextIsWrittenAtItsNewLength) {
    writeLog(kHeader + section("Ann") + "A long first entry\r\n");
    LogText = kHeader;
    ASSERT_TRUE(SaveLog());
    EXPECT_EQ(dir.read("LOG.DAT"), testsupport::logFile(kHeader));
    LogText.clear();
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(LogText, kHeader);

    // A file that already held a stale tail loses it with the next session too.
    dir.write("LOG.DAT", testsupport::logFile(kHeader) + QByteArray("Old private session\r\n"));
    ASSERT_TRUE(AppendSessionToLog("A1", "Ann"));
    EXPECT_EQ(dir.read("LOG.DAT"), testsupport::logFile(kHeader + section("Ann") + "A1\r\n"));
}

TEST_F(LogFile, TheRecordCeiling) {
    const QString entry = "E";
    // The new text is the old one, the user's section and "E" CR LF.
    const int added = section("Ann").size() + 3;
    for (int total : {32766, 32767, 32768}) {
        const QString text = kHeader + QString(total - 2 - added - kHeader.size() - 2, u'x') + "\r\n";
        writeLog(text);
        const QByteArray before = dir.read("LOG.DAT");
        testsupport::ScopedDialogs dialogs;
        dialogs.answer(mb::OK);
        dialogs.allowUnused();  // the nearly-full note when it is written
        const bool ok = AppendSessionToLog(entry, "Ann");
        EXPECT_EQ(ok, total <= 32767) << total;
        if (ok) {
            EXPECT_EQ(fileText(), text + section("Ann") + "E\r\n");
            EXPECT_EQ(dialogs.msgBoxes().size(), 1u);
        } else {
            EXPECT_EQ(dir.read("LOG.DAT"), before) << total;
            EXPECT_TRUE(dialogs.msgBoxes().empty());
        }
    }
}

TEST_F(LogFile, SaveLogOverTheCeilingSaysItCannotWrite) {
    ASSERT_TRUE(LoadLog());
    LogText = QString(32766, u'x');
    testsupport::ScopedDialogs dialogs;
    dialogs.answer(mb::OK);
    dialogs.setOnBox([](const auto&) { EXPECT_EQ(mouse::pointer(), mouse::Default); });
    EXPECT_FALSE(SaveLog());
    coretest::expectCantWrite(dialogs, "It was not possible to save the log file\r\n" + dir.path() +
                                           "/LOG.DAT\r\n\r\nAny changes you have made have not been saved.");
    EXPECT_EQ(LogText.size(), 32766);  // kept for the viewer
    EXPECT_EQ(dir.read("LOG.DAT"), testsupport::logFile(kHeader));
    EXPECT_EQ(mouse::pointer(), mouse::Default);
}

TEST_F(LogFile, ANearlyFullLogAsksTheTeacherToDeleteSome) {
    for (int size : {26000, 26001}) {
        writeLog(kHeader + QString(size - kHeader.size(), u'x'));
        testsupport::ScopedDialogs dialogs;
        if (size > 26000)
            dialogs.answer(mb::OK);
        ASSERT_TRUE(AppendSessionToLog("E", "Ann"));
        if (size <= 26000) {
            EXPECT_TRUE(dialogs.calls().empty());
            continue;
        }
        ASSERT_EQ(dialogs.msgBoxes().size(), 1u);
        const auto box = dialogs.msgBoxes()[0];
        EXPECT_EQ(box.title, "Log too long");
        EXPECT_EQ(box.text, "Message for teacher.\r\n\r\nThe tracking log file is nearly full.\r\n\r\n"
                            "Please delete some of it.");
        EXPECT_EQ(box.icon(), mb::Information);
        EXPECT_TRUE(fileText().endsWith(section("Ann") + "E\r\n"));
    }
}

TEST_F(LogFile, AnUnreadableLogIsNeverWrittenOver) {
    const QByteArray cases[] = {
        QByteArray("\x05"),                          // no whole length
        testsupport::logFile("abc").left(4),         // the length promises more
        testsupport::logFile(QString(32766, u'x')),  // 32768 bytes: beyond one record
        QByteArray("\xFF\xFF") + QByteArray(100, 'y'),
    };
    for (const QByteArray& bytes : cases) {
        dir.write("LOG.DAT", bytes);
        LogText = "kept";
        EXPECT_FALSE(AppendSessionToLog("E", "Ann"));
        EXPECT_FALSE(LoadLog());
        EXPECT_EQ(LogText, "kept");
        EXPECT_EQ(dir.read("LOG.DAT"), bytes);
    }
    QFile::remove(dir.file("LOG.DAT"));
    dir.file("LOG.DAT/inside");  // a folder where the file should be
    EXPECT_FALSE(AppendSessionToLog("E", "Ann"));
    EXPECT_FALSE(LoadLog());
}

// A disk that cannot take a longer file must not leave a length prefix promising text that never
// reached it: the log stays readable as it was.
TEST_F(LogFile, ALogThatCannotGrowKeepsItsOldText) {
    const QString before = kHeader + section("Ann") + "A1\r\n";
    writeLog(before);
    const QByteArray bytes = dir.read("LOG.DAT");
    {
        coretest::NoWrites full(static_cast<rlim_t>(bytes.size()));
        EXPECT_FALSE(AppendSessionToLog("A2", "Ann"));
        LogText = before + "edited in the viewer\r\n";
        testsupport::ScopedDialogs dialogs;
        dialogs.answer(mb::OK);
        EXPECT_FALSE(SaveLog());
    }
    EXPECT_EQ(dir.read("LOG.DAT").left(bytes.size()), bytes);
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(LogText, before);
}

TEST_F(LogFile, RandomFilesNeverBreakTheLog) {
    std::mt19937 rng(7);
    for (int round = 0; round < 60; ++round) {
        const int length = std::uniform_int_distribution<int>(0, 400)(rng);
        QByteArray bytes = coretest::randomBytes(rng, length);
        if (round % 2 && length >= 2) {  // a prefix that fits half the time
            const int n = std::uniform_int_distribution<int>(0, length - 2)(rng);
            bytes[0] = static_cast<char>(n & 0xFF);
            bytes[1] = static_cast<char>(n >> 8);
        }
        dir.write("LOG.DAT", bytes);
        testsupport::ScopedDialogs dialogs;
        const bool ok = AppendSessionToLog("E", "Ann");
        const QByteArray after = dir.read("LOG.DAT");
        if (!ok) {
            EXPECT_EQ(after, bytes);
            continue;
        }
        const int n = static_cast<uint8_t>(after[0]) | (static_cast<uint8_t>(after[1]) << 8);
        EXPECT_EQ(ansi::decode(after.mid(2, n)), LogText);
        EXPECT_TRUE(LogText.endsWith("E\r\n"));
    }
}

TEST(LogFileImage, IsTheLengthLowByteFirstThenTheText) {
    // What a new installation's LOG.DAT holds, and a text in Windows-1252.
    EXPECT_EQ(LogFileImage(LogHeader()), QByteArray("\x1e\x00", 2) + kHeader.toLatin1());
    EXPECT_EQ(LogFileImage(QString(300, u'\u00e9')), QByteArray("\x2c\x01", 2) + QByteArray(300, '\xe9'));
    EXPECT_EQ(LogFileImage(QString()), QByteArray(2, '\0'));
    // The length and the text together fill one record of at most 32767 bytes.
    const std::optional<QByteArray> full = LogFileImage(QString(32765, u'x'));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->left(2), QByteArray("\xfd\x7f", 2));
    EXPECT_FALSE(LogFileImage(QString(32766, u'x')));
}

TEST(NextLine, SplitsTheRecordBufferAtCrLf) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"abc", "abc", ""},
        {"\r\nabc", "", "abc"},
        {"a\r\n\r\nb", "a", "\r\nb"},
        {"", "", ""},
        {"a\nb\r\nc", "a\nb", "c"},
        {"a\r\n", "a", ""},
    };
    for (const auto& [buffer, line, rest] : cases) {
        gRecordBuffer = buffer;
        EXPECT_EQ(NextLine(), line) << buffer;
        EXPECT_EQ(gRecordBuffer, rest) << buffer;
    }
}

}  // namespace
