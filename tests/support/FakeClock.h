#pragma once
// A clock the test drives: time stands still until the test advances it, doEvents runs what is
// pending without blocking and then moves time on by a step, and sleep moves it by its length.
// Hooks run when the time passes a given point, as events would (press a button at t = 1.5 s).
#include <QDateTime>
#include <functional>
#include <vector>

#include "platform/Clock.h"

namespace testsupport {

class FakeClock : public Clock {
public:
    // The time of day the clock starts at; the monotonic clock starts at elapsed() == 0.
    explicit FakeClock(const QDateTime& start = QDateTime(QDate(2024, 3, 4), QTime(9, 30, 0)));

    float timer() override;
    double monotonic() override;
    QDateTime now() override;
    void doEvents() override;
    void sleep(double seconds) override;

    // Seconds since the clock was made.
    double elapsed() const { return elapsed_; }
    // Moves both clocks on, running the hooks that fall due on the way, in time order.
    void advance(double seconds);
    // Sets the time of day (the monotonic clock does not jump), e.g. just before midnight.
    void setNow(const QDateTime& now);

    // How far each doEvents moves time on (default 0.01 s).
    void setStep(double seconds) { step_ = seconds; }
    double step() const { return step_; }
    int doEventsCalls() const { return doEventsCalls_; }
    int sleepCalls() const { return sleepCalls_; }

    // Runs fn once when elapsed() reaches t (at once, on the next advance, if t has passed).
    void at(double t, std::function<void()> fn);
    // Runs fn once when the given length has passed from now.
    void after(double seconds, std::function<void()> fn) { at(elapsed_ + seconds, std::move(fn)); }
    int pendingHooks() const { return int(hooks_.size()); }

private:
    struct Hook {
        double t;
        long order;
        std::function<void()> fn;
    };

    QDateTime wallAtZero_;  // the time of day when elapsed_ was 0
    double elapsed_ = 0;
    double step_ = 0.01;
    int doEventsCalls_ = 0;
    int sleepCalls_ = 0;
    long nextOrder_ = 0;
    std::vector<Hook> hooks_;
};

// Installs a fake clock for its lifetime and then puts back the one that was in force.
class ScopedFakeClock : public FakeClock {
public:
    explicit ScopedFakeClock(const QDateTime& start = QDateTime(QDate(2024, 3, 4), QTime(9, 30, 0)));
    ~ScopedFakeClock() override;
    ScopedFakeClock(const ScopedFakeClock&) = delete;
    ScopedFakeClock& operator=(const ScopedFakeClock&) = delete;

private:
    Clock* previous_;
};

}  // namespace testsupport
