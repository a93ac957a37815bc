#include "support/FakeClock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>

namespace testsupport {

FakeClock::FakeClock(const QDateTime& start) : wallAtZero_(start) {}

QDateTime FakeClock::now() { return wallAtZero_.addMSecs(qint64(elapsed_ * 1000.0)); }

float FakeClock::timer() {
    const QDateTime n = now();
    // Whole milliseconds from now(), so timer() and now() agree.
    return float(n.time().msecsSinceStartOfDay() / 1000.0);
}

double FakeClock::monotonic() { return elapsed_; }

void FakeClock::doEvents() {
    ++doEventsCalls_;
    if (QCoreApplication::instance()) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    advance(step_);
}

void FakeClock::sleep(double seconds) {
    ++sleepCalls_;
    if (seconds > 0)
        advance(seconds);
}

void FakeClock::advance(double seconds) {
    double target = elapsed_ + std::max(0.0, seconds);
    for (;;) {
        auto due = hooks_.end();
        for (auto it = hooks_.begin(); it != hooks_.end(); ++it)
            if (it->t <= target && (due == hooks_.end() || it->t < due->t ||
                                    (it->t == due->t && it->order < due->order)))
                due = it;
        if (due == hooks_.end())
            break;
        std::function<void()> fn = std::move(due->fn);
        elapsed_ = std::max(elapsed_, due->t);
        hooks_.erase(due);
        fn();  // may add hooks or advance the clock itself
        target = std::max(target, elapsed_);
    }
    elapsed_ = target;
}

void FakeClock::setNow(const QDateTime& now) { wallAtZero_ = now.addMSecs(-qint64(elapsed_ * 1000.0)); }

void FakeClock::at(double t, std::function<void()> fn) { hooks_.push_back({t, nextOrder_++, std::move(fn)}); }

ScopedFakeClock::ScopedFakeClock(const QDateTime& start) : FakeClock(start), previous_(&appClock()) {
    setClock(this);
}

ScopedFakeClock::~ScopedFakeClock() { setClock(previous_ == &realClock() ? nullptr : previous_); }

}  // namespace testsupport
