#include "core/Session.h"

#include <algorithm>

#include "core/Globals.h"
#include "core/Log.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/Program.h"

namespace {

long long minutesBetween(double start, double finish) {
    // The steady clock never goes back, and passes midnight as any other moment.
    const double span = std::max(0.0, finish - start);
    return static_cast<long long>(lang::RoundHalfEven(span + 50.0)) / 60;
}

}  // namespace

double SessionClock() { return appClock().monotonic(); }

QString FormatMinutes(double start, double finish, int longForm) {
    const long long minutes = minutesBetween(start, finish);
    QString text = QString::number(minutes) + QStringLiteral(" min");
    if (longForm == 1)
        text += QStringLiteral("ute");
    if (minutes != 1)
        text += u's';
    return text;
}

QString ActivityLine(const QString& field, double start, double finish) {
    const long long minutes = minutesBetween(start, finish);
    QString line = field.left(46).leftJustified(46, u' ');
    if (minutes < 10)
        line += QStringLiteral("  ");
    else if (minutes < 100)
        line += u' ';
    return line + FormatMinutes(start, finish, 0) + gCrLf;
}

void StartSession() {
    gSessionText = lang::FormatSessionTime(appClock().now()) + QStringLiteral(".  ");
    gSessionStart = SessionClock();
    gActivityLog.clear();
}

QString SessionEntry() {
    if (gActivityLog.isEmpty())
        return gSessionText + gCrLf;
    return gSessionText + gCrLf + gActivityLog;
}

bool WriteSessionToLog() {
    if (gSessionText.isEmpty() || GlobalSettings.TrackingOn != 1)
        return false;
    gSessionEnd = SessionClock();
    gSessionText += QStringLiteral("Session time: ") + FormatMinutes(gSessionStart, gSessionEnd, 1) + u'.';
    for (;;) {
        mouse::setPointer(mouse::Hourglass);
        bool ok = false;
        for (int attempts = 1; attempts <= 6 && !ok; ++attempts) {
            ok = AppendSessionToLog(SessionEntry(), gUserName);
            // Another program of the package may be writing the log: back off a little.
            if (!ok)
                pause(0.3 + lang::Rnd());
        }
        mouse::setPointer(mouse::Default);
        if (ok)
            return true;
        // Ended by a signal (a logout): no one will answer, and the end must not hang on a window.
        if (TerminationRequested())
            return false;
        const int answer = MsgBox(QStringLiteral("It was not possible to update the tracking log file with details "
                                                 "of this session.\r\n\r\nDo you want to try again?"),
                                  mb::YesNo + mb::Exclamation, QStringLiteral("Can't write to log"));
        if (answer != mb::Yes)
            return false;
    }
}
