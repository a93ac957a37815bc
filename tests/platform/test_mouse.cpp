#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include "platform/Mouse.h"

namespace {

TEST(MousePointer, IsAValueNotAStack) {
    mouse::setPointer(mouse::Hourglass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    mouse::setPointer(mouse::Hourglass);
    mouse::setPointer(3);
    EXPECT_EQ(mouse::pointer(), 3);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::IBeamCursor);

    // One reset after three settings leaves the default.
    mouse::setPointer(mouse::Default);
    EXPECT_EQ(mouse::pointer(), mouse::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    mouse::setPointer(mouse::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
