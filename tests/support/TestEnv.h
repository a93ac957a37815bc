#pragma once
// What every test starts from: scripted dialogs with no answers installed (a test scripts its
// own with ScopedDialogs; the clock is real until a ScopedFakeClock is made), the end handler
// throwing ProgramEnded, and a fresh temporary folder on request.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

#include "platform/Form.h"

// A QString in a failure message as its text in quotes, not as a list of characters.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

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

// The bytes of a file that must be there (a failure when it cannot be read).
QByteArray readFile(const QString& path);

// USERS.DAT as the program writes it: the count, then the names, 16 characters each.
QByteArray usersFile(const QStringList& names);

// LOG.DAT: the text behind its 16-bit length.
QByteArray logFile(const QString& text);
// The text of LOG.DAT's bytes, as far as its length says; empty when they hold no length.
QString logFileText(const QByteArray& bytes);

// Types the text key by key, each key bringing its character as a keyboard with that letter
// would (QTest::keyClicks knows only Latin-1).
void typeKeys(QWidget* w, const QString& text);

// Runs fn once on the next modal window to come up (a box of the real dialogs, in its own loop);
// a failure when none comes within a few seconds.
void onNextModal(std::function<void(QWidget*)> fn);

// Runs fn on the form each time one of that name is up (a modal dialog opened by the code
// under test); polls the event queue, so it works inside the dialog's own loop. Lives as long
// as the returned object.
class WhenShown {
public:
    WhenShown(const QString& name, std::function<void(Form*)> fn) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this, name, fn] {
            Form* f = findForm(name);
            if (f && f != last_) {
                last_ = f;
                ++count_;
                fn(f);
            }
        });
        timer_.start();
    }
    int count() const { return count_; }

private:
    QTimer timer_;
    QPointer<Form> last_;
    int count_ = 0;
};

}  // namespace testsupport
