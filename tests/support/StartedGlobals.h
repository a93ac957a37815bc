#pragma once
// The globals as a program's start-up leaves them, for the tests and benchmarks that link the
// core (the support library does not, hence a header of its own).
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/Settings.h"
#include "platform/Mouse.h"
#include "platform/Screen.h"

namespace testsupport {

// The sample installation the build makes: <build>/installation, KESTROW_BUILD naming the build
// folder (else the current folder).
inline QString sampleInstallation() {
    const QString build = qEnvironmentVariable("KESTROW_BUILD");
    return QDir(build.isEmpty() ? QStringLiteral(".") : build).filePath(QStringLiteral("installation"));
}

// Whether the build has made the sample installation (its TEACHER.DAT is there), saying where
// it was looked for when not.
inline ::testing::AssertionResult sampleInstallationIsBuilt() {
    if (QFileInfo(sampleInstallation() + QStringLiteral("/TEACHER.DAT")).isFile())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the sample installation is missing: "
                                         << sampleInstallation().toStdString();
}

// What every program's start-up sets: the installation in root, a screen of width x height
// pixels in 24-bit colour, the default pointer.
inline void startedGlobals(const QString& root, int width, int height) {
    resetGlobals();
    screen::setOverride(width, height, 96, 24);
    mouse::setPointer(mouse::Default);
    gProgramRoot = root;
    gDataRoot = root;
    gCrLf = QStringLiteral("\r\n");
    gLf = QStringLiteral("\n");
    gResizeAnyState = -1;
}

// As the reading program's frame leaves them for a window at the design size, the frame ready.
inline void readerGlobals(const QString& root, int width = 1024, int height = 768) {
    startedGlobals(root, width, height);
    gDesignWidth = 9600;
    gDesignHeight = 6630;
    gShellReady = -1;
    gColourBits = 24;
}

// The teacher's settings kept in the installation in root; the defaults when it has none.
inline ActivitySettingsRecord storedTeacher(const QString& root) {
    QFile teacher(root + QStringLiteral("/TEACHER.DAT"));
    if (!teacher.open(QIODevice::ReadOnly))
        return {};
    return ActivitySettingsRecord::decode(teacher.readAll());
}

}  // namespace testsupport
