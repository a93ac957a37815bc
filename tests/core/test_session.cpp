// The session: minutes, the entry the frame window writes into LOG.DAT at the end, its retries.
#include <QThread>
#include <csignal>

#include "StartupFixture.h"
#include "core/Session.h"
#include "core/Startup.h"
#include "platform/Program.h"

using namespace startuptest;

TEST(FormatMinutes, StartedMinutesCountOnceTenSecondsHavePassed) {
    struct Case {
        double start, finish;
        int longForm;
        const char* text;
    } cases[] = {
        {100, 100, 0, "0 mins"},
        {100, 109, 0, "0 mins"},
        {100, 110, 0, "1 min"},
        {100, 130, 0, "1 min"},
        {100, 130, 1, "1 minute"},
        {100, 169, 1, "1 minute"},
        {100, 170, 0, "2 mins"},
        {100, 100 + 12 * 60, 0, "12 mins"},
        {100, 100 + 12 * 60, 1, "12 minutes"},
        {100, 100 + 12 * 60, 2, "12 mins"},  // only 1 asks for the long form
        {100, 100 + 12 * 60, -1, "12 mins"},
        {0, 0, 1, "0 minutes"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatMinutes(c.start, c.finish, c.longForm), QString::fromLatin1(c.text))
            << c.start << " " << c.finish << " " << c.longForm;
}

TEST(ActivityLine, TheMinutesSitInAThreeDigitColumn) {
    gCrLf = QStringLiteral("\r\n");
    const QString field = QStringLiteral("   Reading     ") + QStringLiteral("The Red Hen").leftJustified(30) + u' ';
    ASSERT_EQ(field.size(), 46);
    EXPECT_EQ(ActivityLine(field, 0, 5 * 60), field + QStringLiteral("  5 mins\r\n"));
    EXPECT_EQ(ActivityLine(field, 0, 60), field + QStringLiteral("  1 min\r\n"));
    EXPECT_EQ(ActivityLine(field, 0, 45 * 60), field + QStringLiteral(" 45 mins\r\n"));
    EXPECT_EQ(ActivityLine(field, 0, 120 * 60), field + QStringLiteral("120 mins\r\n"));
    // A short field is padded, a long one cut.
    EXPECT_EQ(ActivityLine(QStringLiteral("   Slide"), 0, 0),
              QStringLiteral("   Slide").leftJustified(46) + QStringLiteral("  0 mins\r\n"));
    EXPECT_EQ(ActivityLine(QString(60, u'x'), 0, 0), QString(46, u'x') + QStringLiteral("  0 mins\r\n"));
}

class SessionLog : public testsupport::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        gProgramRoot = inst.path();
        gCrLf = QStringLiteral("\r\n");
        GlobalSettings.TrackingOn = 1;
        gUserName = QStringLiteral("Ann");
        StartSession();  // 9:30 am on the fake clock
    }
    Installation inst;
};

TEST_F(SessionLog, TheHeadingIsTheStartTime) {
    EXPECT_EQ(gSessionText, QStringLiteral("9:30 am, 4 March 2024.  "));
    EXPECT_TRUE(gActivityLog.isEmpty());
    clock.setNow(QDateTime(QDate(2024, 12, 25), QTime(15, 5, 0)));
    StartSession();
    EXPECT_EQ(gSessionText, QStringLiteral("3:05 pm, 25 December 2024.  "));
}

TEST_F(SessionLog, NewLogNewUser) {
    clock.advance(12 * 60);
    ASSERT_TRUE(WriteSessionToLog());
    EXPECT_EQ(inst.storedLog(),
              kLogHeader + QStringLiteral("=====\r\nLog for Ann\r\n\r\n"
                                          "9:30 am, 4 March 2024.  Session time: 12 minutes.\r\n\r\n"));
    EXPECT_EQ(clock.sleepCalls(), 0);
}

