#pragma once
// The program's journal as tests read it: a file of tab-separated lines, each starting with its
// time, which the tests leave out.
#include <QProcess>
#include <QString>
#include <QStringList>

#include "support/TestEnv.h"

namespace testsupport {

// The journal lines in the file, each without its time field.
QStringList journalLines(const QString& file);

// A journal file of the test's own in a temporary folder: from start() to stop() this process
// writes its journal there.
class JournalFile {
public:
    void start();
    void stop();
    QString path() const { return dir_.path() + QStringLiteral("/journal.txt"); }
    QStringList lines() const { return journalLines(path()); }
    // The lines of one kind (their first field), whole.
    QStringList of(const QString& kind) const;

private:
    TempDir dir_;
};

// A built program (<build>/installation/<name>) started from a folder of its own, which it takes
// for its installation folder, offscreen, with null audio and its journal in that folder. Killed
// if still running when the test ends.
class RealProgram {
protected:
    ~RealProgram() { endProgram(); }
    // Kills the program if it still runs (a fixture's TearDown, before its folder goes).
    void endProgram();

    // Puts the program into folder (a hard link, else a copy) and readies `program` to start it
    // there, with no answers file.
    void placeProgram(const QString& name, const QString& folder);
    QStringList journalLines() const { return testsupport::journalLines(journal); }
    // Waits until a journal line starts with prefix; false when the time runs out or the
    // program ends first.
    bool waitForLine(const QString& prefix, int ms);

    QString journal;
    QProcess program;
};

}  // namespace testsupport
