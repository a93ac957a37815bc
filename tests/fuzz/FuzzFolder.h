#pragma once
// For the targets that read through the program's own file procedures: a program folder of
// their own, message boxes answered at once (OK, else Cancel or No, so no retry loops), and a
// fatal end that returns to the target as ProgramEnded instead of ending the process.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/Globals.h"
#include "platform/Dialogs.h"
#include "platform/Program.h"

namespace fuzzfolder {

class QuietDialogs : public Dialogs {
public:
    int msgBox(const QString&, int style, const QString&) override {
        ++boxes;
        switch (style & mb::ButtonMask) {
        case mb::OKOnly: return mb::OK;
        case mb::YesNo: return mb::No;
        default: return mb::Cancel;
        }
    }
    QString inputBox(const QString&, const QString&, const QString&, int, int) override { return {}; }
    int boxes = 0;
};

inline QuietDialogs& dialogs() {
    static QuietDialogs quiet;
    return quiet;
}

// Makes the folder once and points gProgramRoot at it.
inline void setUp() {
    static QTemporaryDir* folder = [] {
        auto* d = new QTemporaryDir;
        setDialogs(&dialogs());
        setEndHandler([](int status) { throw ProgramEnded{status}; });
        return d;
    }();
    resetGlobals();
    gProgramRoot = folder->path();
}

inline QString path(const QString& name) { return gProgramRoot + u'/' + name; }

inline void write(const QString& name, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path(name)).absolutePath());
    QFile f(path(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        __builtin_trap();  // the fuzzing machine itself is at fault
}

inline QByteArray read(const QString& name) {
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs one of the program's loading procedures; false when it ended the program, as a fatal
// error does (status 1).
template <typename Load>
bool loads(Load load) {
    try {
        load();
        return true;
    } catch (const ProgramEnded& e) {
        if (e.status != 1)
            __builtin_trap();
        return false;
    }
}

}  // namespace fuzzfolder
