#include "platform/Clock.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTime>
#include <QTimer>
#include <chrono>
#include <thread>

namespace {

// Longest a single doEvents blocks waiting for an event, in milliseconds.
constexpr int kMaxWaitMs = 5;

class RealClock final : public Clock {
public:
    float timer() override {
        return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
    }

    double monotonic() override {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    }

    QDateTime now() override { return QDateTime::currentDateTime(); }

    void doEvents() override {
        QAbstractEventDispatcher* dispatcher =
            QCoreApplication::instance() ? QAbstractEventDispatcher::instance(QThread::currentThread()) : nullptr;
        if (!dispatcher) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kMaxWaitMs));
            return;
        }
        // Whatever is pending runs now; the wait below happens only when nothing was.
        QCoreApplication::sendPostedEvents();
        if (dispatcher->processEvents(QEventLoop::AllEvents))
            return;
        // Block in the dispatcher (no CPU) until an event comes, with a short timer so a loop of
        // doEvents still gets back to its own checks promptly.
        QTimer wake;
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        wake.start(kMaxWaitMs);
        dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }

    void sleep(double seconds) override {
        if (seconds > 0)
            std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }
};

Clock* gClock = nullptr;

}  // namespace

Clock& realClock() {
    static RealClock real;
    return real;
}

Clock& appClock() { return gClock ? *gClock : realClock(); }

void setClock(Clock* c) { gClock = c; }

bool waitYielding(double seconds, const std::function<bool()>& stop) {
    Clock& c = appClock();
    const double start = c.monotonic();
    for (;;) {
        if (stop && stop())
            return false;
        if (c.monotonic() - start >= seconds)
            return true;
        c.doEvents();
    }
}

void pause(double seconds) { appClock().sleep(seconds); }
