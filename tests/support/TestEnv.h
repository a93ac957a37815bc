#pragma once
// What every test starts from: scripted dialogs with no answers installed (a test scripts its
// own with ScopedDialogs; the clock is real until a ScopedFakeClock is made), the end handler
// throwing ProgramEnded, and a fresh temporary folder on request.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

class Form;

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

// Lets posted events and what they cause run.
void settle();

// Processes events until the condition holds or the (real) time runs out.
bool processUntil(const std::function<bool()>& done, int ms = 3000);

// The loaded, visible form of that name (the newest), or nullptr.
Form* findForm(const QString& name);

// USERS.DAT as the program writes it: the count, then the names, 16 characters each.
QByteArray usersFile(const QStringList& names);

// LOG.DAT: the text behind its 16-bit length.
QByteArray logFile(const QString& text);

}  // namespace testsupport
