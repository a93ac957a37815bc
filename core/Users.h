#pragma once
// USERS.DAT: 16-character records, the first holding the number of names, then the names; and
// which settings file a listed name has.
#include <QString>

// Fills UserNames (element 0 the count text, then the names); a missing, empty or unreadable
// file ends the program ("file"), leaving an empty file behind.
void LoadUsers();

// Writes UserNames as the whole file, trusting the count in element 0; "Can't write" and false
// on failure.
bool SaveUsers();

// True for a file key that names one of the installation's own files (TEACHER, GLOBSET, LOG,
// USERS), or no file at all (""). No listed name has such a file as its own: it is never read
// or written as his settings, and never deleted with him.
bool IsInstallationFileKey(const QString& key);

// The settings file of a user when each has his own: FileKey & ".DAT"; the teacher's
// "TEACHER.DAT" for "Teacher" and for any name whose key is one of the installation's files.
QString UserSettingsFile(const QString& name);
