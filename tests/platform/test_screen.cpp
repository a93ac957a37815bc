#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include "platform/Screen.h"

namespace {

TEST(Screen, TwipsPerPixelIs1440OverTheLogicalDpi) {
    const struct {
        int dpi, twips;
    } cases[] = {{96, 15}, {120, 12}, {144, 10}, {72, 20}};
    for (const auto& c : cases) {
        screen::setOverride(640, 480, c.dpi);
        EXPECT_EQ(screen::twipsPerPixelX(), c.twips) << c.dpi;
        EXPECT_EQ(screen::twipsPerPixelY(), c.twips) << c.dpi;
    }
    screen::setOverride(800, 600, 96, 8);
    EXPECT_EQ(screen::widthTwips(), 12000);
    EXPECT_EQ(screen::heightTwips(), 9000);
    EXPECT_EQ(screen::widthPixels(), 800);
    EXPECT_EQ(screen::colourBits(), 8);
    screen::clearOverride();
}

TEST(Screen, WithoutOverrideTheFactsComeFromThePrimaryScreen) {
    screen::clearOverride();
    QScreen* s = QGuiApplication::primaryScreen();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(screen::twipsPerPixelX(), qRound(1440.0 / s->logicalDotsPerInchX()));
    EXPECT_EQ(screen::widthPixels(), s->geometry().width());
    EXPECT_EQ(screen::heightTwips(), s->geometry().height() * screen::twipsPerPixelY());
    EXPECT_EQ(screen::colourBits(), s->depth());
}

TEST(Screen, ArialIsAvailableThroughAMetricCompatibleStandIn) {
    // The build machine has Liberation Sans (scripts/deps).
    EXPECT_TRUE(screen::arialAvailable());
    const QString family = screen::fontFamilyFor("Arial");
    EXPECT_TRUE(QStringList({"Arial", "Liberation Sans", "Arimo"}).contains(family)) << family.toStdString();
    EXPECT_TRUE(QFontDatabase::families().contains(family));
    EXPECT_EQ(screen::fontFamilyFor("arial"), family);
    EXPECT_EQ(screen::fontFamilyFor("Liberation Sans"), "Liberation Sans");
    EXPECT_EQ(screen::fontFamilyFor("No Such Family Qwzx"), "");
    // The windows ask for the stand-in itself, so their fonts measure as the installed family.
    EXPECT_EQ(screen::arialFamily(), family);
}

}  // namespace
