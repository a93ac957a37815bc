#pragma once
// LOG.DAT, the tracking log: one text record behind a 16-bit length, one section per user.
// The entry a session adds is made in core/Session (SessionEntry, WriteSessionToLog); the
// teacher reads and edits the log in the tracking window, menu/frmLog, whose rules are in
// menu/LogView.
#include <QByteArray>
#include <QString>
#include <optional>

// The text a new log starts with.
QString LogHeader();

// The bytes of a LOG.DAT holding text: its length in 16 bits, then the text in Windows-1252.
// Nullopt when the text is too long for the one record.
std::optional<QByteArray> LogFileImage(const QString& text);

// Puts the entry (and CR LF) at the end of the user's section of LOG.DAT, starting a section
// for a new user, and writes the file. False when the file is missing, empty, unreadable or
// could not be written; nothing is then written. The updated text stays in LogText.
bool AppendSessionToLog(const QString& entry, const QString& user);

// Reads LOG.DAT into LogText, first creating it with the header when it is missing or empty.
// False (LogText unchanged) when it cannot be read.
bool LoadLog();

// Writes LogText to LOG.DAT; "Can't write" when that fails. True when written.
bool SaveLog();

// The text of gRecordBuffer up to its first CR LF; the buffer loses it and the CR LF.
QString NextLine();
