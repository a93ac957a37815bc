#include <QCoreApplication>
#include <QThread>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>

#include "platform/Clock.h"
#include "platform/Journal.h"
#include "platform/Program.h"
#include "support/TestEnv.h"

namespace {

TEST(EndProgram, JournalsTheExitAndRunsTheHandler) {
    testsupport::TempDir dir;
    qputenv("KESTROW_JOURNAL", dir.file("journal.txt").toLocal8Bit());
    journal::reset();
    int status = -1;
    try {
        EndProgram(3);
    } catch (const ProgramEnded& e) {
        status = e.status;
    }
    qunsetenv("KESTROW_JOURNAL");
    journal::reset();
    EXPECT_EQ(status, 3);
    EXPECT_TRUE(dir.read("journal.txt").endsWith("\texit\t3\n")) << dir.read("journal.txt").toStdString();
}

TEST(EndProgramDeathTest, TheDefaultHandlerEndsTheProcessWithTheStatus) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setEndHandler(nullptr);
            EndProgram(7);
        },
        ::testing::ExitedWithCode(7), "");
    // A handler that returns does not keep the program alive.
    EXPECT_EXIT(
        {
            setEndHandler([](int) {});
            EndProgram(1);
        },
        ::testing::ExitedWithCode(1), "");
}

TEST(TerminationHandler, SigtermAndSigintCallTheCallbackOnceOnTheGuiThread) {
    int calls = 0;
    QThread* thread = nullptr;
    installTerminationHandler([&] {
        ++calls;
        thread = QThread::currentThread();
    });
    // The signal arrives on another thread, as it may in a real run.
    std::thread([] { ::raise(SIGTERM); }).join();
    ::raise(SIGINT);
    EXPECT_EQ(calls, 0) << "the callback must not run inside the signal handler";
    waitYielding(2.0, [&] { return calls > 0; });
    waitYielding(0.05);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(thread, qApp->thread());
}

// A hang-up (the terminal or the desktop session going away) ends the program as SIGTERM does.
TEST(TerminationHandler, EachEndingSignalCallsTheCallbackOnTheGuiThread) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(::strsignal(signal));
        int calls = 0;
        QThread* thread = nullptr;
        installTerminationHandler([&] {
            ++calls;
            thread = QThread::currentThread();
        });
        std::thread([signal] { ::raise(signal); }).join();
        waitYielding(2.0, [&] { return calls > 0; });
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(thread, qApp->thread());
    }
}

// Started under nohup the hang-up is ignored on purpose, and stays so.
TEST(TerminationHandler, AnIgnoredHangUpStaysIgnored) {
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before = {};
    ASSERT_EQ(::sigaction(SIGHUP, &ignore, &before), 0);
    installTerminationHandler([] { ADD_FAILURE() << "an ignored hang-up must not end the program"; });
    struct sigaction now = {};
    ::sigaction(SIGHUP, &before, &now);
    EXPECT_EQ(now.sa_handler, SIG_IGN);
}

}  // namespace