// The session time is how long the session lasted, whatever the clock of the day does meanwhile;
// the heading keeps the time of day the session began.
TEST_F(SessionLog, TheSessionTimeIsItsLengthWhateverTheClockOfTheDayDoes) {
    struct Case {
        const char* what;
        QTime start;
        int stepSeconds;  // the clock of the day set on or back by this, 5 s into the session
        double length;
        const char* entry;
    } cases[] = {
        {"clock set back an hour", QTime(9, 30), -3600, 10, "9:30 am, 4 March 2024.  Session time: 1 minute."},
        {"summer time begins", QTime(1, 59, 58), 3600, 8, "1:59 am, 4 March 2024.  Session time: 0 minutes."},
        {"over midnight", QTime(23, 50), 0, 15 * 60, "11:50 pm, 4 March 2024.  Session time: 15 minutes."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        inst.dir.write(QStringLiteral("LOG.DAT"), logRecord(kLogHeader));
        clock.setNow(QDateTime(QDate(2024, 3, 4), c.start));
        StartSession();
        clock.advance(5);
        clock.setNow(clock.now().addSecs(c.stepSeconds));
        clock.advance(c.length - 5);
        ASSERT_TRUE(WriteSessionToLog());
        EXPECT_EQ(inst.storedLog(), kLogHeader + QStringLiteral("=====\r\nLog for Ann\r\n\r\n") +
                                        QLatin1String(c.entry) + QStringLiteral("\r\n\r\n"));
    }
}

TEST_F(SessionLog, ActivityLinesFollowTheHeading) {
    gActivityLog = QStringLiteral("   Reading     The Red Hen                     5 mins\r\n");
    clock.advance(65);
    ASSERT_TRUE(WriteSessionToLog());
    EXPECT_EQ(inst.storedLog(), kLogHeader + QStringLiteral("=====\r\nLog for Ann\r\n\r\n"
                                                            "9:30 am, 4 March 2024.  Session time: 1 minute.\r\n"
                                                            "   Reading     The Red Hen                     5 mins\r\n"
                                                            "\r\n"));
}

TEST_F(SessionLog, ExistingUserKeepsHerEntriesTogether) {
    const QString before = kLogHeader + QStringLiteral("=====\r\nLog for Ann\r\n\r\nold Ann entry\r\n\r\n"
                                                       "=====\r\nLog for Bob\r\n\r\nold Bob entry\r\n\r\n");
    inst.dir.write(QStringLiteral("LOG.DAT"), logRecord(before));
    clock.advance(30);
    ASSERT_TRUE(WriteSessionToLog());
    EXPECT_EQ(inst.storedLog(), kLogHeader + QStringLiteral("=====\r\nLog for Ann\r\n\r\nold Ann entry\r\n\r\n"
                                                            "9:30 am, 4 March 2024.  Session time: 1 minute.\r\n\r\n"
                                                            "=====\r\nLog for Bob\r\n\r\nold Bob entry\r\n\r\n"));
}

TEST_F(SessionLog, TrackingOffWritesNothingAndWaitsForNothing) {
    const QByteArray before = inst.dir.read(QStringLiteral("LOG.DAT"));
    for (int16_t off : {int16_t(0), int16_t(-1), int16_t(2)}) {
        GlobalSettings.TrackingOn = off;
        EXPECT_FALSE(WriteSessionToLog());
    }
    EXPECT_EQ(inst.dir.read(QStringLiteral("LOG.DAT")), before);
    EXPECT_EQ(clock.sleepCalls(), 0);
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(SessionLog, NoSessionNoEntry) {
    gSessionText.clear();
    EXPECT_FALSE(WriteSessionToLog());
    EXPECT_EQ(inst.storedLog(), kLogHeader);
}

// A log that cannot be written (here: none at all, which only the log viewer creates): six
// tries with pauses of 0.3 to 1.3 s, then the question; Yes tries six times more.
TEST_F(SessionLog, UnwritableLogTriesSixTimesThenAsks) {
    QFile::remove(inst.dir.file(QStringLiteral("LOG.DAT")));
    boxes.answer(mb::Yes).answer(mb::No);
    const double start = clock.elapsed();
    EXPECT_FALSE(WriteSessionToLog());
    EXPECT_EQ(clock.sleepCalls(), 12);
    const double waited = clock.elapsed() - start;
    EXPECT_GE(waited, 12 * 0.3);
    EXPECT_LT(waited, 12 * 1.3);
    const auto asked = boxes.msgBoxes();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].title, QStringLiteral("Can't write to log"));
    EXPECT_EQ(asked[0].text, QStringLiteral("It was not possible to update the tracking log file with details of "
                                            "this session.\r\n\r\nDo you want to try again?"));
    EXPECT_EQ(asked[0].buttons(), int(mb::YesNo));
    EXPECT_EQ(asked[0].icon(), int(mb::Exclamation));
    EXPECT_FALSE(QFile::exists(inst.dir.file(QStringLiteral("LOG.DAT"))));
}

// A logout sends SIGTERM: the session's end must not wait on a question nobody will answer.
TEST_F(SessionLog, AfterATerminationSignalTheRetriesEndWithoutAQuestion) {
    QFile::remove(inst.dir.file(QStringLiteral("LOG.DAT")));
    boxes.setOnBox([](const testsupport::ScriptedDialogs::Call&) { ADD_FAILURE() << "no question expected"; });
    bool ended = false;
    bool written = true;
    installTerminationHandler([&] {
        written = WriteSessionToLog();
        ended = true;
    });
    ::raise(SIGTERM);
    for (int i = 0; i < 200 && !ended; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    installTerminationHandler(nullptr);
    ASSERT_TRUE(ended);
    EXPECT_FALSE(written);
    EXPECT_EQ(clock.sleepCalls(), 6) << "the silent retries still come first";
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(SessionLog, ALogThatComesBackIsWrittenOnTheNextTry) {
    QFile::remove(inst.dir.file(QStringLiteral("LOG.DAT")));
    // The file is back after the third pause.
    int pauses = 0;
    boxes.setOnBox([](const testsupport::ScriptedDialogs::Call&) { ADD_FAILURE() << "no question expected"; });
    clock.at(clock.elapsed() + 3 * 0.3, [&] {
        ++pauses;
        inst.dir.write(QStringLiteral("LOG.DAT"), logRecord(kLogHeader));
    });
    EXPECT_TRUE(WriteSessionToLog());
    EXPECT_EQ(pauses, 1);
    EXPECT_LE(clock.sleepCalls(), 3);
    EXPECT_TRUE(inst.storedLog().contains(QStringLiteral("Log for Ann")));
}
