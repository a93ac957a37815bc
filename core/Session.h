#pragma once
// The session the tracking log records: its heading, the minutes between two clock readings,
// the entry the frame window writes at the end, and the retries when the log cannot be written.
#include <QString>

// The steady clock's reading (seconds) at which a session or an activity starts or ends.
// Durations go by it, never by the time of day, which may be set back or jump an hour.
double SessionClock();

// The minutes from start to finish (SessionClock readings) as text: "12 mins", or with
// longForm 1 "12 minutes"; "1 min" / "1 minute". A started minute counts once 10 s of it have
// passed.
QString FormatMinutes(double start, double finish, int longForm);

// One line of gActivityLog as an activity writes it when its window closes: the field (the
// activity's name and the book title) padded or cut to 46 characters, the short minutes right
// in a three-digit column, CR LF.
QString ActivityLine(const QString& field, double start, double finish);

// gSessionText = the start time of day ("9:05 am, 3 March 2010") and ".  "; gSessionStart =
// SessionClock(); gActivityLog empty.
void StartSession();

// The entry the log gets: gSessionText, CR LF, then the activity lines when there are any.
QString SessionEntry();

// When a session was started and TrackingOn is 1: appends "Session time: ..." to gSessionText
// and writes the entry into LOG.DAT, trying six times with short random pauses, then asking
// whether to try again (unless a termination signal is ending the program). Returns true when
// the entry was written.
bool WriteSessionToLog();
