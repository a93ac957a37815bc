#include <QCoreApplication>
#include <QTime>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <time.h>

#include "platform/Clock.h"
#include "support/FakeClock.h"

namespace {

using testsupport::FakeClock;
using testsupport::ScopedFakeClock;

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Puts the real clock in force for one test, whatever the environment installed.
class RealClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = &appClock();
        setClock(nullptr);
    }
    void TearDown() override { setClock(previous_ == &realClock() ? nullptr : previous_); }

private:
    Clock* previous_ = nullptr;
};

TEST_F(RealClockTest, ALoopOfDoEventsCostsNextToNoCpu) {
    bool done = false;
    QTimer::singleShot(1000, [&] { done = true; });
    int loops = 0;
    const double cpuBefore = processCpuSeconds();
    while (!done) {
        DoEvents();
        ++loops;
    }
    const double cpu = processCpuSeconds() - cpuBefore;
    // A spinning loop would burn the whole second; a blocking one would barely come back.
    EXPECT_LT(cpu, 0.1) << loops << " loops";
    EXPECT_GT(loops, 20) << "doEvents should return after a few milliseconds without events";
}

TEST_F(RealClockTest, DoEventsRunsWhatIsPending) {
    int ran = 0;
    QMetaObject::invokeMethod(qApp, [&] { ++ran; }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(qApp, [&] { ++ran; }, Qt::QueuedConnection);
    DoEvents();
    EXPECT_EQ(ran, 2);
}

TEST_F(RealClockTest, PauseProcessesNoEvents) {
    bool ran = false;
    QMetaObject::invokeMethod(qApp, [&] { ran = true; }, Qt::QueuedConnection);
    const auto start = std::chrono::steady_clock::now();
    pause(0.05);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_FALSE(ran);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran);
}

TEST_F(RealClockTest, WaitYieldingLastsItsLengthOnTheMonotonicClockAndRunsEvents) {
    bool ran = false;
    QTimer::singleShot(10, [&] { ran = true; });
    const double start = appClock().monotonic();
    EXPECT_TRUE(waitYielding(0.1));
    EXPECT_GE(appClock().monotonic() - start, 0.1);
    EXPECT_TRUE(ran);
}

TEST_F(RealClockTest, TimerIsSecondsSinceMidnightAndNowIsTheTimeOfDay) {
    const double expected = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    const float t = Timer();
    // Allow for midnight passing between the two readings.
    const double diff = std::fmod(double(t) - expected + 86400.0 + 43200.0, 86400.0) - 43200.0;
    EXPECT_LT(std::abs(diff), 1.0);
    EXPECT_LT(std::abs(appClock().now().secsTo(QDateTime::currentDateTime())), 2);
}

TEST(FakeClock, DoEventsAndSleepMoveTimeOnAndTimerFollows) {
    ScopedFakeClock fake(QDateTime(QDate(2024, 3, 4), QTime(9, 30, 0)));
    EXPECT_EQ(&appClock(), &fake);
    EXPECT_FLOAT_EQ(Timer(), 9 * 3600 + 30 * 60);
    DoEvents();
    EXPECT_DOUBLE_EQ(fake.elapsed(), 0.01);
    pause(1.5);
    EXPECT_DOUBLE_EQ(fake.elapsed(), 1.51);
    EXPECT_NEAR(Timer(), 9 * 3600 + 30 * 60 + 1.51, 0.002);
    EXPECT_EQ(fake.now(), QDateTime(QDate(2024, 3, 4), QTime(9, 30, 1, 510)));
    EXPECT_DOUBLE_EQ(fake.monotonic(), 1.51);
}

TEST(FakeClock, RestoresTheClockInForceBefore) {
    Clock* before = &appClock();
    {
        ScopedFakeClock outer;
        {
            ScopedFakeClock inner;
            EXPECT_EQ(&appClock(), &inner);
        }
        EXPECT_EQ(&appClock(), &outer);
    }
    EXPECT_EQ(&appClock(), before);
}

TEST(FakeClock, TimerWrapsAtMidnightWhileMonotonicGoesOn) {
    ScopedFakeClock fake(QDateTime(QDate(2024, 3, 4), QTime(23, 59, 59)));
    fake.advance(2.0);
    EXPECT_NEAR(Timer(), 1.0, 0.002);
    EXPECT_EQ(fake.now().date(), QDate(2024, 3, 5));
    EXPECT_DOUBLE_EQ(fake.monotonic(), 2.0);

    fake.setNow(QDateTime(QDate(2024, 3, 5), QTime(12, 0)));
    EXPECT_FLOAT_EQ(Timer(), 12 * 3600);
    EXPECT_DOUBLE_EQ(fake.monotonic(), 2.0);
}

TEST(FakeClock, HooksRunInTimeOrderWhenTheirTimeIsPassed) {
    ScopedFakeClock fake;
    QStringList seen;
    fake.at(1.5, [&] { seen << QStringLiteral("b@%1").arg(fake.elapsed()); });
    fake.at(0.5, [&] {
        seen << QStringLiteral("a@%1").arg(fake.elapsed());
        fake.after(0.25, [&] { seen << QStringLiteral("c@%1").arg(fake.elapsed()); });
    });
    fake.advance(1.0);
    EXPECT_EQ(seen, QStringList({"a@0.5", "c@0.75"}));
    EXPECT_DOUBLE_EQ(fake.elapsed(), 1.0);
    fake.advance(1.0);
    EXPECT_EQ(seen, QStringList({"a@0.5", "c@0.75", "b@1.5"}));
    EXPECT_EQ(fake.pendingHooks(), 0);
}

TEST(FakeClock, WaitYieldingEndsAfterItsLengthOrWhenStopped) {
    ScopedFakeClock fake;
    EXPECT_TRUE(waitYielding(1.0));
    EXPECT_NEAR(fake.elapsed(), 1.0, 0.011);
    EXPECT_GE(fake.doEventsCalls(), 99);

    // Something happening at t+0.5 (a click, a sound ending) stops the wait there.
    bool clicked = false;
    fake.after(0.5, [&] { clicked = true; });
    const double start = fake.elapsed();
    EXPECT_FALSE(waitYielding(10.0, [&] { return clicked; }));
    EXPECT_NEAR(fake.elapsed() - start, 0.5, 0.011);
}

TEST(FakeClock, DoEventsRunsPendingEventsWithoutBlocking) {
    ScopedFakeClock fake;
    fake.setStep(0.25);
    bool ran = false;
    QMetaObject::invokeMethod(qApp, [&] { ran = true; }, Qt::QueuedConnection);
    for (int i = 0; i < 100; ++i)
        DoEvents();
    EXPECT_TRUE(ran);
    EXPECT_DOUBLE_EQ(fake.elapsed(), 25.0);
}

}  // namespace
