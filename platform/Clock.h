#pragma once
// Time, as the programs see it: seconds since midnight for the given waits, the time of day
// for what is shown or logged as a time, a monotonic clock for how long a wait, an activity or
// a session lasts, and event yielding that never spins the CPU. Tests replace the clock with a
// fake one.
#include <QDateTime>
#include <functional>

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since midnight, single precision (Timer).
    virtual float timer() = 0;
    // Seconds on a monotonic clock from an arbitrary start.
    virtual double monotonic() = 0;
    // The date and time of day (Now).
    virtual QDateTime now() = 0;
    // Processes pending events once; waits at most a few milliseconds for one, so a loop of
    // doEvents costs next to no CPU (DoEvents).
    virtual void doEvents() = 0;
    // Pauses without processing events.
    virtual void sleep(double seconds) = 0;
};

// Not clock(): <ctime> owns that name in the global namespace.
Clock& appClock();
void setClock(Clock* c);   // nullptr goes back to the real clock
Clock& realClock();

inline float Timer() { return appClock().timer(); }
inline void DoEvents() { appClock().doEvents(); }

// Yields to the event queue for the given length (monotonic) or until stop() returns true.
// Returns false when stopped early.
bool waitYielding(double seconds, const std::function<bool()>& stop = {});

// Waits the given length without processing events.
void pause(double seconds);
