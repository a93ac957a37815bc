#pragma once
// What every test starts from: scripted dialogs with no answers installed (a test scripts its
// own with ScopedDialogs; the clock is real until a ScopedFakeClock is made), the end handler
// throwing ProgramEnded, and a fresh temporary folder on request.
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace testsupport {

class SeamsEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
};

// A temporary folder that lives as long as the object.
class TempDir {
public:
    TempDir();
    QString path() const { return dir_.path(); }
    // Path of a file inside; creates the parent folders.
    QString file(const QString& relative) const;
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

// Unloads every form still loaded and deletes every top-level window, deferred deletions done.
void closeAllWindows();

// The source tree (for fixtures kept in tests/).
QString sourceDir();

}  // namespace testsupport
