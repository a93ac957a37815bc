#pragma once
// What the core's window tests share on top of testsupport::WindowTest: a small installation in
// a temporary folder and helpers that act on a modal dialog once it is up.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/Registry.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/Startup.h"
#include "core/frmKest.h"
#include "platform/Form.h"
#include "platform/Journal.h"
#include "platform/Program.h"
#include "platform/Screen.h"
#include "support/FakeClock.h"
#include "support/SettingsFolder.h"
#include "support/TestEnv.h"
#include "support/WindowTest.h"

namespace startuptest {

using testsupport::findForm;
using testsupport::processUntil;
// USERS.DAT and LOG.DAT as the program writes them.
constexpr auto& userRecords = testsupport::usersFile;
constexpr auto& logRecord = testsupport::logFile;

inline const QString kLogHeader = QStringLiteral("Kestrow Readers - Log File\r\n\r\n");

// The installation: settings, users, log and one book.
struct Installation : testsupport::SettingsFolder {
    Installation() {
        global.TrackingOn = 1;
        teacher.Book.setText(QStringLiteral("ONE"));
        teacher.ReadOn = -1;
        writeGlobal();
        writeTeacher();
        dir.write(QStringLiteral("USERS.DAT"), userRecords({QStringLiteral("Ann"), QStringLiteral("Bob"),
                                                            QStringLiteral("Teacher")}));
        dir.write(QStringLiteral("LOG.DAT"), logRecord(kLogHeader));
        dir.write(QStringLiteral("DATA/ONE.DAT"), QByteArray("book"));
    }
};

using testsupport::closeAllWindows;

// Runs fn on the form once it is up (a modal dialog opened by the code under test); polls
// the event queue, so it works inside the dialog's own loop.
inline void whenShown(const QString& name, std::function<void(Form*)> fn) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, name, fn] {
        if (Form* f = findForm(name)) {
            timer->stop();
            timer->deleteLater();
            fn(f);
        }
    });
    timer->start();
}

template <class T>
T* child(Form* f, const char* objectName) {
    return f->findChild<T*>(QString::fromLatin1(objectName));
}

}  // namespace startuptest
