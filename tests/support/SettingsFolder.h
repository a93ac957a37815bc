#pragma once
// An installation folder of a test's own with the records a program keeps there: GLOBSET.DAT
// and TEACHER.DAT written from the records the test sets, and each record and the log read
// back as the program left them. A header of its own, as the support library does not link
// the core.
#include <QString>

#include "core/Settings.h"
#include "support/TestEnv.h"

namespace testsupport {

struct SettingsFolder {
    TempDir dir;
    GlobalSettingsRecord global;
    ActivitySettingsRecord teacher;

    QString path() const { return dir.path(); }
    void writeGlobal() const { dir.write(QStringLiteral("GLOBSET.DAT"), global.encode()); }
    void writeTeacher() const { dir.write(QStringLiteral("TEACHER.DAT"), teacher.encode()); }

    GlobalSettingsRecord storedGlobal() const {
        return GlobalSettingsRecord::decode(dir.read(QStringLiteral("GLOBSET.DAT")));
    }
    // A user's record (ANN.DAT) or the teacher's.
    ActivitySettingsRecord stored(const QString& file) const { return ActivitySettingsRecord::decode(dir.read(file)); }
    ActivitySettingsRecord storedTeacher() const { return stored(QStringLiteral("TEACHER.DAT")); }
    // The text of LOG.DAT, as far as its 16-bit length says.
    QString storedLog() const { return logFileText(dir.read(QStringLiteral("LOG.DAT"))); }
};

}  // namespace testsupport
