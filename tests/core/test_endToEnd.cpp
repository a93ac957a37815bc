// The real Kestrow in a fixture folder: it starts, reaches the main menu, and on SIGTERM or SIGHUP closes
// as its close box would, writing the session into LOG.DAT.
#include <QRegularExpression>
#include <csignal>

#include "StartupFixture.h"
#include "support/JournalFile.h"

using namespace startuptest;

namespace {

class RealProgram : public ::testing::Test, protected testsupport::RealProgram {
protected:
    void SetUp() override { placeProgram(QStringLiteral("Kestrow"), inst.path()); }
    void TearDown() override { endProgram(); }

    Installation inst;
};

// The signals that end a session from outside: a logout or kill (SIGTERM), a terminal or desktop
// session going away (SIGHUP).
class RealProgramEnded : public RealProgram, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        RealProgram::SetUp();
        // Whatever the test runner ignores, the program starts with the signals at their defaults.
        program.setChildProcessModifier([] { ::signal(SIGHUP, SIG_DFL); });
    }
};

}  // namespace

TEST_P(RealProgramEnded, StartsToTheMenuAndLogsTheSession) {
    program.start();
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(waitForLine(QStringLiteral("show\tfrmMenu"), 30000)) << journalLines().join(u'\n').toStdString();
    ASSERT_EQ(::kill(pid_t(program.processId()), GetParam()), 0);
    ASSERT_TRUE(program.waitForFinished(15000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    const QByteArray bytes = inst.dir.read(QStringLiteral("LOG.DAT"));
    ASSERT_GE(bytes.size(), 2);
    const int length = uint8_t(bytes[0]) | (uint8_t(bytes[1]) << 8);
    ASSERT_EQ(length, bytes.size() - 2);
    const QString text = QString::fromLatin1(bytes.mid(2));
    const QRegularExpression expected(QStringLiteral(
        "^Kestrow Readers - Log File\\r\\n\\r\\n=====\\r\\nLog for Unknown\\r\\n\\r\\n"
        "(1[0-2]|[1-9]):[0-5][0-9] (am|pm), ([1-9]|[12][0-9]|3[01]) "
        "(January|February|March|April|May|June|July|August|September|October|November|December) [0-9]{4}"
        "\\.  Session time: 0 minutes\\.\\r\\n\\r\\n$"));
    EXPECT_TRUE(expected.match(text).hasMatch()) << text.toStdString();

    const QStringList lines = journalLines();
    const auto at = [&lines](const QString& l) { return lines.indexOf(l); };
    EXPECT_GE(at(QStringLiteral("unload\tfrmSplash")), 0);
    EXPECT_LT(at(QStringLiteral("unload\tfrmMenu")), at(QStringLiteral("unload\tfrmKest")));
    EXPECT_GE(at(QStringLiteral("unload\tfrmMenu")), 0);
    EXPECT_EQ(lines.last(), QStringLiteral("exit\t0"));
}

INSTANTIATE_TEST_SUITE_P(BySignal, RealProgramEnded, ::testing::Values(SIGTERM, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGHUP ? "Sighup" : "Sigterm");
                         });

// A missing GLOBSET.DAT is fatal before any window but the splash: status 1, the message shown.
TEST_F(RealProgram, AFatalStartEndsWithStatusOne) {
    QFile::remove(inst.dir.file(QStringLiteral("GLOBSET.DAT")));
    const QString answers = inst.dir.file(QStringLiteral("answers.txt"));
    inst.dir.write(QStringLiteral("answers.txt"), "OK\n");
    QProcessEnvironment env = program.processEnvironment();
    env.insert(QStringLiteral("KESTROW_ANSWERS"), answers);
    program.setProcessEnvironment(env);
    program.start();
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 1);
    const QStringList lines = journalLines();
    EXPECT_TRUE(lines.filter(QRegularExpression(QStringLiteral("^fatal\tsettingload\t"))).size() == 1)
        << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("exit\t1"));
    EXPECT_EQ(inst.storedLog(), kLogHeader);
}

// A logout while the log cannot be written: the silent retries, then the end, with no question
// left waiting on the screen.
TEST_F(RealProgram, SigtermWithAnUnwritableLogEndsWithoutAsking) {
    QFile::remove(inst.dir.file(QStringLiteral("LOG.DAT")));
    program.start();
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(waitForLine(QStringLiteral("show\tfrmMenu"), 30000)) << journalLines().join(u'\n').toStdString();
    ASSERT_EQ(::kill(pid_t(program.processId()), SIGTERM), 0);
    // Six retries of at most 1.3 s each.
    ASSERT_TRUE(program.waitForFinished(20000)) << journalLines().join(u'\n').toStdString();
    EXPECT_EQ(program.exitCode(), 0);
    const QStringList lines = journalLines();
    EXPECT_TRUE(lines.filter(QStringLiteral("msgbox")).isEmpty()) << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("exit\t0"));
    EXPECT_FALSE(QFile::exists(inst.dir.file(QStringLiteral("LOG.DAT"))));
}
