#pragma once
// What the record-file tests share: a fresh program folder, a way to make writes fail even for
// root, and a check for the fatal path.
#include <QByteArray>
#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <source_location>

#include "core/Globals.h"
#include "platform/Dialogs.h"
#include "platform/Mouse.h"
#include "platform/Program.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnv.h"

namespace coretest {

class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        gProgramRoot = dir.path();
    }
    void TearDown() override {
        resetGlobals();
        mouse::setPointer(mouse::Default);
    }
    testsupport::TempDir dir;
};

using testsupport::NoWrites;

// The one message a failed save shows: "Can't write" with its text and an exclamation mark.
inline void expectCantWrite(const testsupport::ScriptedDialogs& dialogs, const QString& text,
                            std::source_location at = std::source_location::current()) {
    const ::testing::ScopedTrace trace(at.file_name(), int(at.line()), "the failed save's message");
    const auto boxes = dialogs.msgBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Can't write");
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].icon(), mb::Exclamation);
}

// Bytes whose every position differs from its neighbours and from blank padding.
inline QByteArray patterned(int length, int seed = 0) {
    QByteArray b(length, '\0');
    for (int i = 0; i < length; ++i)
        b[i] = static_cast<char>((i * 37 + seed * 11 + 1) & 0xFF);
    return b;
}

inline QByteArray randomBytes(std::mt19937& rng, int length) {
    QByteArray b(length, '\0');
    std::uniform_int_distribution<int> byte(0, 255);
    for (char& c : b)
        c = static_cast<char>(byte(rng));
    return b;
}

// Runs fn, which must end the program through the fatal message that begins with firstLine
// and names path; the pointer must be back to the default while the message shows.
inline void expectFatal(const std::function<void()>& fn, const QString& firstLine, const QString& path) {
    testsupport::ScopedDialogs dialogs;
    dialogs.answer(mb::OK);
    dialogs.setOnBox([](const auto&) { EXPECT_EQ(mouse::pointer(), mouse::Default); });
    int status = -1;
    try {
        fn();
    } catch (const ProgramEnded& e) {
        status = e.status;
    }
    EXPECT_EQ(status, 1);
    ASSERT_EQ(dialogs.msgBoxes().size(), 1u);
    const auto box = dialogs.msgBoxes()[0];
    EXPECT_EQ(box.title, "Kestrow Readers");
    EXPECT_EQ(box.icon(), mb::Exclamation);
    EXPECT_TRUE(box.text.startsWith("Fatal error.\r\n\r\n" + firstLine + "\r\n\r\n" + path + "\r\n\r\n"))
        << box.text.toStdString();
}

}  // namespace coretest
