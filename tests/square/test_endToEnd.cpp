// The real kestsqrt and KESTSQR in a fixture folder: each starts to its word-square window and
// on SIGTERM closes as its close box would; only the pupil edition writes its session.
#include <QFile>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>

#include "core/Settings.h"
#include "support/JournalFile.h"
#include "support/SoundFiles.h"
#include "support/TestEnv.h"

namespace {

class RealSquareProgram : public ::testing::TestWithParam<const char*>, protected testsupport::RealProgram {
protected:
    QString programName() const { return QString::fromLatin1(GetParam()); }

    void SetUp() override {
        placeProgram(programName(), dir.path());
        if (HasFatalFailure())
            return;
        GlobalSettingsRecord global;
        global.TrackingOn = 1;
        dir.write(QStringLiteral("GLOBSET.DAT"), global.encode());
        ActivitySettingsRecord teacher;
        teacher.SquareFlags = 6;
        dir.write(QStringLiteral("TEACHER.DAT"), teacher.encode());
        dir.write(QStringLiteral("USERS.DAT"), testsupport::usersFile({QStringLiteral("Ann")}));
        dir.write(QStringLiteral("LOG.DAT"), QByteArray(2, 0));
        dir.write(QStringLiteral("WORDLIST/_001_030.TXT"),
                  "*WORDLIST*\ncat,dog,hen,pig,sun,run,fish,ball,tree,home,stars,happy,night\n*END*\n");
        for (const char* wav : {"YES", "NO", "CHEER", "CLICK"})
            dir.write(QStringLiteral("WAVS/%1.WAV").arg(QLatin1String(wav)), testsupport::silentWav());
        // The teacher notice is the one box on the way.
        dir.write(QStringLiteral("answers.txt"), "OK\n");
        QProcessEnvironment env = program.processEnvironment();
        env.insert(QStringLiteral("KESTROW_ANSWERS"), dir.file(QStringLiteral("answers.txt")));
        program.setProcessEnvironment(env);
    }
    void TearDown() override { endProgram(); }
    bool teacherEdition() const { return programName() == u"kestsqrt"; }

    testsupport::TempDir dir;
};

}  // namespace

TEST_P(RealSquareProgram, StartsToTheSquareAndEndsOnSigterm) {
    program.start();
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(waitForLine(QStringLiteral("show\tfrmSquare"), 30000)) << journalLines().join(u'\n').toStdString();
    if (teacherEdition()) {
        ASSERT_TRUE(waitForLine(QStringLiteral("msgbox\tTavlorin generator\tPlease note"), 10000))
            << journalLines().join(u'\n').toStdString();
    }
    ASSERT_EQ(::kill(pid_t(program.processId()), SIGTERM), 0);
    ASSERT_TRUE(program.waitForFinished(15000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    const QStringList lines = journalLines();
    const auto at = [&lines](const QString& l) { return lines.indexOf(l); };
    EXPECT_GE(at(QStringLiteral("unload\tfrmSplash")), 0);
    EXPECT_GE(at(QStringLiteral("unload\tfrmSquare")), 0);
    EXPECT_LT(at(QStringLiteral("unload\tfrmSquare")), at(QStringLiteral("unload\tfrmSqbig")));
    EXPECT_EQ(lines.last(), QStringLiteral("exit\t0"));

    const QString log = QString::fromLatin1(dir.read(QStringLiteral("LOG.DAT")).mid(2));
    if (teacherEdition()) {
        EXPECT_TRUE(log.isEmpty()) << log.toStdString();
    } else {
        const QRegularExpression expected(QStringLiteral(
            "Log for Unknown\\r\\n\\r\\n.*\\.  Session time: [0-9]+ minutes?\\.\\r\\n   Word squares {31} {1,2}[0-9]+ mins?\\r\\n"));
        EXPECT_TRUE(expected.match(log).hasMatch()) << log.toStdString();
    }
}

TEST_P(RealSquareProgram, AMissingTeachersRecordIsFatal) {
    QFile::remove(dir.file(QStringLiteral("TEACHER.DAT")));
    program.start();
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 1);
    const QStringList lines = journalLines();
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^fatal\tsettingload\t.*TEACHER.DAT$"))).size(), 1)
        << lines.join(u'\n').toStdString();
    EXPECT_FALSE(lines.filter(QRegularExpression(QStringLiteral("^msgbox\tTavlorin\tFatal error\\.\\\\r\\\\n.*\tcritical\t"))).isEmpty())
        << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("exit\t1"));
}

INSTANTIATE_TEST_SUITE_P(BothEditions, RealSquareProgram, ::testing::Values("kestsqrt", "KESTSQR"));
